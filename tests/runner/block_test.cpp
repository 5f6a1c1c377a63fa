// Blocks of cells and mirroring, through tilewright-batch as a user scripts
// them: the stamped sheet is compared pixel for pixel.

#include "editors/page_table.h"
#include "platform/blit.h"
#include "support/editor.h"
#include "support/run_batch.h"

namespace tw::test {
namespace {

std::string Pt(int x, int y) { return std::to_string(x) + " " + std::to_string(y); }

Raster MirrorH(const Raster& r) {
    Raster out(r.Width(), r.Height());
    for (int y = 0; y < r.Height(); ++y)
        for (int x = 0; x < r.Width(); ++x) out.Set(r.Width() - 1 - x, y, r.At(x, y));
    return out;
}

Raster MirrorV(const Raster& r) {
    Raster out(r.Width(), r.Height());
    for (int y = 0; y < r.Height(); ++y)
        for (int x = 0; x < r.Width(); ++x) out.Set(x, r.Height() - 1 - y, r.At(x, y));
    return out;
}

struct BlockCase {
    char letter;
    bool reverse;  // the drag goes up and left
    bool halved;   // the converter in 1:2 mode
};

// On every page: a Shift-drag over three by two cells picks the block, its
// stamp writes exactly the block (clipped to the source), one undo takes it
// back, a stamp at the sheet's last cell is clipped, and a plain pick returns
// to single cells.
TEST(Blocks, EveryPagePicksStampsAndClipsABlock) {
    const BlockCase cases[] = {{'C', false, false}, {'C', true, false}, {'R', false, false},
                               {'F', false, false}, {'S', true, false}, {'B', false, false},
                               {'O', false, false}, {'O', true, true}};
    for (const BlockCase& c : cases) {
        const PageInfo& page = PageByLetter(c.letter);
        SCOPED_TRACE(std::string(page.name) + (c.reverse ? " reverse" : "") + (c.halved ? " 1:2" : ""));
        ScratchDir dir;
        ASSERT_EQ(DumpRaster(NoisePicture(512, 1024, 3), dir / "source.bmp"), "");
        ASSERT_EQ(DumpRaster(NoisePicture(page.sheet.w, page.sheet.h, 5), dir / "target.bmp"), "");
        const std::string q = page.source.surface, z = page.target.surface;
        const Grid g = page.grid;
        const Size cell = page.cells.front();
        // The target's grid: the source's, but 8 pixels on the converter in 1:2 mode.
        const int tg = c.halved ? 8 : g.x, tgy = c.halved ? 8 : g.y;
        std::string from = Pt(g.x + 2, g.y + 2), to = Pt(3 * g.x + 2, 2 * g.y + 2);
        if (c.reverse) std::swap(from, to);
        const Size sheet = page.sheet;
        const int ex = (sheet.w - 1) / tg * tg, ey = (sheet.h - 1) / tgy * tgy;
        std::string s = "tab Tab1 " + std::to_string(page.tab) + "\n";
        if (c.halved) s += "click optModRPG2K\n";
        s += "file source.bmp\nclick " + std::string(page.source.loadButton) + "\n";
        s += "file target.bmp\nclick " + std::string(page.target.loadButton) + "\n";
        s += "dump " + q + " src.bmp\ndump " + z + " loaded.bmp\n";
        s += "down " + q + " 1 " + from + " 1\nmove " + q + " 1 " + to + " 1\n";
        s += "up " + q + " 1 " + to + " 1\n";
        s += "down " + z + " 1 " + Pt(tg + 1, tgy + 1) + "\ndump " + z + " stamped.bmp\n";
        s += "click mnuUndo\ndump " + z + " undone.bmp\n";
        s += "down " + z + " 1 " + Pt(sheet.w - 1, sheet.h - 1) + "\ndump " + z + " edge.bmp\n";
        s += "down " + q + " 1 " + Pt(g.x + 2, g.y + 2) + "\ndown " + z + " 1 " + Pt(tg + 1, tgy + 1) + "\n";
        s += "dump " + z + " single.bmp\n";
        const Outcome r = RunBatch(dir, s);
        ASSERT_EQ(r.status, 0) << r.err;

        const Raster src = ReadPicture(dir / "src.bmp"), loaded = ReadPicture(dir / "loaded.bmp");
        ASSERT_FALSE(src.Empty());
        const int bw = std::min(src.Width(), 3 * g.x + cell.w) - g.x;
        const int bh = std::min(src.Height(), 2 * g.y + cell.h) - g.y;
        const Raster block = Block(src, g.x, g.y, bw, bh, 0);
        const auto stamp = [&](const Raster& onto, int x, int y) {
            if (!c.halved) return Stamped(onto, x, y, block, bw, bh);
            Raster out = onto;
            StretchBlt(out, x, y, bw / 2, bh / 2, block, 0, 0, bw, bh);
            return out;
        };
        EXPECT_TRUE(SameRaster(ReadPicture(dir / "stamped.bmp"), stamp(loaded, tg, tgy)));
        EXPECT_TRUE(SameRaster(ReadPicture(dir / "undone.bmp"), loaded));
        const Raster edge = stamp(loaded, ex, ey);
        EXPECT_TRUE(SameRaster(ReadPicture(dir / "edge.bmp"), edge));
        Raster single = edge;
        if (c.halved)
            StretchBlt(single, tg, tgy, cell.w / 2, cell.h / 2, Block(src, g.x, g.y, cell.w, cell.h, 0),
                       0, 0, cell.w, cell.h);
        else
            single = Stamped(edge, tg, tgy, Block(src, g.x, g.y, cell.w, cell.h, 0), cell.w, cell.h);
        EXPECT_TRUE(SameRaster(ReadPicture(dir / "single.bmp"), single));
    }
}

// Mirroring: the chipset's block stamped as picked, mirrored left to right,
// then also upside down; the charset's whole character mirrors each frame in
// its place and swaps its right- and left-facing rows.
TEST(Blocks, FlipMirrorsTheSelectionPixelForPixel) {
    ScratchDir dir;
    ASSERT_EQ(DumpRaster(NoisePicture(512, 1024, 8), dir / "source.bmp"), "");
    const std::string s =
        "file source.bmp\nclick LoadQChip\ndump CQ chipsrc.bmp\n"
        "down CQ 1 20 20 1\nmove CQ 1 70 40 1\nup CQ 1 70 40 1\ndump imgC1 view.bmp\ndown CZ 1 100 100\n"
        "click mnuFlipH\ndown CZ 1 200 100\nclick mnuFlipV\ndown CZ 1 300 150\ndump CZ chip.bmp\n"
        "tab Tab1 1\nfile source.bmp\nclick LoadQChar\ndump RQ charsrc.bmp\nclick cmdCompleteSet\n"
        "down RQ 1 0 0\nclick mnuFlipH\ndown RZ 1 0 0\nclick mnuFlipV\ndown RZ 1 72 0\n"
        "dump RZ char.bmp\n";
    const Outcome r = RunBatch(dir, s);
    ASSERT_EQ(r.status, 0) << r.err;

    const Raster chipSrc = ReadPicture(dir / "chipsrc.bmp");
    const Raster block = Block(chipSrc, 16, 16, 64, 32, 0);
    const Raster chipOut = ReadPicture(dir / "chip.bmp");
    Raster chip(480, 256, chipOut.Empty() ? 0 : chipOut.At(0, 0));  // the blank sheet's colour
    chip = Stamped(chip, 96, 96, block, 64, 32);
    chip = Stamped(chip, 192, 96, MirrorH(block), 64, 32);
    chip = Stamped(chip, 288, 144, MirrorV(MirrorH(block)), 64, 32);
    EXPECT_TRUE(SameRaster(chipOut, chip));
    // The selection view shows the block 1:1 (it is smaller than the view),
    // centred inside the view's border, on the dialog colour.
    const Raster view = ReadPicture(dir / "view.bmp");
    ASSERT_EQ(view.Width(), 118);
    EXPECT_TRUE(SameRaster(view, Stamped(Raster(118, 118, view.At(0, 0)), 27, 43, block, 64, 32)));

    const Raster charSrc = ReadPicture(dir / "charsrc.bmp");
    const Raster charOut = ReadPicture(dir / "char.bmp");
    for (int row = 0; row < 4; ++row)
        for (int f = 0; f < 3; ++f) {
            SCOPED_TRACE("row " + std::to_string(row) + " frame " + std::to_string(f));
            const int from = row == 1 ? 3 : row == 3 ? 1 : row;
            const Raster frame = MirrorH(Block(charSrc, 24 * f, 32 * from, 24, 32, 0));
            EXPECT_TRUE(SameRaster(Block(charOut, 24 * f, 32 * row, 24, 32, 0), frame));
            EXPECT_TRUE(SameRaster(Block(charOut, 72 + 24 * f, 32 * row, 24, 32, 0), MirrorV(frame)));
        }
}

// The runner's own clipboard: Paste is off until a Copy; a block copied on
// the chipset page and pasted on the faceset and systemset pages stamps
// there whole, cut to the smaller sheet.
TEST(Blocks, CopyAndPasteCarryTheSelectionBetweenPages) {
    ScratchDir dir;
    ASSERT_EQ(DumpRaster(NoisePicture(512, 1024, 9), dir / "source.bmp"), "");
    const std::string s =
        "show mnuPaste\nfile source.bmp\nclick LoadQChip\ndump CQ src.bmp\n"
        "click cmdSelGR\nclick cmdSelGR\nclick cmdSelGR\n"  // 128-pixel cells
        "down CQ 1 0 0 1\nup CQ 1 130 0\ndump imgC1 view.bmp\nclick mnuCopy\nshow mnuPaste\n"
        "tab Tab1 2\nclick mnuPaste\ndown FZ 1 0 0\ndump FZ face.bmp\n"
        "tab Tab1 3\nclick mnuPaste\ndown SZ 1 0 0\ndump SZ system.bmp\n";
    const Outcome r = RunBatch(dir, s);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "mnuPaste caption=\"&Paste\" enabled=0\nmnuPaste caption=\"&Paste\" enabled=1\n");
    const Raster src = ReadPicture(dir / "src.bmp");
    const Raster face = ReadPicture(dir / "face.bmp");
    ASSERT_FALSE(face.Empty());
    const Raster blank(192, 192, face.At(0, 191));  // the sheet's colour below the 128-pixel block
    EXPECT_TRUE(SameRaster(face, Stamped(blank, 0, 0, Block(src, 0, 0, 192, 128, 0), 192, 128)));
    EXPECT_TRUE(SameRaster(ReadPicture(dir / "system.bmp"), Block(src, 0, 0, 160, 80, 0)));
    // The 256 x 128 block is too large for its view: every third pixel shows.
    const Raster view = ReadPicture(dir / "view.bmp");
    ASSERT_EQ(view.Width(), 118);
    Raster third(85, 42);
    for (int y = 0; y < 42; ++y)
        for (int x = 0; x < 85; ++x) third.Set(x, y, src.At(3 * x, 3 * y));
    EXPECT_TRUE(SameRaster(view, Stamped(Raster(118, 118, view.At(0, 0)), 16, 38, third, 85, 42)));
}

}  // namespace
}  // namespace tw::test
