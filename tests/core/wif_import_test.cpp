// WIF files read back: hand-written files for each tolerance and limit, the
// writer's files of random drafts, and real files of other programs.
#include "../../fuzz/read_wif_harness.h"
#include "files/message_text.h"
#include "model/drawdown.h"
#include "pattern_golden.h"
#include "test_drafts.h"

#include <gtest/gtest.h>

#include <bit>
#include <fstream>
#include <map>
#include <sstream>

namespace hw {
namespace {

using test::Bytes;

std::string Hex(const PaletteEntry& c) {
    char s[8];
    std::snprintf(s, sizeof s, "#%02X%02X%02X", c.Red, c.Green, c.Blue);
    return s;
}

// The [PRIVATE EXPECT] entries at the end of a test file; "\xNN" is a byte.
std::map<std::string, std::string> Expectations(const Bytes& file) {
    std::map<std::string, std::string> expect;
    const std::string text(file.begin(), file.end());
    std::istringstream in(text.substr(std::min(text.find("[PRIVATE EXPECT]"), text.size())));
    for (std::string line; std::getline(in, line);) {
        const size_t eq = line.find('=');
        std::string value;
        for (size_t i = eq + 1; eq != std::string::npos && i < line.size(); ++i)
            value += line.compare(i, 2, "\\x")
                         ? line[i]
                         : char(std::stoi(line.substr((i += 3) - 1, 2), 0, 16));
        if (value.ends_with('\r')) value.pop_back();
        if (eq != std::string::npos) expect[line.substr(0, eq)] = value;
    }
    return expect;
}

// A value of the imported draft in the expectations' words: lists hold
// elements 1..n, a tie-up column its shafts as bits, notes "|" for a line end.
std::string Field(const DraftState& d, const WifReadResult& r, const std::string& key, int n) {
    const char* looms[] = {"liftplan", "single", "multiple"};
    std::string notes = d.Notes, s;
    for (size_t at; (at = notes.find("\r\n")) != std::string::npos;) notes.replace(at, 2, "|");
    for (int i = 1; i <= (key == "Notes" ? 1 : n); ++i) {
        int tie = 0;
        for (int sh = 1; sh <= MaxShafts && i <= MaxTreadles; ++sh)
            tie |= d.TieUpAt(sh, i) << (sh - 1);
        const std::map<std::string, std::string> values = {
            {"Loom", looms[int(GetLoomSystem(d))]},
            {"Sinking", std::to_string(d.Shed)},
            {"Ends", std::to_string(d.Ends)},
            {"Picks", std::to_string(d.Picks)},
            {"Shafts", std::to_string(d.Shafts)},
            {"Treadles", std::to_string(d.Treadles)},
            {"Skipped", std::to_string(r.Skipped)},
            {"Notes", notes},
            {"TieUp", std::to_string(tie)},
            {"Palette", Hex(d.Palette[size_t(i - 1)])},
            {"Threading", std::to_string(d.Threading[i])},
            {"Treadling", std::to_string(d.Treadling[i])},
            {"Liftplan", std::to_string(d.Liftplan[i])},
            {"WarpColors", std::to_string(d.WarpColors[i])},
            {"WeftColors", std::to_string(d.WeftColors[i])}};
        s += (i > 1 ? "," : "") + values.at(key);
    }
    return s;
}

// Each file in tests/data/wif says in a private section what it must give (a
// refusal: nothing changed); all, and the fuzzer's finds, pass its checks.
TEST(WifReader, HandWrittenFilesGiveWhatTheySay) {
    int files = 0;
    for (const std::filesystem::path dir : {HW_TEST_DATA_DIR "/wif", HW_TEST_DATA_DIR "/fuzz-wif"})
        for (const auto& entry : std::filesystem::exists(dir)
                                     ? std::filesystem::directory_iterator(dir)
                                     : std::filesystem::directory_iterator()) {
            SCOPED_TRACE(entry.path().filename().string());
            const Bytes bytes = test::ReadBytes(entry.path().string());
            fuzz::RunWif(bytes); // aborts on a fault
            const auto expect = Expectations(bytes);
            if (expect.empty()) continue; // a fuzzer's find
            auto d = test::NewDraft();
            d->Notes = "kept", d->FileName = "/kept.hdw", d->Threading[3] = 2;
            const auto before = std::make_unique<DraftState>(*d);
            const WifReadResult r = ReadWifBytes(*d, bytes);
            ++files;
            if (expect.count("Error")) {
                ASSERT_TRUE(r.Error && !r.Ok);
                std::string error = r.Error->Key;
                for (const std::string& a : r.Error->Args) error += " " + a;
                EXPECT_EQ(error, expect.at("Error"));
                EXPECT_NE(MessageText(*r.Error), error); // the table has the text
                test::ExpectSameDocument(*d, *before);
                continue;
            }
            ASSERT_TRUE(r.Ok && d->FileName.empty() && r.Warnings.size() == size_t(r.Skipped > 0));
            for (const auto& [key, value] : expect)
                EXPECT_EQ(Field(*d, r, key, int(std::count(value.begin(), value.end(), ',')) + 1),
                          value)
                    << key;
            test::ExpectModelInvariants(*d);
        }
    EXPECT_GE(files, 14);
}

// The writer's drafts read back the same; a multiple treadling without a pick
// of several treadles and a liftplan written with treadles come as treadles.
TEST(WifReader, ReadsBackWhatTheWriterWrites) {
    std::mt19937 rng(19);
    const char* pieces[] = {"Gewebe", "\r\n", "=1", "; no comment", "[X]", "€ß", " "};
    for (int round = 0; round < 90; ++round) {
        SCOPED_TRACE(round);
        auto d = test::RandomDraft(rng, LoomSystem(round % 3), round % 2 == 1);
        for (PaletteEntry& c : d->Palette) c = {uint8_t(rng()), uint8_t(rng()), uint8_t(rng())};
        for (int i = rng() % 12; i > 0; --i)
            d->Notes += d->Notes.empty() ? "ä " : pieces[rng() % 7];
        WifOptions o;
        o.Both = round % 5 == 4;
        auto back = test::NewDraft();
        const WifReadResult r = fuzz::ReadText(*back, WifText(*d, o));
        ASSERT_TRUE(r.Ok && r.Skipped == 0);
        const int ends = std::max(LastThreadedEnd(*d, d->Ends), 2);
        EXPECT_EQ(std::tuple(back->Ends, back->Picks, back->Shafts, back->Treadles, back->Shed),
                  std::tuple(ends, d->Picks, d->Shafts, d->Treadles, d->Shed));
        EXPECT_TRUE(back->Notes == d->Notes && back->Palette == d->Palette &&
                    back->Threading == d->Threading);
        bool several = false;
        for (int i = 1; i <= std::max<int>(ends, d->Picks); ++i) {
            ASSERT_TRUE(i > ends || back->WarpColors[i] == d->WarpColors[i]);
            ASSERT_TRUE(i > d->Picks || (back->WeftColors[i] == d->WeftColors[i] &&
                                         fuzz::Lifted(*back, i) == fuzz::Lifted(*d, i)));
            several = several || std::popcount(unsigned(d->Liftplan[i])) > 1;
        }
        const LoomSystem loom = GetLoomSystem(*d), got = GetLoomSystem(*back);
        EXPECT_EQ(got, loom == LoomSystem::Liftplan && !o.Both ? loom
                       : several                               ? LoomSystem::MultipleTreadling
                                                               : LoomSystem::SingleTreadling);
        EXPECT_TRUE(got != loom ||
                    (back->Treadling == d->Treadling && back->Liftplan == d->Liftplan));
        EXPECT_TRUE(loom == LoomSystem::Liftplan || back->TieUp == d->TieUp);
    }
}

// Real files (../shared/wif-samples) open within bounds or are refused with
// a message; the drafts worked out by hand from six of them match.
TEST(WifReader, RealFilesOpenOrAreRefused) {
    const std::filesystem::path samples =
        std::filesystem::path(HW_TEST_DATA_DIR) / ".." / ".." / ".." / "shared" / "wif-samples";
    if (!std::filesystem::exists(samples)) GTEST_SKIP() << "no " << samples;
    int opened = 0, refused = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(samples)) {
        if (entry.path().extension() != ".wif") continue;
        SCOPED_TRACE(entry.path().string());
        const Bytes bytes = test::ReadBytes(entry.path().string());
        fuzz::RunWif(bytes);
        const WifReadResult r = ReadWifBytes(*test::NewDraft(), bytes);
        r.Ok ? ++opened : ++refused; // RunWif checked the bounds
        EXPECT_TRUE(r.Ok || MessageText(*r.Error).find("16") != std::string::npos);
    }
    EXPECT_TRUE(opened > 40 && refused > 0);

    std::ifstream in(HW_TEST_DATA_DIR "/wif_sample_drawdowns.txt");
    std::map<std::string, std::string> drafts; // file: its lines
    std::string file;
    for (std::string line; std::getline(in, line);)
        if (line.starts_with("file "))
            file = line.substr(5);
        else if (!file.empty())
            drafts[file] += line + "\n";
    for (const auto& [name, want] : drafts) {
        auto d = test::NewDraft();
        ASSERT_TRUE(ReadWifBytes(*d, test::ReadBytes((samples / name).string())).Ok) << name;
        std::string got = "warp";
        for (int e = 1; e <= d->Ends; ++e) got += " " + Hex(d->Palette[d->WarpColors[e]]);
        got += "\nweft";
        for (int p = 1; p <= d->Picks; ++p) got += " " + Hex(d->Palette[d->WeftColors[p]]);
        for (int p = 1; p <= d->Picks; ++p) {
            got += "\n";
            for (int e = 1; e <= d->Ends; ++e) got += WeftOnTop(*d, p, e) ? '.' : 'X';
        }
        EXPECT_EQ(got + "\n", want) << name;
    }
    EXPECT_GE(drafts.size(), 6u);
}

} // namespace
} // namespace hw
