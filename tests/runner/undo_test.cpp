// Undo and redo of the target sheets through tilewright-batch on every page.

#include <sys/wait.h>

#include <fstream>
#include <sstream>

#include "support/editor.h"
#include "support/image_files.h"
#include "support/run_batch.h"
#include "editors/page_table.h"

namespace tw::test {
namespace {

// On every page: a cancelled load of a blank sheet is no step; load, stamp
// twice, undo three times back to the start-up sheet, redo three times to the
// second stamp; a cancelled or failed load after stamps changes nothing and
// is no step; a new change drops the steps to redo. Page 0's sheet, stamped
// first, stays as it was through another page's undos.
TEST(Undo, EveryPageUndoesAndRedoesToTheExactPixels) {
    for (const PageInfo& page : Pages()) {
        SCOPED_TRACE(page.name);
        ScratchDir dir;
        ASSERT_EQ(DumpRaster(NoisePicture(512, 1024, 7), dir / "source.bmp"), "");
        ASSERT_EQ(DumpRaster(NoisePicture(page.sheet.w, page.sheet.h, 11), dir / "target.bmp"), "");
        const std::string z = page.target.surface, q = page.source.surface;
        const Size cell = page.cells.front();
        const std::string stamp1 = std::to_string(cell.w) + " " + std::to_string(cell.h);
        const std::string stamp2 = std::to_string(cell.w * 2 + 1) + " 1";
        const auto dump = [&](const std::string& name) { return "dump " + z + " " + name + ".bmp\n"; };
        const bool other = page.letter != 'C';
        std::string s;
        if (other)
            s += "tab Tab1 0\nfile source.bmp\nclick LoadQChip\ndown CQ 1 40 40\n"
                 "down CZ 1 100 100\ndump CZ chip.bmp\n";
        s += "tab Tab1 " + std::to_string(page.tab) + "\n";
        s += "cancel\nclick " + std::string(page.target.loadButton) + "\nshow mnuUndo\n";
        s += dump("start");
        s += "file source.bmp\nclick " + std::string(page.source.loadButton) + "\n";
        s += "down " + q + " 1 " + std::to_string(cell.w) + " " + std::to_string(cell.h) + "\n";
        s += "file target.bmp\nclick " + std::string(page.target.loadButton) + "\n" + dump("loaded");
        s += "down " + z + " 1 " + stamp1 + "\n" + dump("one");
        s += "down " + z + " 1 " + stamp2 + "\n" + dump("two");
        s += "show mnuUndo\ncancel\nclick " + std::string(page.target.loadButton) + "\n" + dump("cancelled");
        s += "file missing.png\nclick " + std::string(page.target.loadButton) + "\n" + dump("failed");
        s += "show mnuUndo\nclick mnuUndo\n" + dump("u1") + "click mnuUndo\n" + dump("u2");
        s += "show mnuUndo\nclick mnuUndo\n" + dump("u3") + "show mnuUndo\nclick mnuUndo\n";
        s += "show mnuRedo\nclick mnuRedo\nclick mnuRedo\nclick mnuRedo\n" + dump("r3");
        s += "click mnuUndo\nclick mnuUndo\ndown " + z + " 1 " + stamp2 + "\nshow mnuRedo\n";
        if (other) s += "dump CZ chip_after.bmp\n";

        const Outcome r = RunBatch(dir, s);
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out,
                  "mnuUndo caption=\"&Undo\" enabled=0\n"
                  "mnuUndo caption=\"&Undo Stamp\" enabled=1\n"
                  "mnuUndo caption=\"&Undo Stamp\" enabled=1\n"
                  "mnuUndo caption=\"&Undo Load Target\" enabled=1\n"
                  "mnuUndo caption=\"&Undo\" enabled=0\n"
                  "mnuRedo caption=\"&Redo Load Target\" enabled=1\n"
                  "mnuRedo caption=\"&Redo\" enabled=0\n");
        const auto same = [&](const char* a, const char* b) {
            return ReadText(dir / a) == ReadText(dir / b);
        };
        EXPECT_FALSE(same("loaded.bmp", "one.bmp"));
        EXPECT_FALSE(same("one.bmp", "two.bmp"));
        EXPECT_TRUE(same("cancelled.bmp", "two.bmp"));
        EXPECT_TRUE(same("failed.bmp", "two.bmp"));
        EXPECT_TRUE(same("u1.bmp", "one.bmp"));
        EXPECT_TRUE(same("u2.bmp", "loaded.bmp"));
        EXPECT_TRUE(same("u3.bmp", "start.bmp"));
        EXPECT_TRUE(same("r3.bmp", "two.bmp"));
        if (other) {
            EXPECT_TRUE(same("chip.bmp", "chip_after.bmp"));
        }
    }
}

// The sheet's file: Save writes it without a dialog, Revert to Saved goes
// back to it as one step, and the title names it and marks changes (the
// revert is the clean point now: undoing past it is a change again).
TEST(Undo, SaveRevertAndTheTitleFollowTheSheetsFile) {
    ScratchDir dir;
    ASSERT_EQ(DumpRaster(NoisePicture(480, 256, 3), dir / "a.png"), "");
    ASSERT_EQ(DumpRaster(NoisePicture(480, 256, 4), dir / "src.bmp"), "");
    const Outcome r = RunBatch(dir,
                               "show Title\nfile a.png\nclick LoadZChip\nshow Title\nshow mnuRevert\n"
                               "file src.bmp\nclick LoadQChip\ndown CQ 1 40 40\ndown CZ 1 100 100\n"
                               "show Title\nshow mnuRevert\nfile f.png\nclick mnuSave\nshow Title\nshow mnuRevert\n"
                               "dump CZ saved.bmp\ndown CZ 1 200 100\ndump CZ stamped.bmp\n"
                               "click mnuRevert\ndump CZ reverted.bmp\nshow mnuUndo\nshow Title\n"
                               "click mnuUndo\ndump CZ unreverted.bmp\nshow Title\nclick mnuUndo\n"
                               "show Title\ntab Tab1 2\nshow Title\ndown FZ 1 0 0\nshow Title\n"
                               "click mnuSave\nshow Title\n");
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string title = "Title text=\"Ravelins RPG2K Tilewright (Version 2.5)";
    EXPECT_EQ(r.out, title + "\"\n" + title + " - a.png\"\nmnuRevert caption=\"&Revert to Saved\" enabled=0\n" +
                         title + " - a.png *\"\nmnuRevert caption=\"&Revert to Saved\" enabled=1\n" +
                         title + " - a.png\"\nmnuRevert caption=\"&Revert to Saved\" enabled=0\n" +
                         "mnuUndo caption=\"&Undo Revert\" enabled=1\n" + title + " - a.png\"\n" +
                         title + " - a.png *\"\n" + title + " - a.png *\"\n" + title + "\"\n" + title +
                         " - (unsaved) *\"\n" + title + " - f.png\"\n");
    const auto read = [&](const char* name) { return ReadText(dir / name); };
    EXPECT_TRUE(SameRaster(ReadPicture(dir / "a.png"), ReadPicture(dir / "saved.bmp")));
    EXPECT_EQ(read("reverted.bmp"), read("saved.bmp"));
    EXPECT_EQ(read("unreverted.bmp"), read("stamped.bmp"));
    EXPECT_NE(read("stamped.bmp"), read("saved.bmp"));
    // The chipset's Save asked nothing: the name queued before it went to
    // the faceset's, which had no file of its own.
    EXPECT_EQ(ReadPicture(dir / "f.png").Width(), 192);
}

TEST(Undo, ABadTabLineIsAScriptError) {
    for (const char* line : {"tab Tab3 0", "tab Tab1 6", "tab Tab2 2", "tab Tab1 -1", "tab Tab1"}) {
        SCOPED_TRACE(line);
        ScratchDir dir;
        const Outcome r = RunBatch(dir, "echo a\n" + std::string(line) + "\necho b\n");
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.out, "a\n");
        EXPECT_EQ(r.err.rfind("script.tw:2: ", 0), 0u) << r.err;
    }
}

}  // namespace
}  // namespace tw::test
