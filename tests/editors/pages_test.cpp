// The pick-and-place steps on every page, checked pixel by pixel against a
// model of the surfaces: picks, stamps, previews, the size buttons, "New
// Template", the load buttons with a cancelled dialog, and a source scrolled
// over a tall picture.

#include <fstream>

#include "support/editor.h"
#include "editors/page_table.h"
#include "shell/snap_to_grid.h"

namespace tw::test {
namespace {

// What a case needs beyond the page table: the source picture's size and how
// often the size button is pressed for the large cell.
struct PageDef {
    const char *source, *target, *sel, *ins, *selBuf, *insBuf, *selView, *insView;
    const char *loadQ, *loadZ, *sizeButton;
    int picW, picH;       // the source picture the page expects
    int16_t gx, gy;       // grid, the same on both sides at start
    int cw, ch;           // cell at start
    int sizeClicks;       // presses of the size button for the large cell
    int bigW, bigH;
};

PageDef Def(const PageInfo& p, int picW, int picH, int sizeClicks) {
    const Size big = p.cells[sizeClicks % p.cells.size()];
    return {p.source.surface, p.target.surface, p.source.outline, p.target.outline,
            p.source.buffer,  p.target.buffer,  p.source.view,    p.target.view,
            p.source.loadButton, p.target.loadButton, p.sizeButton, picW, picH,
            p.grid.x, p.grid.y, p.cells.front().w, p.cells.front().h, sizeClicks, big.w, big.h};
}

const PageDef kPages[] = {
    Def(Pages()[0], 480, 256, 3), Def(Pages()[1], 288, 256, 1), Def(Pages()[2], 192, 192, 0),
    Def(Pages()[3], 160, 80, 1),  Def(Pages()[4], 480, 480, 0), Def(Pages()[5], 256, 1024, 2),
};

struct Point {
    float x, y;
    int button;
};

// Grid edges, fractions, positions past the right and bottom edges and left
// of or above the surface, and the right and middle buttons.
std::vector<Point> Points(const PageDef& p, int w, int h) {
    const float gx = p.gx, gy = p.gy;
    return {{0, 0, 1},         {gx - 1, gy - 1, 1},     {gx, 2 * gy - 1, 1},     {gx - 0.5f, gy + 0.5f, 1},
            {w - 1.f, h - 1.f, 1}, {w + 3.f, 5, 1},       {5, h + gy, 1},          {-1, -1, 1},
            {-gx - 1, 3, 1},    {-0.5f, -gy - 0.5f, 1},  {2 * gx + 3, gy + 1, 2}, {3 * gx, 1, 4},
            {1.5f * gx, 2.5f * gy, 1}};  // the last pick, whole inside, is what the stamps write
}

void CheckOutline(const Outline& o, int left, int top, int w, int h) {
    EXPECT_EQ(o.Left(), left) << o.Name();
    EXPECT_EQ(o.Top(), top) << o.Name();
    EXPECT_EQ(o.Width(), w) << o.Name();
    EXPECT_EQ(o.Height(), h) << o.Name();
}

TEST(Pages, PicksStampsAndPreviewsFollowTheSnappedPointer) {
    uint32_t seed = 1;
    for (const PageDef& p : kPages) {
        SCOPED_TRACE(p.source);
        Editor e;
        frmMain& f = e.form();
        const Surface& src = f.Pic(p.source);
        const Surface& tgt = f.Pic(p.target);
        const Raster sourcePic = NoisePicture(p.picW, p.picH, ++seed);
        const Raster targetPic = NoisePicture(tgt.ClientWidth(), tgt.ClientHeight(), ++seed);
        e.Load(p.loadQ, sourcePic, "source.bmp");
        e.Load(p.loadZ, targetPic, "target.bmp");
        const int sw = src.ClientWidth(), sh = src.ClientHeight();
        const int tw = tgt.ClientWidth(), th = tgt.ClientHeight();
        // What the surfaces must show: the pictures at their top left.
        const Raster sourceView = Block(sourcePic, 0, 0, sw, sh, src.BackColor());
        Raster targetModel = targetPic;
        ASSERT_TRUE(SameRaster(src.View(), sourceView));
        ASSERT_TRUE(SameRaster(tgt.View(), targetModel));
        const Pixel selBg = f.Pic(p.selBuf).BackColor(), insBg = f.Pic(p.insBuf).BackColor();

        for (int phase = 0; phase < 2; ++phase) {
            int cw = p.cw, ch = p.ch;
            if (phase == 1) {
                if (!p.sizeButton) break;
                for (int i = 0; i < p.sizeClicks; ++i) e.Click(p.sizeButton);
                cw = p.bigW, ch = p.bigH;
            }
            SCOPED_TRACE(testing::Message() << "cell " << cw << "x" << ch);
            Raster selModel;
            for (const Point& pt : Points(p, sw, sh)) {
                SCOPED_TRACE(testing::Message() << "source (" << pt.x << ", " << pt.y << ") button "
                                                << pt.button);
                const int sx = SnapToGrid(pt.x, p.gx), sy = SnapToGrid(pt.y, p.gy);
                const Picture shownBefore = f.Img(p.selView).GetPicture();
                const Raster shownPixels = *shownBefore.raster();
                const Raster bufferBefore = f.Pic(p.selBuf).View();

                // A move over the source only moves the outline.
                e.Move(p.source, 0, pt.x + p.gx, pt.y);
                CheckOutline(f.Shape(p.sel), SnapToGrid(pt.x + p.gx, p.gx), sy, cw, ch);
                e.Down(p.source, pt.button, pt.x, pt.y);
                CheckOutline(f.Shape(p.sel), sx, sy, cw, ch);
                if (pt.button == 1) selModel = Block(sourceView, sx, sy, cw, ch, selBg);
                if (!selModel.Empty()) {
                    ASSERT_TRUE(SameRaster(f.Pic(p.selBuf).View(), selModel));
                    ASSERT_TRUE(SameRaster(*e.Shown(p.selView), selModel));
                } else {
                    ASSERT_TRUE(SameRaster(f.Pic(p.selBuf).View(), bufferBefore));
                }
                // The view's earlier picture is a snapshot: later picks leave it alone.
                EXPECT_TRUE(SameRaster(*shownBefore.raster(), shownPixels));
            }
            ASSERT_FALSE(selModel.Empty());

            for (const Point& pt : Points(p, tw, th)) {
                SCOPED_TRACE(testing::Message() << "target (" << pt.x << ", " << pt.y << ") button "
                                                << pt.button);
                const int tx = SnapToGrid(pt.x, p.gx), ty = SnapToGrid(pt.y, p.gy);
                const Raster previewBefore = f.Pic(p.insBuf).View();
                e.Down(p.target, pt.button, pt.x, pt.y);
                CheckOutline(f.Shape(p.ins), tx, ty, cw, ch);
                if (pt.button == 1) targetModel = Stamped(targetModel, tx, ty, selModel, cw, ch);
                ASSERT_TRUE(SameRaster(tgt.View(), targetModel));
                ASSERT_TRUE(SameRaster(f.Pic(p.insBuf).View(), previewBefore));

                // Dragging on with the button held stamps nothing more; the
                // preview shows the target under the outline.
                const float mx = pt.x + 2 * p.gx, my = pt.y + p.gy;
                const int px = SnapToGrid(mx, p.gx), py = SnapToGrid(my, p.gy);
                e.Move(p.target, pt.button, mx, my);
                CheckOutline(f.Shape(p.ins), px, py, cw, ch);
                ASSERT_TRUE(SameRaster(tgt.View(), targetModel));
                const Raster preview = Block(targetModel, px, py, cw, ch, insBg);
                ASSERT_TRUE(SameRaster(f.Pic(p.insBuf).View(), preview));
                ASSERT_TRUE(SameRaster(*e.Shown(p.insView), preview));
            }
        }
    }
}

// Each press of a size button: the module value, both outlines and both
// buffers follow; the buffer keeps its pick, so a stamp right after the
// change writes the old pick at the top left of the larger cell.
TEST(Pages, SizeButtonsCycleAndTheNextStampUsesTheOldPick) {
    struct Cycle {
        int page;
        int16_t ModuleState::*size;
        std::vector<std::pair<int, int>> steps;
    };
    const Cycle cycles[] = {
        {0, &ModuleState::ChipSelSize, {{32, 32}, {64, 64}, {128, 128}, {16, 16}}},
        {1, &ModuleState::CharFrameW, {{72, 128}, {24, 32}}},
        {3, &ModuleState::SysSelSize, {{32, 32}, {16, 16}}},
        {5, &ModuleState::ConvSelSize, {{32, 32}, {64, 64}, {128, 128}, {16, 16}}},
    };
    for (const Cycle& c : cycles) {
        const PageDef& p = kPages[c.page];
        SCOPED_TRACE(p.sizeButton);
        Editor e;
        frmMain& f = e.form();
        e.Load(p.loadQ, NoisePicture(p.picW, p.picH, 40 + c.page));
        for (int round = 0; round < 2; ++round)
            for (const auto& [w, h] : c.steps) {
                // Pick one cell at the old size, change the size, stamp at once.
                const int oldW = f.Shape(p.sel).Width(), oldH = f.Shape(p.sel).Height();
                e.Down(p.source, 1, p.gx, p.gy);
                const Raster pick = Block(e.View(p.source), p.gx, p.gy, oldW, oldH,
                                          f.Pic(p.selBuf).BackColor());
                const int insLeft = f.Shape(p.ins).Left();
                e.Click(p.sizeButton);
                EXPECT_EQ(e.state().*c.size, w);
                if (c.page == 1) {
                    EXPECT_EQ(e.state().CharFrameH, h);
                    EXPECT_EQ(f.Cmd("cmdCompleteSet").FontBold(), w == 72);
                }
                CheckOutline(f.Shape(p.sel), p.gx, p.gy, w, h);
                EXPECT_EQ(f.Shape(p.ins).Left(), insLeft);
                EXPECT_EQ(f.Shape(p.ins).Width(), w);
                EXPECT_EQ(f.Shape(p.ins).Height(), h);
                for (const char* b : {p.selBuf, p.insBuf}) {
                    EXPECT_EQ(f.Pic(b).OuterWidthTwips(), (w + 4) * 15) << b;
                    EXPECT_EQ(f.Pic(b).OuterHeightTwips(), (h + 4) * 15) << b;
                    EXPECT_EQ(f.Pic(b).ClientWidth(), w) << b;
                    EXPECT_EQ(f.Pic(b).ClientHeight(), h) << b;
                }
                const Raster buffer = f.Pic(p.selBuf).View();
                const int keptW = std::min(oldW, w), keptH = std::min(oldH, h);
                EXPECT_TRUE(SameRaster(Block(buffer, 0, 0, keptW, keptH, 0), Block(pick, 0, 0, keptW, keptH, 0)));
                const Raster before = f.Pic(p.target).View();
                e.Down(p.target, 1, 2 * p.gx, 2 * p.gy);
                EXPECT_TRUE(SameRaster(f.Pic(p.target).View(), Stamped(before, 2 * p.gx, 2 * p.gy, buffer, w, h)));
            }
    }
}

// "New Template" fills the whole target with one pixel's colour: the source
// surface's background before a load, the picture's pixel after it.
TEST(Pages, NewTemplateTakesItsColourFromTheSourcePixel) {
    struct Fill {
        int page;
        int px, py;  // the source pixel whose colour fills; -1: the converter's fixed colour
    };
    const Fill fills[] = {{0, 288, 128}, {1, 0, 0}, {2, 0, 0}, {3, 128, 0}, {4, 0, 0}, {5, -1, -1}};
    for (const Fill& fl : fills) {
        const PageDef& p = kPages[fl.page];
        const char* newButton = Pages()[fl.page].newButton;
        SCOPED_TRACE(newButton);
        Editor e;
        const Surface& tgt = e.form().Pic(p.target);
        const auto uniform = [&](Pixel c) { return Raster(tgt.ClientWidth(), tgt.ClientHeight(), c); };
        const Pixel converterColour = Rgb(255, 103, 139);
        e.Down(p.target, 1, p.gx, p.gy);
        e.Move(p.target, 0, 0, 0);
        const Raster preview = e.View(p.insBuf);
        e.Click(newButton);
        EXPECT_TRUE(SameRaster(tgt.View(), uniform(fl.px < 0 ? converterColour
                                                             : e.form().Pic(p.source).BackColor())));
        EXPECT_TRUE(SameRaster(e.View(p.insBuf), preview));

        const Raster sourcePic = NoisePicture(p.picW, p.picH, 60 + fl.page);
        e.Load(p.loadQ, sourcePic);
        e.Load(p.loadZ, NoisePicture(tgt.ClientWidth(), tgt.ClientHeight(), 70), "t.bmp");
        e.Down(p.target, 1, 3 * p.gx, p.gy);  // a stamp that the template erases
        e.Click(newButton);
        EXPECT_TRUE(SameRaster(tgt.View(), uniform(fl.px < 0 ? converterColour
                                                             : sourcePic.At(fl.px, fl.py))));
    }
}

// A cancelled load: the target shows only its last loaded picture (the stamps
// since are gone), and the source load still renews the selection from the
// source's top-left corner.
// A target load that is cancelled or fails leaves the sheet, stamps and all,
// as it was; a cancelled source load still retakes the selection.
TEST(Pages, CancelledLoadsKeepTheSheetAndRetakeTheSelection) {
    for (const PageDef& p : kPages) {
        SCOPED_TRACE(p.source);
        Editor e;
        frmMain& f = e.form();
        const Surface& src = f.Pic(p.source);
        const Surface& tgt = f.Pic(p.target);
        const Pixel selBg = f.Pic(p.selBuf).BackColor();

        // Nothing loaded yet: cancelling leaves the blank surfaces.
        e.Down(p.target, 1, p.gx, p.gy);
        e.Cancel(p.loadZ);
        e.Click(p.loadZ);  // nothing queued: cancelled as well
        EXPECT_TRUE(SameRaster(tgt.View(), Raster(tgt.ClientWidth(), tgt.ClientHeight(), tgt.BackColor())));

        const Raster sourcePic = NoisePicture(p.picW, p.picH, 80);
        const Raster targetPic = NoisePicture(tgt.ClientWidth(), tgt.ClientHeight(), 81);
        e.Load(p.loadQ, sourcePic, "s.bmp");
        e.Load(p.loadZ, targetPic, "t.bmp");
        const ImageDescriptor current = e.program.Files().CurrentImage;
        e.Down(p.source, 1, 2 * p.gx, p.gy);
        e.Down(p.target, 1, p.gx, p.gy);
        const Raster stamped = tgt.View();
        ASSERT_FALSE(SameRaster(stamped, targetPic));
        e.Cancel(p.loadZ);
        EXPECT_TRUE(SameRaster(tgt.View(), stamped));
        std::ofstream(e.dir / "broken.png") << "not a picture\n";
        e.dialog.QueueFile(e.dir / "broken.png");
        e.Click(p.loadZ);
        EXPECT_TRUE(SameRaster(tgt.View(), stamped));
        EXPECT_EQ(e.program.Files().LastResult().outcome, FileResult::Outcome::Failed);

        e.Down(p.source, 1, 2 * p.gx, 3 * p.gy);
        e.Cancel(p.loadQ);
        const Raster sourceView = Block(sourcePic, 0, 0, src.ClientWidth(), src.ClientHeight(), 0);
        EXPECT_TRUE(SameRaster(src.View(), sourceView));
        EXPECT_TRUE(SameRaster(f.Pic(p.selBuf).View(), Block(sourceView, 0, 0, p.cw, p.ch, selBg)));
        EXPECT_TRUE(SameRaster(*e.Shown(p.selView), f.Pic(p.selBuf).View()));
        EXPECT_EQ(e.program.Files().CurrentImage.bmh, current.bmh);
        EXPECT_FALSE(e.dialog.HasQueued());
    }
}

// A source scrolled over a tall picture works as the same source would with
// the picture cut at the view's origin: the same picks, blocks (also past
// the visible edge), flips and stamps, the same previews; the outline and
// the module variables are in the picture's pixels.
TEST(Pages, AScrolledSourcePicksAsThePictureCutAtItsOrigin) {
    struct Step {
        enum Kind { Pick, Block, FlipH, FlipV, Stamp, Size } kind;
        float x = 0, y = 0, x2 = 0, y2 = 0;
    };
    const Raster tall = NoisePicture(480, 2048, 90);
    for (int page = 0; page < 5; ++page) {
        const PageDef& p = kPages[page];
        SCOPED_TRACE(p.source);
        Editor scrolled, cut;
        const Surface& pane = scrolled.form().Pic(p.source);
        const int w = pane.ClientWidth(), h = pane.ClientHeight();
        scrolled.Load(p.loadQ, tall);
        ASSERT_EQ(scrolled.program.Scroll(p.source, 7, 1792 + p.gy - 1), EventResult::Handled);
        // Rounded down to whole steps (on the systemset whole 16-pixel cells),
        // and no further than the step that shows the picture's last row.
        const int ox = 0, oy = std::min((1792 + p.gy - 1) / p.gy * p.gy, (2048 - h + p.gy - 1) / p.gy * p.gy);
        ASSERT_TRUE(SameRaster(pane.View(), Block(tall, ox, oy, w, h, pane.BackColor())));
        cut.Load(p.loadQ, Block(tall, ox, oy, 480, 2048 - oy, 0));
        const float gx = p.gx, gy = p.gy;
        const std::vector<Step> steps = {
            {Step::Pick, gx + 1, gy + 1},
            {Step::Stamp, 2 * gx, gy},
            {Step::Pick, w - 1.f, h - 1.f},  // the last cell of the pane
            {Step::FlipH},
            {Step::Stamp, 0, 0},
            {Step::Block, gx, gy, w + 40.f, h + 40.f},  // released past the visible edge
            {Step::FlipV},
            {Step::Stamp, gx, 0},
            {Step::Block, w - 1.f, h - 1.f, -30, -30},  // and back over the top left
            {Step::Stamp, 0, gy},
            {Step::Size},
            {Step::Pick, w - gx, h - 1.f},  // a large cell across the pane's edge
            {Step::FlipH},
            {Step::Stamp, 3 * gx, 2 * gy},
        };
        for (const Step& st : steps) {
            SCOPED_TRACE(testing::Message() << "step " << st.kind << " at " << st.x << ", " << st.y);
            for (Editor* e : {&scrolled, &cut}) {
                switch (st.kind) {
                    case Step::Pick: e->Down(p.source, 1, st.x, st.y); break;
                    case Step::Block:
                        e->program.MouseDown(p.source, 1, 1, st.x, st.y);
                        e->program.MouseMove(p.source, 1, 1, st.x2, st.y2);
                        e->program.MouseUp(p.source, 1, 1, st.x2, st.y2);
                        break;
                    case Step::FlipH: e->Click("mnuFlipH"); break;
                    case Step::FlipV: e->Click("mnuFlipV"); break;
                    case Step::Stamp: e->Down(p.target, 1, st.x, st.y); break;
                    case Step::Size:
                        if (p.sizeButton) e->Click(p.sizeButton);
                        break;
                }
            }
            const Outline &a = scrolled.form().Shape(p.sel), &b = cut.form().Shape(p.sel);
            EXPECT_EQ(a.Left(), b.Left() + ox);
            EXPECT_EQ(a.Top(), b.Top() + oy);
            EXPECT_EQ(a.Width(), b.Width());
            EXPECT_EQ(a.Height(), b.Height());
            ASSERT_TRUE(SameRaster(scrolled.View(p.selBuf), cut.View(p.selBuf)));
            ASSERT_TRUE(SameRaster(scrolled.View(p.target), cut.View(p.target)));
        }
        // The source previews play the picture where their positions say.
        ModuleState& s = scrolled.state();
        if (page == 1) {
            EXPECT_EQ(s.CharQAniBaseY, cut.state().CharQAniBaseY + oy);
            scrolled.Click("optRplay");
            scrolled.Tick("tmrCharQAni");
            EXPECT_TRUE(SameRaster(*scrolled.Shown("imgQAni"), Block(tall, s.CharQAniX, s.CharQAniY, 24, 32, 0)));
        }
        if (page == 4) {
            scrolled.Click("optQBplay");
            scrolled.Tick("tmrBattleQAni");
            EXPECT_TRUE(SameRaster(*scrolled.Shown("imgBQAni"), Block(tall, s.BattleQAniX, s.BattleQAniY, 96, 96, 0)));
        }
        // The origin stays through other pages and ends with the next load, cancelled too.
        scrolled.program.SelectTab("Tab1", 5);
        scrolled.program.SelectTab("Tab1", Pages()[page].tab);
        const auto& source = static_cast<const SourceCanvas&>(scrolled.form().Pic(p.source));
        EXPECT_EQ(source.OriginY(), oy);
        scrolled.Cancel(p.loadQ);
        EXPECT_EQ(source.OriginY(), 0);
    }
}

}  // namespace
}  // namespace tw::test
