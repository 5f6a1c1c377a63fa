// The status line's words: what each load and save did, the pointer's cell,
// the sheet in front and what a save of it writes.

#include <fstream>

#include "support/editor.h"
#include "editors/status_line.h"

namespace tw::test {
namespace {

TEST(StatusLine, EachLoadAndSaveOutcomeIsToldInWords) {
    struct Case {
        const char* what;
        std::function<void(Editor&)> act;
        std::string text;
    };
    const auto stampTwice = [](Editor& e) {
        e.Load("LoadQChip", NoisePicture(480, 256, 1), "src.bmp");
        e.Down("CQ", 1, 0, 0);
        e.Down("CZ", 1, 16, 16);
        e.Down("CZ", 1, 64, 32);
    };
    const Case cases[] = {
        {"load", [](Editor& e) { e.Load("LoadZChip", ColourSheet(480, 256, 143), "forest.bmp"); },
         "Loaded forest.bmp into the chipset target (480 x 256, 143 colours)"},
        {"load source", [](Editor& e) { e.Load("LoadQChar", ColourSheet(100, 50, 3), "hero.bmp"); },
         "Loaded hero.bmp into the charset source (100 x 50, 4 colours)"},  // 3 + the background
        {"not a picture",
         [](Editor& e) {
             std::ofstream(e.dir / "notes.png") << "text\n";
             e.dialog.QueueFile(e.dir / "notes.png");
             e.Click("LoadZChip");
         },
         "not a PNG file: could not load notes.png"},
        {"cancel of a blank target", [](Editor& e) { e.Cancel("LoadZChip"); }, ""},
        {"cancel of a source", [&](Editor& e) { stampTwice(e); e.Cancel("LoadQChip"); }, ""},
        {"cancel after stamps", [&](Editor& e) { stampTwice(e); e.Cancel("LoadZChip"); }, ""},
        {"failed load after stamps",
         [&](Editor& e) {
             stampTwice(e);
             e.dialog.QueueFile(e.dir / "gone.png");
             e.Click("LoadZChip");
         },
         "no such file: could not load gone.png"},
        {"save to the sheet's own file, no dialog",
         [](Editor& e) {
             e.Load("LoadZFace", ColourSheet(192, 192, 143), "faces.bmp");
             e.program.SelectTab("Tab1", PageByLetter('F').tab);
             e.Click("mnuSave");
         },
         "Saved faces.bmp (8-bit palette, 143 colours)"},
        {"save palette",
         [](Editor& e) {
             e.Load("LoadZFace", ColourSheet(192, 192, 143), "faces.bmp");
             e.dialog.QueueFile(e.dir / "faces.png");
             e.Click("SaveZFace");
         },
         "Saved faces.png (8-bit palette, 143 colours)"},
        {"save 24 bits",
         [](Editor& e) {
             e.Load("LoadZFace", ColourSheet(192, 192, 300), "faces.bmp");
             e.dialog.QueueFile(e.dir / "faces.bmp");
             e.Click("SaveZFace");
         },
         "Saved faces.bmp (24 bits, 300 colours: the engine refuses 24-bit files; Edit > Reduce "
         "Colours makes it 8-bit)"},
        {"save reduced GIF",
         [](Editor& e) {
             e.Load("LoadZFace", ColourSheet(192, 192, 300), "faces.bmp");
             e.dialog.QueueFile(e.dir / "faces.gif");
             e.Click("SaveZFace");
         },
         "Saved faces.gif (8-bit palette, reduced from 300 colours)"},
        {"save into a read-only folder",
         [](Editor& e) {
             e.dialog.QueueFile("/proc/chipset.png");
             e.Click("SaveZChip");
         },
         "the folder is read-only: nothing was written to /proc/chipset.png"},
        {"save cancelled", [](Editor& e) { e.Cancel("SaveZChip"); }, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Editor e;
        c.act(e);
        EXPECT_EQ(e.program.Status().Outcome(), c.text);
    }
}

TEST(StatusLine, PointerCellAndSheetInFront) {
    Editor e;
    StatusLine& s = e.program.Status();
    struct Case {
        const char* surface;
        float x, y;
        std::string pointer;
    };
    const Case cases[] = {
        {"CQ", 37.5f, 20, "Chipset source: pixel 37, 20, cell 2, 1"},
        {"RZ", 50, 70, "Charset target: pixel 50, 70, cell 2, 2"},
        {"BZ", 479, 479, "Battle animation set target: pixel 479, 479, cell 4, 4"},
        {"CZ", -3, 10, ""},    // a drag outside the surface points at nothing
        {"CZ", 480, 10, ""},
        {"picCsel", 1, 1, ""},  // a buffer is no page surface
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.surface);
        e.Move(c.surface, 0, c.x, c.y);
        EXPECT_EQ(s.PointerPart(), c.pointer);
    }
    e.Click("optModRPG2K");
    e.Move("OZ", 0, 20, 9);
    EXPECT_EQ(s.PointerPart(), "Converter target: pixel 20, 9, cell 2, 1");
    s.PointerLeft();
    EXPECT_EQ(s.PointerPart(), "");

    EXPECT_EQ(s.SheetPart(), "Chipset 480 x 256, 1 colour: saves as an 8-bit palette");
    e.Load("LoadZChip", ColourSheet(480, 256, 257), "many.bmp");
    EXPECT_NE(s.SheetPart().find("257 colours: PNG and BMP will be saved with 24 bits"),
              std::string::npos);
    // Unsaved changes: a stamp makes them, a save ends them, another page has its own.
    EXPECT_EQ(s.ModifiedPart(), "");
    e.Down("CZ", 1, 0, 0);
    EXPECT_EQ(s.ModifiedPart(), "Chipset target: unsaved changes");
    e.dialog.QueueFile(e.dir / "many.bmp");
    e.Click("SaveZChip");
    EXPECT_EQ(s.ModifiedPart(), "");
    e.Down("CZ", 1, 32, 0);
    e.form().Get<TabControl>("Tab1").SetTab(2);
    EXPECT_EQ(s.ModifiedPart(), "");
    EXPECT_EQ(s.SheetPart(), "Faceset 192 x 192, 1 colour: saves as an 8-bit palette");
}

}  // namespace
}  // namespace tw::test
