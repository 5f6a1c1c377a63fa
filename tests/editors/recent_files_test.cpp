// File > Recent Files: the last ten files loaded or saved, newest first, each
// loaded again into the surface it came through; and what a target load says
// about a picture that does not fit its sheet.

#include <filesystem>

#include "editors/page_table.h"
#include "support/editor.h"
#include "support/run_batch.h"

namespace tw::test {
namespace {

// "s" + "3" + ".bmp", built by appending: GCC 12 at -O3 misreads a literal
// put before a temporary string as an overlapping copy.
std::string Numbered(const char* prefix, int i, const char* suffix = "") {
    std::string name = prefix;
    name += std::to_string(i);
    name += suffix;
    return name;
}

std::string Caption(Editor& e, int i) { return e.form().Get<MenuItem>(Numbered("mnuRecent", i)).Caption(); }

TEST(RecentFiles, NewestFirstTenAtMostEachBackIntoItsSurface) {
    Editor e;
    for (int i = 0; i < 3; ++i) e.Load("LoadQChip", NoisePicture(480, 256, i), Numbered("s", i, ".bmp"));
    e.program.SelectTab("Tab1", PageByLetter('R').tab);
    e.Load("LoadZChar", NoisePicture(288, 256, 9), "char.bmp");
    EXPECT_EQ(Caption(e, 0), "char.bmp - Charset target");
    EXPECT_EQ(Caption(e, 3), "s0.bmp - Chipset source");
    EXPECT_EQ(Caption(e, 4), "");
    EXPECT_FALSE(e.form().Get<MenuItem>("mnuRecent4").Enabled());

    // The first source comes back into CQ, its page in front, and moves up.
    e.Load("LoadQChip", NoisePicture(480, 256, 7), "other.bmp");
    e.Click("mnuRecent4");
    EXPECT_EQ(&e.program.FrontPage(), &PageByLetter('C'));
    EXPECT_TRUE(SameRaster(e.View("CQ"), NoisePicture(480, 256, 0)));
    EXPECT_EQ(Caption(e, 0), "s0.bmp - Chipset source");
    EXPECT_EQ(e.program.Status().Outcome().rfind("Loaded s0.bmp into the chipset source", 0), 0u);

    // A saved sheet counts too; ten at most.
    e.dialog.QueueFile(e.dir / "saved.png");
    e.Click("SaveZChip");
    EXPECT_EQ(Caption(e, 0), "saved.png - Chipset target");
    for (int i = 0; i < 12; ++i) e.Load("LoadQFace", NoisePicture(10, 10, i), Numbered("f", i, ".bmp"));
    ASSERT_EQ(e.program.Recent().List().size(), 10u);
    EXPECT_EQ(Caption(e, 9), "f2.bmp - Faceset source");

    // A file that is gone is taken off the list, and the user is told.
    std::filesystem::remove(e.dir / "f11.bmp");
    const Raster before = e.View("FQ");
    e.Click("mnuRecent0");
    EXPECT_EQ(e.program.Status().Outcome(), "it is gone: could not open f11.bmp, which was taken off Recent Files");
    EXPECT_EQ(Caption(e, 0), "f10.bmp - Faceset source");
    EXPECT_TRUE(SameRaster(e.View("FQ"), before));
}

// Larger, smaller and exact pictures on every target: the status line says
// what was left out or left empty, and the runner warns.
TEST(RecentFiles, TargetLoadsSayWhatDidNotFit) {
    for (const PageInfo& p : Pages()) {
        SCOPED_TRACE(p.name);
        const Size s = p.sheet;
        struct Case {
            int w, h;
            std::string note;
        };
        const Case cases[] = {
            {s.w, s.h, ""},
            {s.w + 12, s.h + 4,
             "; t.bmp is " + std::to_string(s.w + 12) + " x " + std::to_string(s.h + 4) +
                 ": 12 columns and 4 rows are outside the " + std::to_string(s.w) + " x " +
                 std::to_string(s.h) + " sheet"},
            {s.w - 16, s.h, "; t.bmp is " + std::to_string(s.w - 16) + " x " + std::to_string(s.h) +
                                ": the sheet's right 16 columns still show the empty surface, which a save writes"},
            {s.w + 1, s.h - 1, "; t.bmp is " + std::to_string(s.w + 1) + " x " + std::to_string(s.h - 1) +
                                   ": 1 column is outside the " + std::to_string(s.w) + " x " +
                                   std::to_string(s.h) + " sheet; the sheet's bottom 1 row still shows the "
                                   "empty surface, which a save writes"},
        };
        for (const Case& c : cases) {
            Editor e;
            e.Load(p.target.loadButton, Raster(c.w, c.h, 0x102030), "t.bmp");
            const std::string status = e.program.Status().Outcome();
            const size_t cut = status.find(')');
            ASSERT_NE(cut, std::string::npos) << status;
            EXPECT_EQ(status.substr(cut + 1), c.note) << status;
        }
    }
    ScratchDir dir;
    ASSERT_EQ(DumpRaster(Raster(300, 260), dir / "charA.png"), "");
    const Outcome r = RunBatch(dir, "file charA.png\nclick LoadZChar\n");
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.err.find("charA.png: charA.png is 300 x 260: 12 columns and 4 rows are outside the 288 x 256 sheet"),
              std::string::npos)
        << r.err;
}

}  // namespace
}  // namespace tw::test
