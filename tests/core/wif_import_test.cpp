// WIF files read back: hand-written files for each tolerance and limit, the
// writer's files of random drafts, and real files of other programs.
#include "../../fuzz/read_wif_harness.h"
#include "files/message_text.h"
#include "files/wif_file.h"
#include "files/wif_reader.h"
#include "model/drawdown.h"
#include "pattern_golden.h"
#include "test_drafts.h"

#include <gtest/gtest.h>

#include <bit>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <sstream>

namespace hw {
namespace {

using test::Bytes;

Bytes BytesOf(const std::string& s) {
    return Bytes(s.begin(), s.end());
}

std::string Hex(const PaletteEntry& c) {
    char s[8];
    std::snprintf(s, sizeof s, "#%02X%02X%02X", c.Red, c.Green, c.Blue);
    return s;
}

// The [PRIVATE EXPECT] entries of a test file; "\xNN" stands for a byte.
std::map<std::string, std::string> Expectations(const Bytes& file) {
    std::map<std::string, std::string> expect;
    std::istringstream in(std::string(file.begin(), file.end()));
    bool inside = false;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.starts_with('[')) inside = line == "[PRIVATE EXPECT]";
        const size_t eq = line.find('=');
        if (!inside || eq == std::string::npos) continue;
        std::string value;
        for (size_t i = eq + 1; i < line.size(); ++i)
            value += line.compare(i, 2, "\\x")
                         ? line[i]
                         : char(std::stoi(line.substr((i += 3) - 1, 2), 0, 16));
        expect[line.substr(0, eq)] = value;
    }
    return expect;
}

// A value of the imported draft in the expectations' words: lists hold
// elements 1..n, a tie-up column its shafts as bits, notes "|" for a line end.
std::string Field(const DraftState& d, const WifReadResult& r, const std::string& key, int n) {
    const std::map<std::string, std::function<std::string(int)>> lists = {
        {"Threading", [&](int i) { return std::to_string(d.Threading[i]); }},
        {"Treadling", [&](int i) { return std::to_string(d.Treadling[i]); }},
        {"Liftplan", [&](int i) { return std::to_string(d.Liftplan[i]); }},
        {"WarpColors", [&](int i) { return std::to_string(d.WarpColors[i]); }},
        {"WeftColors", [&](int i) { return std::to_string(d.WeftColors[i]); }},
        {"Palette", [&](int i) { return Hex(d.Palette[i - 1]); }},
        {"TieUp", [&](int t) {
             int bits = 0;
             for (int s = 1; s <= MaxShafts; ++s) bits |= d.TieUpAt(s, t) << (s - 1);
             return std::to_string(bits);
         }}};
    if (const auto list = lists.find(key); list != lists.end()) {
        std::string s;
        for (int i = 1; i <= n; ++i) s += (i > 1 ? "," : "") + list->second(i);
        return s;
    }
    const char* looms[] = {"liftplan", "single", "multiple"};
    std::string notes = d.Notes;
    for (size_t at; (at = notes.find("\r\n")) != std::string::npos;) notes.replace(at, 2, "|");
    const std::map<std::string, std::string> values = {
        {"Loom", looms[int(GetLoomSystem(d))]}, {"Sinking", std::to_string(d.Shed)},
        {"Ends", std::to_string(d.Ends)},       {"Picks", std::to_string(d.Picks)},
        {"Shafts", std::to_string(d.Shafts)},   {"Treadles", std::to_string(d.Treadles)},
        {"Skipped", std::to_string(r.Skipped)}, {"Notes", notes}};
    return values.at(key);
}

// Each file in tests/data/wif shows one or more tolerances or limits and
// says in its own private section what it must give; a refused file leaves
// the document exactly as it was. Each also goes through the fuzzer's
// checks, as do the inputs it once found (tests/data/fuzz-wif).
TEST(WifReader, HandWrittenFilesGiveWhatTheySay) {
    const std::filesystem::path found = HW_TEST_DATA_DIR "/fuzz-wif";
    for (const auto& entry : std::filesystem::exists(found)
                                 ? std::filesystem::directory_iterator(found)
                                 : std::filesystem::directory_iterator())
        fuzz::RunWif(test::ReadBytes(entry.path().string())); // aborts on a fault
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(HW_TEST_DATA_DIR "/wif")) {
        SCOPED_TRACE(entry.path().filename().string());
        const Bytes bytes = test::ReadBytes(entry.path().string());
        fuzz::RunWif(bytes);
        const auto expect = Expectations(bytes);
        ASSERT_FALSE(expect.empty());
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
            EXPECT_NE(MessageText(*r.Error), r.Error->Key); // the table has the text
            test::ExpectSameDocument(*d, *before);
            continue;
        }
        ASSERT_TRUE(r.Ok);
        EXPECT_TRUE(d->FileName.empty());
        EXPECT_EQ(r.Warnings.size(), size_t(r.Skipped > 0));
        for (const auto& [key, value] : expect) {
            const int n = int(std::count(value.begin(), value.end(), ',')) + 1;
            EXPECT_EQ(Field(*d, r, key, n), value) << key;
        }
        test::ExpectModelInvariants(*d);
    }
    EXPECT_GE(files, 13);
}

// Every draft the writer writes reads back as the same draft: a multiple
// treadling without a pick of several treadles comes back single, and a
// liftplan written with its tie-up and treadling beside it comes back as
// treadles that weave the same cloth.
TEST(WifReader, ReadsBackWhatTheWriterWrites) {
    std::mt19937 rng(19);
    for (int round = 0; round < 90; ++round) {
        SCOPED_TRACE(round);
        auto d = test::RandomDraft(rng, LoomSystem(round % 3), round % 2 == 1);
        for (PaletteEntry& c : d->Palette) c = {uint8_t(rng()), uint8_t(rng()), uint8_t(rng())};
        const char* pieces[] = {"ä ", "Gewebe", "\r\n", "=1", "; no comment", "[X]", "€ß", " "};
        for (int i = rng() % 12; i > 0; --i)
            d->Notes += d->Notes.empty() ? "ä " : pieces[rng() % 8];
        WifOptions o;
        o.Both = round % 5 == 4;
        auto back = test::NewDraft();
        const WifReadResult r = ReadWifBytes(*back, BytesOf(WifText(*d, o)));
        ASSERT_TRUE(r.Ok);
        EXPECT_EQ(r.Skipped, 0);
        const int ends = std::max(LastThreadedEnd(*d, d->Ends), 2), picks = d->Picks;
        ASSERT_EQ(std::tuple(back->Ends, back->Picks, back->Shafts, back->Treadles, back->Shed),
                  std::tuple(ends, picks, d->Shafts, d->Treadles, d->Shed));
        EXPECT_EQ(back->Notes, d->Notes);
        EXPECT_EQ(back->Palette, d->Palette);
        EXPECT_EQ(back->Threading, d->Threading);
        for (int e = 1; e <= ends; ++e) ASSERT_EQ(back->WarpColors[e], d->WarpColors[e]);
        for (int p = 1; p <= picks; ++p) ASSERT_EQ(back->WeftColors[p], d->WeftColors[p]);
        for (int p = 1; p <= picks; ++p)
            for (int e = 1; e <= ends; ++e) ASSERT_EQ(WeftOnTop(*back, p, e), WeftOnTop(*d, p, e));
        if (o.Both && GetLoomSystem(*d) == LoomSystem::Liftplan) continue;
        auto set = [](const DraftState& x, int p) {
            const LoomSystem l = GetLoomSystem(x);
            return l == LoomSystem::SingleTreadling
                       ? (x.Treadling[p] ? 1 << (x.Treadling[p] - 1) : 0)
                       : int(x.Liftplan[p]);
        };
        bool several = false;
        for (int p = 1; p <= picks; ++p) {
            ASSERT_EQ(set(*back, p), set(*d, p)) << p;
            several = several || std::popcount(unsigned(set(*d, p))) > 1;
        }
        EXPECT_EQ(GetLoomSystem(*back),
                  GetLoomSystem(*d) == LoomSystem::MultipleTreadling && !several
                      ? LoomSystem::SingleTreadling
                      : GetLoomSystem(*d));
        EXPECT_TRUE(GetLoomSystem(*d) == LoomSystem::Liftplan || back->TieUp == d->TieUp);
    }
}

// Files of other programs, when ../shared/wif-samples is beside the
// repository: every one opens within the model's bounds or is refused with
// a message, and the drafts worked out by hand from six of them match.
TEST(WifReader, RealFilesOpenOrAreRefused) {
    const std::filesystem::path samples =
        std::filesystem::path(HW_TEST_DATA_DIR) / ".." / ".." / ".." / "shared" / "wif-samples";
    if (!std::filesystem::exists(samples)) GTEST_SKIP() << "no " << samples;
    int opened = 0, refused = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(samples)) {
        if (entry.path().extension() != ".wif") continue;
        SCOPED_TRACE(entry.path().string());
        auto d = test::NewDraft();
        const Bytes bytes = test::ReadBytes(entry.path().string());
        fuzz::RunWif(bytes);
        const WifReadResult r = ReadWifBytes(*d, bytes);
        r.Ok ? ++opened : ++refused;
        if (r.Ok) test::ExpectModelInvariants(*d);
        EXPECT_TRUE(r.Ok || MessageText(*r.Error).find("16") != std::string::npos);
    }
    EXPECT_GT(opened, 40);
    EXPECT_GT(refused, 0);

    std::ifstream in(HW_TEST_DATA_DIR "/wif_sample_drawdowns.txt");
    std::unique_ptr<DraftState> d;
    int pick = 0, checked = 0;
    auto colours = [](std::istringstream& list, int count, auto colourOf) {
        std::vector<std::string> want{std::istream_iterator<std::string>(list), {}};
        for (int i = 0; i < count; ++i) EXPECT_EQ(colourOf(i + 1), want[size_t(i) % want.size()]);
    };
    auto finish = [&] { EXPECT_TRUE(!d || pick == d->Picks) << pick; };
    for (std::string line; std::getline(in, line);) {
        std::istringstream words(line);
        std::string word;
        words >> word;
        if (word == "file") {
            finish();
            d = test::NewDraft(), pick = 0, ++checked;
            const std::string path = (samples / line.substr(5)).string();
            ASSERT_TRUE(ReadWifBytes(*d, test::ReadBytes(path)).Ok) << path;
        } else if (word == "warp" && d) {
            colours(words, d->Ends, [&](int e) { return Hex(d->Palette[d->WarpColors[e]]); });
        } else if (word == "weft" && d) {
            colours(words, d->Picks, [&](int p) { return Hex(d->Palette[d->WeftColors[p]]); });
        } else if (d && !line.empty() && line[0] != '#') {
            ++pick;
            std::string woven;
            for (int e = 1; e <= d->Ends; ++e) woven += WeftOnTop(*d, pick, e) ? '.' : 'X';
            EXPECT_EQ(woven, line) << "pick " << pick;
        }
    }
    finish();
    EXPECT_GE(checked, 5);
}

} // namespace
} // namespace hw
