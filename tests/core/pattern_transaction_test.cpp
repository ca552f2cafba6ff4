// A save replaces the file whole or not at all; the design grid's companion
// files never cost the pattern.
#include "files/design_companion.h"
#include "files/pattern_file.h"
#include "model/loom_system.h"
#include "model/primitives.h"
#include "pattern_golden.h"
#include "test_drafts.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <map>
#include <sys/resource.h>
#include <sys/stat.h>

namespace hw {
namespace {

using namespace test;
namespace fs = std::filesystem;

std::unique_ptr<DraftState> OpenDocument() {
    std::mt19937 rng(99);
    auto d = RandomDraft(rng, LoomSystem::SingleTreadling, true);
    d->FileName = "/drafts/open.hdw";
    d->Changed = true;
    return d;
}

std::vector<std::string> FolderEntries(const fs::path& dir) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(PatternSave, ReplacesTheFileKeepingItsModeAndLinks) {
    TempDir dir;
    const std::string path = dir.File("twill.hdw");
    WriteBytes(path, {1, 2, 3});
    ::chmod(path.c_str(), 0640);
    auto d = OpenDocument();
    ASSERT_TRUE(SavePattern(*d, path, {}));
    EXPECT_EQ(ReadBytes(path), EncodePattern(*d, {}));
    EXPECT_EQ(d->FileName, path);
    EXPECT_FALSE(d->Changed);
    struct stat st;
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(FolderEntries(dir.Path), std::vector<std::string>{"twill.hdw"});
    // A link to a pattern stays a link; the file behind it is replaced.
    fs::create_directory(dir.Path / "real");
    WriteBytes(dir.File("real/target.hdw"), {9});
    fs::create_symlink(dir.File("real/target.hdw"), dir.Path / "link.hdw");
    ASSERT_TRUE(SavePattern(*d, dir.File("link.hdw"), {}));
    EXPECT_TRUE(fs::is_symlink(dir.Path / "link.hdw"));
    EXPECT_EQ(ReadBytes(dir.File("real/target.hdw")), EncodePattern(*d, {}));
}

TEST(PatternSave, AFailedSaveKeepsTheOldFileTheNameAndTheFlag) {
    TempDir dir;
    const Bytes oldFile = SampleBraced().Build();
    WriteBytes(dir.File("old.hdw"), oldFile);
    fs::create_directories(dir.Path / "taken.hdw" / "inside");
    auto d = OpenDocument();
    const auto before = std::make_unique<DraftState>(*d);
    {
        // Writes beyond the size limit fail, as they would on a full disk.
        rlimit old{}, lim{};
        ::getrlimit(RLIMIT_FSIZE, &old);
        lim = old;
        lim.rlim_cur = 500;
        const auto handler = std::signal(SIGXFSZ, SIG_IGN);
        ::setrlimit(RLIMIT_FSIZE, &lim);
        const Status full = SavePattern(*d, dir.File("old.hdw"), {});
        ::setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, handler);
        EXPECT_EQ(ErrorKey(full), "File Write Error");
    }
    // A target that is a folder, and a folder that does not exist.
    EXPECT_EQ(ErrorKey(SavePattern(*d, dir.File("taken.hdw"), {})), "File Write Error");
    EXPECT_EQ(ErrorKey(SavePattern(*d, dir.File("missing/new.hdw"), {})), "File Write Error");
    EXPECT_EQ(ReadBytes(dir.File("old.hdw")), oldFile);
    ExpectSameDocument(*d, *before);
    EXPECT_EQ(FolderEntries(dir.Path), (std::vector<std::string>{"old.hdw", "taken.hdw"}));
}

TEST(PatternSave, DesignModeWritesBothFilesOrNeither) {
    TempDir dir;
    auto d = OpenDocument();
    d->DesignMode = true;
    DesignPut(*d, 50, 50, true);
    const std::string path = dir.File("design.hdw");
    ASSERT_TRUE(SavePattern(*d, path, {}));
    EXPECT_EQ(ReadBytes(dir.File("design.hdb")), EncodeDesignFile(*d));
    // The companion cannot be written: the pattern stays the old one.
    const Bytes oldFile = ReadBytes(path);
    fs::remove(dir.Path / "design.hdb");
    fs::create_directories(dir.Path / "design.hdb" / "x");
    DesignPut(*d, 2, 2, true);
    d->Changed = true;
    EXPECT_FALSE(SavePattern(*d, path, {}));
    EXPECT_EQ(ReadBytes(path), oldFile);
    EXPECT_TRUE(d->Changed);
    // A pattern named like its own companion is refused.
    EXPECT_EQ(ErrorKey(SavePattern(*d, dir.File("self.hdb"), {})), "File Write Error");
    EXPECT_FALSE(fs::exists(dir.Path / "self.hdb"));
}

// A Design-mode liftplan pattern whose design differs from its draft.
struct DesignFiles {
    DesignFiles() {
        SetLoomSystem(*draft, LoomSystem::Liftplan);
        draft->Shafts = draft->Treadles = 4;
        draft->Ends = draft->Picks = 20;
        for (int e = 1; e <= 8; ++e) draft->Threading[e] = uint8_t((e - 1) % 4 + 1);
        for (int p = 1; p <= 8; ++p) LiftplanSet(*draft, p, (p - 1) % 4 + 1);
        UpdateUsed(*draft);
        draft->DesignMode = true;
        RecomputeWindow(*draft, 50, 50, true);
        fromDraft = draft->DesignGrid;
        DesignPut(*draft, 1, 2, true);
        DesignPut(*draft, 20, 20, true);
        pattern = EncodePattern(*draft, {});
        design = EncodeDesignFile(*draft);
    }
    // Loads the pattern with these files beside it.
    LoadResult Load(DraftState& d, std::map<std::string, Bytes> files) const {
        return LoadPatternBytes(d, pattern, "/p/design.hdw", {},
                                [files](const std::string& path, Bytes& out) {
                                    auto it = files.find(path);
                                    if (it == files.end()) return ReadStatus::NotFound;
                                    out = it->second;
                                    return ReadStatus::Ok;
                                });
    }
    std::unique_ptr<DraftState> draft = NewDraft();
    decltype(DraftState::DesignGrid) fromDraft;
    Bytes pattern, design;
};

TEST(PatternDesignFile, ReplacesTheComputedDesignAndDamageIsOnlyAWarning) {
    DesignFiles f;
    Bytes wrongSignature = f.design;
    wrongSignature[0] = 'X';
    const Bytes truncated(f.design.begin(), f.design.end() - 1);
    const std::tuple<std::map<std::string, Bytes>, const char*, bool> cases[] = {
        {{{"/p/design.hdb", f.design}}, "", true},
        {{}, "", false}, // none: the design is the draft's
        {{{"/p/design.hdb", wrongSignature}}, "Incorrect file signature.", false},
        {{{"/p/design.hdb", truncated}}, "File Read Error", false},
        {{{"/p/design.hdb", Bytes{'H'}}}, "Incorrect file signature.", false},
    };
    for (const auto& [files, warning, fromFile] : cases) {
        auto d = NewDraft();
        const LoadResult r = f.Load(*d, files);
        ASSERT_TRUE(r.Ok);
        EXPECT_EQ(r.Warnings.empty() ? "" : r.Warnings[0].Key, warning);
        EXPECT_TRUE(d->DesignMode);
        EXPECT_EQ(d->DesignGrid, fromFile ? f.draft->DesignGrid : f.fromDraft) << warning;
        EXPECT_EQ(d->FileName, "/p/design.hdw");
    }
}

TEST(PatternDesignFile, RowsOfAnyLengthAndCount) {
    // 60 rows of 8 bytes (64 ends): rows after 50 and ends after 50 are
    // dropped, and so is whatever lies beyond the draft's 20 ends and picks.
    Bytes hdb(128, 0);
    hdb[0] = 'H', hdb[1] = 'D', hdb[11] = 7, hdb[13] = 60; // row length 8, 60 rows
    for (int r = 0; r < 60; ++r)
        for (int b = 0; b < 8; ++b) hdb.push_back(r == 0 ? 0xFF : (r == 3 ? 0x01 : 0x00));
    DesignFiles f;
    auto d = NewDraft();
    ASSERT_TRUE(f.Load(*d, {{"/p/design.hdb", hdb}}).Ok);
    for (int e = 1; e <= 20; ++e) EXPECT_TRUE(DesignGet(*d, 1, e)) << e;
    EXPECT_FALSE(DesignGet(*d, 1, 21) || DesignGet(*d, 2, 1));
    EXPECT_TRUE(DesignGet(*d, 4, 1));
    ExpectModelInvariants(*d);
    // Rows longer than 300 bytes keep their first 300.
    Bytes wide(128, 0);
    wide[0] = 'H', wide[1] = 'D', wide[10] = 0x01, wide[11] = 0x8F, wide[13] = 2; // 400 bytes
    for (int r = 0; r < 2; ++r)
        for (int b = 0; b < 400; ++b) wide.push_back(b == 0 && r == 1 ? 0x04 : 0xAA * (b >= 300));
    ASSERT_TRUE(f.Load(*d, {{"/p/design.hdb", wide}}).Ok);
    EXPECT_TRUE(DesignGet(*d, 2, 3));
    EXPECT_FALSE(DesignGet(*d, 1, 2) || DesignGet(*d, 3, 1));
}

// A 24-bit bottom-up BMP; pixels[row][col] with row 0 at the top, 0 = black.
Bytes Bmp(const std::vector<std::vector<int>>& pixels) {
    const int h = int(pixels.size()), w = int(pixels[0].size());
    const int stride = (w * 3 + 3) / 4 * 4;
    Bytes b = {'B', 'M'};
    auto put = [&](uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i) b.push_back(uint8_t(v >> (8 * i)));
    };
    for (uint32_t v : {uint32_t(54 + stride * h), 0u, 54u, 40u, uint32_t(w), uint32_t(h)})
        put(v, 4);
    put(1, 2), put(24, 2);
    for (uint32_t v : {0u, uint32_t(stride * h), 2835u, 2835u, 0u, 0u}) put(v, 4);
    for (int row = h - 1; row >= 0; --row) {
        for (int col = 0; col < w; ++col) put(pixels[size_t(row)][size_t(col)] ? 0xFFFFFF : 0, 3);
        b.insert(b.end(), size_t(stride - w * 3), 0);
    }
    return b;
}

TEST(PatternDesignFile, Version5PictureIsReadRightToLeftBottomUp) {
    DesignFiles f;
    f.pattern[1] = 5;
    const Bytes bmp = Bmp({{1, 1, 0},   // top row: pick 2
                           {0, 1, 1}}); // bottom row: pick 1
    for (const char* name : {"/p/design.bmp", "/p/design.BMP"}) {
        auto d = NewDraft();
        const LoadResult r = f.Load(*d, {{name, bmp}});
        ASSERT_TRUE(r.Ok && r.Warnings.empty());
        EXPECT_TRUE(d->DesignMode);
        // End 1 is the rightmost column; black marks the set cells.
        for (int p = 1; p <= 3; ++p)
            for (int e = 1; e <= 4; ++e)
                EXPECT_EQ(DesignGet(*d, p, e), (p == 1 && e == 3) || (p == 2 && e == 1)) << p << e;
    }
    // Something else under the picture's name: a warning, the load stands.
    for (const Bytes& junk : {Bytes{'B', 'M', 1, 2}, Bytes{0x89, 'P', 'N', 'G'}}) {
        auto d = NewDraft();
        const LoadResult r = f.Load(*d, {{"/p/design.bmp", junk}});
        ASSERT_TRUE(r.Ok);
        EXPECT_EQ(r.Warnings, (std::vector<Message>{{"", "File Read Error", {}}}));
        EXPECT_EQ(d->DesignGrid, f.fromDraft);
    }
}

} // namespace
} // namespace hw
