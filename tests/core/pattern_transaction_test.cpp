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

// How many entries a folder has: no temporary file may stay behind.
auto Entries(const fs::path& dir) {
    return std::distance(fs::directory_iterator(dir), fs::directory_iterator());
}

TEST(PatternSave, ReplacesTheFileWholeOrNotAtAll) {
    TempDir dir;
    const std::string path = dir.File("twill.hdw");
    const Bytes oldFile = SampleBraced().Build();
    WriteBytes(path, oldFile);
    ::chmod(path.c_str(), 0640);
    std::mt19937 rng(99);
    auto d = RandomDraft(rng, LoomSystem::SingleTreadling, true);
    d->FileName = "/drafts/open.hdw";
    d->Changed = true;
    const auto before = std::make_unique<DraftState>(*d);
    // Writes beyond the size limit fail, as they would on a full disk; so do
    // a target that is a folder and a folder that does not exist.
    rlimit old{}, lim{};
    ::getrlimit(RLIMIT_FSIZE, &old);
    lim = old, lim.rlim_cur = 500;
    const auto handler = std::signal(SIGXFSZ, SIG_IGN);
    ::setrlimit(RLIMIT_FSIZE, &lim);
    const Status full = SavePattern(*d, path, {});
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, handler);
    EXPECT_EQ(ErrorKey(full), "File Write Error");
    fs::create_directories(dir.Path / "taken.hdw" / "inside");
    EXPECT_EQ(ErrorKey(SavePattern(*d, dir.File("taken.hdw"), {})), "File Write Error");
    EXPECT_EQ(ErrorKey(SavePattern(*d, dir.File("missing/new.hdw"), {})), "File Write Error");
    EXPECT_EQ(ReadBytes(path), oldFile);
    ExpectSameDocument(*d, *before);
    EXPECT_EQ(Entries(dir.Path), 2);

    // A save that goes through keeps the file's mode and leaves nothing else.
    ASSERT_TRUE(SavePattern(*d, path, {}));
    EXPECT_EQ(ReadBytes(path), EncodePattern(*d, {}));
    EXPECT_TRUE(d->FileName == path && !d->Changed);
    struct stat st;
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(Entries(dir.Path), 2);
    // A link to a pattern stays a link; the file behind it is replaced.
    fs::create_symlink(path, dir.Path / "link.hdw");
    d->Threading[1] = 0;
    ASSERT_TRUE(SavePattern(*d, dir.File("link.hdw"), {}));
    EXPECT_TRUE(fs::is_symlink(dir.Path / "link.hdw"));
    EXPECT_EQ(ReadBytes(path), EncodePattern(*d, {}));

    // Design mode writes the pattern and its design file, or neither.
    d->DesignMode = true;
    DesignPut(*d, 50, 50, true);
    ASSERT_TRUE(SavePattern(*d, path, {}));
    EXPECT_EQ(ReadBytes(dir.File("twill.hdb")), EncodeDesignFile(*d));
    const Bytes saved = ReadBytes(path);
    fs::remove(dir.Path / "twill.hdb");
    fs::create_directories(dir.Path / "twill.hdb" / "x");
    DesignPut(*d, 2, 2, true);
    d->Changed = true;
    EXPECT_FALSE(SavePattern(*d, path, {}));
    EXPECT_TRUE(ReadBytes(path) == saved && d->Changed);
    // A pattern named like its own companion is refused.
    EXPECT_EQ(ErrorKey(SavePattern(*d, dir.File("self.hdb"), {})), "File Write Error");
    EXPECT_FALSE(fs::exists(dir.Path / "self.hdb"));
}

// A Design-mode liftplan pattern whose design differs from its draft.
struct DesignFiles {
    DesignFiles() {
        SetLoomSystem(*draft, LoomSystem::Liftplan);
        draft->Shafts = draft->Treadles = 4, draft->Ends = draft->Picks = 20;
        for (int i = 1; i <= 8; ++i)
            draft->Threading[i] = uint8_t((i - 1) % 4 + 1), LiftplanSet(*draft, i, (i - 1) % 4 + 1);
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
                                    if (!files.count(path)) return ReadStatus::NotFound;
                                    out = files.at(path);
                                    return ReadStatus::Ok;
                                });
    }
    std::unique_ptr<DraftState> draft = NewDraft();
    decltype(DraftState::DesignGrid) fromDraft;
    Bytes pattern, design;
};

// A design file of `rows` rows of `length` bytes, filled by row and byte.
Bytes DesignFile(int rows, int length, uint8_t (*cell)(int row, int byte)) {
    Bytes hdb(128, 0);
    hdb[0] = 'H', hdb[1] = 'D', hdb[10] = uint8_t((length - 1) >> 8);
    hdb[11] = uint8_t(length - 1), hdb[13] = uint8_t(rows);
    for (int r = 0; r < rows; ++r)
        for (int b = 0; b < length; ++b) hdb.push_back(cell(r, b));
    return hdb;
}

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
        EXPECT_TRUE(d->DesignMode && d->FileName == "/p/design.hdw");
        EXPECT_EQ(d->DesignGrid, fromFile ? f.draft->DesignGrid : f.fromDraft) << warning;
    }
    // Any row length and count: rows after 50 and bytes after 300 are
    // dropped, and so is whatever lies beyond the draft's 20 ends and picks.
    auto d = NewDraft();
    const Bytes many =
        DesignFile(60, 8, [](int r, int) { return uint8_t(r == 0 ? 0xFF : r == 3); });
    ASSERT_TRUE(f.Load(*d, {{"/p/design.hdb", many}}).Ok);
    for (int e = 1; e <= 20; ++e) EXPECT_TRUE(DesignGet(*d, 1, e)) << e;
    EXPECT_TRUE(!DesignGet(*d, 1, 21) && !DesignGet(*d, 2, 1) && DesignGet(*d, 4, 1));
    ExpectModelInvariants(*d);
    const Bytes wide = DesignFile(
        2, 400, [](int r, int b) { return uint8_t(b == 0 && r == 1 ? 4 : 0xAA * (b >= 300)); });
    ASSERT_TRUE(f.Load(*d, {{"/p/design.hdb", wide}}).Ok);
    EXPECT_TRUE(DesignGet(*d, 2, 3) && !DesignGet(*d, 1, 2) && !DesignGet(*d, 3, 1));
}

// A 24-bit bottom-up BMP; pixels[row][col] with row 0 at the top, 1 = white.
Bytes Bmp(const std::vector<std::vector<int>>& pixels) {
    const int h = int(pixels.size()), w = int(pixels[0].size()), stride = (w * 3 + 3) / 4 * 4;
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
        ASSERT_TRUE(r.Ok && r.Warnings.empty() && d->DesignMode);
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
