// A load commits whole or not at all; a save replaces the file whole or not
// at all; companion files never cost the pattern.
#include "files/design_companion.h"
#include "files/pattern_file.h"
#include "model/loom_system.h"
#include "model/primitives.h"
#include "pattern_golden.h"
#include "scripted_prompter.h"
#include "test_drafts.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <sys/resource.h>
#include <sys/stat.h>

namespace hw {
namespace {

using namespace test;
namespace fs = std::filesystem;

std::unique_ptr<DraftState> OpenDocument() {
    std::mt19937 rng(99);
    auto d = RandomDraft(rng, LoomSystem::MultipleTreadling, true);
    d->FileName = "/drafts/open.hdw";
    d->Changed = true;
    d->Notes = "keep me";
    SaveUndo(*d);
    return d;
}

std::vector<std::string> FolderEntries(const fs::path& dir) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(PatternTransaction, EveryTruncationFailsCleanly) {
    BracedFile liftplan = SampleBraced();
    liftplan.Type = 'd';
    liftplan.TieUpColumns.clear();
    liftplan.LiftplanRows.assign(10, {0x05});
    BracedFile old = SampleBraced();
    old.Version = 4;
    HeaderlessFile headerless;
    headerless.Notes = {'x', 'y', 0};
    const std::pair<const char*, Bytes> samples[] = {
        {"version 7", SampleBraced().Build()},
        {"liftplan", liftplan.Build()},
        {"version 4", old.Build()},
        {"headerless", headerless.Build()},
    };
    auto d = OpenDocument();
    const auto before = std::make_unique<DraftState>(*d);
    for (const auto& [name, file] : samples) {
        SCOPED_TRACE(name);
        ScriptedPrompter p;
        for (size_t cut = 0; cut < file.size(); ++cut) {
            const Bytes part(file.begin(), file.begin() + long(cut));
            const LoadResult r =
                LoadPatternBytes(*d, part, "/cut.hdw", {}, p, DiskCompanionReader());
            ASSERT_FALSE(r.Ok) << "cut at " << cut;
            ASSERT_EQ(p.LastText(), "Read beyond end of file") << "cut at " << cut;
        }
        EXPECT_EQ(p.Shown.size(), file.size());
        ExpectSameDocument(*d, *before);
        // The whole file loads.
        auto fresh = NewDraft();
        EXPECT_TRUE(LoadPatternBytes(*fresh, file, "/whole.hdw", {}, p, DiskCompanionReader()).Ok);
    }
}

TEST(PatternTransaction, MissingAndUnreadableFilesChangeNothing) {
    TempDir dir;
    auto d = OpenDocument();
    const auto before = std::make_unique<DraftState>(*d);
    ScriptedPrompter p;
    EXPECT_FALSE(LoadPattern(*d, dir.File("none.hdw"), {}, p).Ok);
    EXPECT_EQ(p.LastText(), "Cannot find " + dir.File("none.hdw"));
    EXPECT_FALSE(LoadPattern(*d, dir.Path.string(), {}, p).Ok); // a folder
    EXPECT_EQ(p.LastText(), "File Read Error");
    ExpectSameDocument(*d, *before);
}

TEST(PatternTransaction, SaveReplacesTheFileAndNamesTheDocument) {
    TempDir dir;
    const std::string path = dir.File("twill.hdw");
    WriteBytes(path, {1, 2, 3});
    ::chmod(path.c_str(), 0640);
    auto d = OpenDocument();
    ScriptedPrompter p;
    ASSERT_TRUE(SavePattern(*d, path, {}, p));
    EXPECT_EQ(ReadBytes(path), EncodePattern(*d, {}));
    EXPECT_EQ(d->FileName, path);
    EXPECT_FALSE(d->Changed);
    struct stat st;
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(FolderEntries(dir.Path), std::vector<std::string>{"twill.hdw"});

    // A link to a pattern stays a link; the file behind it is replaced.
    fs::create_directory(dir.Path / "real");
    const std::string real = dir.File("real/target.hdw");
    WriteBytes(real, {9});
    fs::create_symlink(real, dir.Path / "link.hdw");
    ASSERT_TRUE(SavePattern(*d, dir.File("link.hdw"), {}, p));
    EXPECT_TRUE(fs::is_symlink(dir.Path / "link.hdw"));
    EXPECT_EQ(ReadBytes(real), EncodePattern(*d, {}));
}

// Writes beyond the size limit fail, as they would on a full disk.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &old_);
        old_handler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit lim = old_;
        lim.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &lim);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, old_handler_);
    }

private:
    rlimit old_{};
    void (*old_handler_)(int) = nullptr;
};

TEST(PatternTransaction, FailedSaveKeepsTheOldFileNameAndFlag) {
    TempDir dir;
    const std::string path = dir.File("old.hdw");
    const Bytes oldFile = SampleBraced().Build();
    WriteBytes(path, oldFile);
    auto d = OpenDocument();
    const auto before = std::make_unique<DraftState>(*d);
    ScriptedPrompter p;
    {
        FileSizeLimit limit(500);
        EXPECT_FALSE(SavePattern(*d, path, {}, p));
    }
    EXPECT_EQ(p.LastText(), "File Write Error");
    EXPECT_EQ(ReadBytes(path), oldFile);
    ExpectSameDocument(*d, *before);
    EXPECT_EQ(FolderEntries(dir.Path), std::vector<std::string>{"old.hdw"});

    // A target that is a folder, and a folder that does not exist.
    fs::create_directory(dir.Path / "taken.hdw");
    fs::create_directory(dir.Path / "taken.hdw" / "inside");
    EXPECT_FALSE(SavePattern(*d, dir.File("taken.hdw"), {}, p));
    EXPECT_FALSE(SavePattern(*d, dir.File("missing/new.hdw"), {}, p));
    EXPECT_FALSE(SaveOldVersion(*d, dir.File("missing/new.hdw"), OldVersion::V4, {}, p));
    EXPECT_EQ(p.LastText(), "File Write Error");
    ExpectSameDocument(*d, *before);
    EXPECT_EQ(FolderEntries(dir.Path), (std::vector<std::string>{"old.hdw", "taken.hdw"}));
}

TEST(PatternTransaction, DesignModeSaveWritesBothFilesOrNeither) {
    TempDir dir;
    auto d = OpenDocument();
    d->MultipleTr = false;
    d->DesignMode = true;
    DesignPut(*d, 1, 1, true);
    DesignPut(*d, 50, 50, true);
    ScriptedPrompter p;
    const std::string path = dir.File("design.hdw");
    ASSERT_TRUE(SavePattern(*d, path, {}, p));
    EXPECT_EQ(ReadBytes(dir.File("design.hdb")), EncodeDesignFile(*d));

    // The companion cannot be written: the pattern stays the old one.
    const Bytes oldFile = ReadBytes(path);
    fs::remove(dir.Path / "design.hdb");
    fs::create_directory(dir.Path / "design.hdb");
    fs::create_directory(dir.Path / "design.hdb" / "x");
    DesignPut(*d, 2, 2, true);
    d->Changed = true;
    EXPECT_FALSE(SavePattern(*d, path, {}, p));
    EXPECT_EQ(ReadBytes(path), oldFile);
    EXPECT_TRUE(d->Changed);

    // A pattern named like its own companion is refused.
    EXPECT_FALSE(SavePattern(*d, dir.File("self.hdb"), {}, p));
    EXPECT_FALSE(fs::exists(dir.Path / "self.hdb"));
}

// A Design-mode liftplan pattern whose design differs from its draft.
struct DesignFiles {
    DesignFiles() {
        draft = NewDraft();
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
    LoadResult Load(DraftState& d, ScriptedPrompter& p, std::map<std::string, Bytes> files) {
        return LoadPatternBytes(d, pattern, "/p/design.hdw", {}, p,
                                [files](const std::string& path, std::vector<uint8_t>& out) {
                                    auto it = files.find(path);
                                    if (it == files.end()) return ReadStatus::NotFound;
                                    out = it->second;
                                    return ReadStatus::Ok;
                                });
    }
    std::unique_ptr<DraftState> draft;
    decltype(DraftState::DesignGrid) fromDraft;
    Bytes pattern, design;
};

TEST(PatternTransaction, DesignFileReplacesTheComputedDesign) {
    DesignFiles f;
    auto d = NewDraft();
    ScriptedPrompter p;
    ASSERT_TRUE(f.Load(*d, p, {{"/p/design.hdb", f.design}}).Ok);
    EXPECT_TRUE(p.Shown.empty());
    EXPECT_TRUE(d->DesignMode);
    EXPECT_EQ(d->DesignGrid, f.draft->DesignGrid);

    // Without a companion the design is the draft's.
    d = NewDraft();
    ASSERT_TRUE(f.Load(*d, p, {}).Ok);
    EXPECT_EQ(d->DesignGrid, f.fromDraft);
}

TEST(PatternTransaction, BadDesignFilesKeepTheComputedDesign) {
    DesignFiles f;
    Bytes wrongSignature = f.design;
    wrongSignature[0] = 'X';
    const Bytes truncated(f.design.begin(), f.design.end() - 1);
    const std::pair<Bytes, const char*> cases[] = {
        {wrongSignature, "Incorrect file signature."},
        {truncated, "File Read Error"},
        {Bytes{'H'}, "Incorrect file signature."},
    };
    for (const auto& [bytes, message] : cases) {
        auto d = NewDraft();
        ScriptedPrompter p;
        ASSERT_TRUE(f.Load(*d, p, {{"/p/design.hdb", bytes}}).Ok);
        EXPECT_EQ(p.LastText(), message);
        EXPECT_EQ(d->DesignGrid, f.fromDraft);
        EXPECT_EQ(d->FileName, "/p/design.hdw");
    }
}

TEST(PatternTransaction, DesignFileRowsOfAnyLengthAndCount) {
    // 60 rows of 8 bytes (64 ends): rows after 50 and ends after 50 are
    // dropped, and so is whatever lies beyond the draft's 20 ends and picks.
    Bytes hdb(128, 0);
    hdb[0] = 'H', hdb[1] = 'D';
    hdb[11] = 7;  // row length 8
    hdb[13] = 60; // rows
    for (int r = 0; r < 60; ++r)
        for (int b = 0; b < 8; ++b) hdb.push_back(r == 0 ? 0xFF : (r == 3 ? 0x01 : 0x00));
    DesignFiles f;
    auto d = NewDraft();
    ScriptedPrompter p;
    ASSERT_TRUE(f.Load(*d, p, {{"/p/design.hdb", hdb}}).Ok) << p.LastText();
    for (int e = 1; e <= 20; ++e) EXPECT_TRUE(DesignGet(*d, 1, e)) << e;
    EXPECT_FALSE(DesignGet(*d, 1, 21));
    EXPECT_TRUE(DesignGet(*d, 4, 1));
    EXPECT_FALSE(DesignGet(*d, 2, 1));
    ExpectModelInvariants(*d);

    // Rows longer than 300 bytes keep their first 300.
    Bytes wide(128, 0);
    wide[0] = 'H', wide[1] = 'D';
    wide[10] = 0x01, wide[11] = 0x8F; // 400 bytes
    wide[13] = 2;
    for (int r = 0; r < 2; ++r)
        for (int b = 0; b < 400; ++b) wide.push_back(b == 0 && r == 1 ? 0x04 : 0xAA * (b >= 300));
    ASSERT_TRUE(f.Load(*d, p, {{"/p/design.hdb", wide}}).Ok) << p.LastText();
    EXPECT_TRUE(DesignGet(*d, 2, 3));
    EXPECT_FALSE(DesignGet(*d, 1, 2));
    EXPECT_FALSE(DesignGet(*d, 3, 1));
}

// A 24-bit bottom-up BMP; pixels[row][col] with row 0 at the top, 0 = black.
Bytes Bmp(const std::vector<std::vector<int>>& pixels) {
    const int h = int(pixels.size()), w = int(pixels[0].size());
    const int stride = (w * 3 + 3) / 4 * 4;
    Bytes b;
    auto put32 = [&](uint32_t v) {
        for (int i = 0; i < 4; ++i) b.push_back(uint8_t(v >> (8 * i)));
    };
    auto put16 = [&](uint16_t v) {
        b.push_back(uint8_t(v));
        b.push_back(uint8_t(v >> 8));
    };
    b.push_back('B'), b.push_back('M');
    put32(uint32_t(54 + stride * h)), put32(0), put32(54);
    put32(40), put32(uint32_t(w)), put32(uint32_t(h)), put16(1), put16(24), put32(0);
    put32(uint32_t(stride * h)), put32(2835), put32(2835), put32(0), put32(0);
    for (int row = h - 1; row >= 0; --row) {
        for (int col = 0; col < w; ++col)
            for (int c = 0; c < 3; ++c) b.push_back(pixels[size_t(row)][size_t(col)] ? 255 : 0);
        b.insert(b.end(), size_t(stride - w * 3), 0);
    }
    return b;
}

TEST(PatternTransaction, Version5DesignPictureIsReadRightToLeftBottomUp) {
    DesignFiles f;
    f.pattern[1] = 5;
    // 3 wide, 2 high; black marks the set cells.
    const Bytes bmp = Bmp({{1, 1, 0},   // top row: pick 2
                           {0, 1, 1}}); // bottom row: pick 1
    for (const char* name : {"/p/design.bmp", "/p/design.BMP"}) {
        auto d = NewDraft();
        ScriptedPrompter p;
        ASSERT_TRUE(f.Load(*d, p, {{name, bmp}}).Ok) << p.LastText();
        EXPECT_TRUE(p.Shown.empty()) << p.LastText();
        EXPECT_TRUE(d->DesignMode);
        // End 1 is the rightmost column.
        EXPECT_FALSE(DesignGet(*d, 1, 1));
        EXPECT_FALSE(DesignGet(*d, 1, 2));
        EXPECT_TRUE(DesignGet(*d, 1, 3));
        EXPECT_TRUE(DesignGet(*d, 2, 1));
        EXPECT_FALSE(DesignGet(*d, 2, 2));
        EXPECT_FALSE(DesignGet(*d, 2, 3));
        EXPECT_FALSE(DesignGet(*d, 3, 1));
        EXPECT_FALSE(DesignGet(*d, 1, 4));
    }
    // Something else under the picture's name: reported, the load stands.
    for (const Bytes& junk : {Bytes{'B', 'M', 1, 2}, Bytes{0x89, 'P', 'N', 'G'}}) {
        auto d = NewDraft();
        ScriptedPrompter p;
        ASSERT_TRUE(f.Load(*d, p, {{"/p/design.bmp", junk}}).Ok);
        EXPECT_EQ(p.LastText(), "File Read Error");
        EXPECT_EQ(d->DesignGrid, f.fromDraft);
    }
}

} // namespace
} // namespace hw
