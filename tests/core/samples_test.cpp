// The sample patterns that ship with the editor: each opens, paints and saves
// back to the very bytes it came in, and together they show every loom
// system, both sheds and Design mode with its design file.
#include "files/pattern_file.h"
#include "model/draft_state.h"
#include "pattern_golden.h"
#include "test_drafts.h"
#include "view/draft_image.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

namespace hw {
namespace {

using namespace test;
namespace fs = std::filesystem;

TEST(Samples, OpenPaintAndSaveBackUnchanged) {
    std::set<LoomSystem> systems;
    std::set<bool> sheds;
    int count = 0, designs = 0;
    TempDir dir;
    for (const fs::directory_entry& entry : fs::directory_iterator(HW_SAMPLES_DIR)) {
        if (entry.path().extension() != ".hdw") continue;
        const std::string path = entry.path().string(), name = entry.path().filename().string();
        SCOPED_TRACE(name);
        ++count;
        auto d = NewDraft();
        const LoadResult r = LoadPattern(*d, path, LoadRequest{});
        ASSERT_TRUE(r.Ok && r.Warnings.empty());
        EXPECT_GT(d->Notes.size(), 200u);
        systems.insert(GetLoomSystem(*d));
        sheds.insert(d->Shed);
        designs += d->DesignMode;

        // Every yarn colour of the draft is painted, and more than the yarns.
        const DraftImage image = RenderDraftImage(*d, {.Zoom = 3, .Style = 3});
        ASSERT_TRUE(image.Picture);
        std::set<ColorRef> painted, yarns;
        for (int y = 0; y < image.Picture->Height(); ++y)
            for (int x = 0; x < image.Picture->Width(); ++x)
                painted.insert(image.Picture->PixelColor(x, y));
        for (int e = 1; e <= d->Ends; ++e) yarns.insert(d->ColorTable[d->WarpColors[e]]);
        for (int p = 1; p <= d->Picks; ++p) yarns.insert(d->ColorTable[d->WeftColors[p]]);
        for (ColorRef c : yarns) EXPECT_TRUE(painted.count(c)) << std::hex << c;
        EXPECT_GT(painted.size(), yarns.size());

        ASSERT_TRUE(SavePattern(*d, dir.File(name), {.SaveLayout = false}));
        EXPECT_EQ(ReadBytes(dir.File(name)), ReadBytes(path));
        if (d->DesignMode) {
            const std::string design = fs::path(name).replace_extension(".hdb").string();
            EXPECT_EQ(ReadBytes(dir.File(design)),
                      ReadBytes((entry.path().parent_path() / design).string()));
        }
    }
    EXPECT_GE(count, 12);
    EXPECT_EQ(systems.size(), 3u);
    EXPECT_EQ(sheds.size(), 2u);
    EXPECT_EQ(designs, 1);
}

} // namespace
} // namespace hw
