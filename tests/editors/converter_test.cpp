// The RPG95 converter: sections of the loaded picture, the halving stamp and
// the sizes of outlines and buffers through mode and size changes.

#include "support/editor.h"
#include "shell/snap_to_grid.h"

namespace tw::test {
namespace {

struct Size {
    int w, h;
};

const int kSectionOrigin[5][2] = {{0, 0}, {0, 0}, {128, 0}, {0, 512}, {128, 512}};

void CheckIndicators(frmMain& f, int marked) {
    const char* names[] = {"s1", "s2", "s3", "s4"};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(f.Lbl(names[i]).BackColor(), i + 1 == marked ? 255 : 16777215) << names[i];
}

// The view after showing section n: the section's pixels where the picture
// has them, the view's earlier pixels elsewhere.
Raster ShowSection(Raster view, const Raster& pic, int n) {
    const int ox = kSectionOrigin[n][0], oy = kSectionOrigin[n][1];
    for (int y = 0; y < 512; ++y)
        for (int x = 0; x < 128; ++x)
            if (pic.Contains(ox + x, oy + y)) view.Set(x, y, pic.At(ox + x, oy + y));
    return view;
}

// A cancelled load before any picture was loaded still marks section 1 and
// enables "Change Section" over the empty view; a load goes on from section 1.
TEST(Converter, ChangeSectionWalksTheFourSections) {
    for (Size size : {Size{256, 1024}, Size{200, 600}}) {
        SCOPED_TRACE(testing::Message() << size.w << "x" << size.h);
        Editor e;
        frmMain& f = e.form();
        e.Cancel("CLoadQr");
        EXPECT_TRUE(f.Cmd("cmdChange").Enabled());
        CheckIndicators(f, 1);
        e.Click("cmdChange");
        EXPECT_TRUE(SameRaster(e.View("OQ"), Raster(128, 512, f.Pic("OQ").BackColor())));
        CheckIndicators(f, 2);

        const Raster pic = NoisePicture(size.w, size.h, 20);
        e.Load("CLoadQr", pic);
        EXPECT_TRUE(SameRaster(e.View("picTemp"), pic));
        Raster view = Block(pic, 0, 0, 128, 512, f.Pic("OQ").BackColor());
        ASSERT_TRUE(SameRaster(e.View("OQ"), view));
        EXPECT_EQ(f.Lbl("s1").BackColor(), 255);  // s2 may stay marked: s1 is tested first
        EXPECT_TRUE(SameRaster(e.View("picOsel"), Block(pic, 0, 0, 16, 16, 0)));

        e.Down("OQ", 1, 40, 70);
        const Raster picked = e.View("picOsel");
        for (int n : {2, 3, 4, 1, 2, 3}) {
            e.Click("cmdChange");
            view = ShowSection(view, pic, n);
            ASSERT_TRUE(SameRaster(e.View("OQ"), view)) << "section " << n;
            CheckIndicators(f, n);
            EXPECT_EQ(f.Shape("Osel").Left(), 32);
            EXPECT_EQ(f.Shape("Osel").Top(), 64);
            EXPECT_TRUE(SameRaster(e.View("picOsel"), picked));
        }
    }
}

// In 1:2 mode a stamp writes the picked square at half size on the 8-pixel
// grid, each target pixel the AND of a 2 x 2 block of the pick.
TEST(Converter, HalvingStampsAndTwoByTwoBlocksOnTheEightPixelGrid) {
    Editor e;
    frmMain& f = e.form();
    e.Load("CLoadQr", NoisePicture(256, 1024, 30), "q.bmp");
    Raster model = NoisePicture(480, 256, 31);
    e.Load("LoadRChip", model, "z.bmp");
    e.Click("optModRPG2K");
    const Pixel selBg = f.Pic("picOsel").BackColor(), insBg = f.Pic("picOins").BackColor();
    struct At {
        float x, y;
    };
    const At points[] = {{21, 13}, {30, 13}, {0, 0}, {476, 252}, {-9, -9}, {100.5f, 39.5f}, {7, 255}};
    for (int size : {16, 32, 64, 128}) {
        SCOPED_TRACE(size);
        if (size > 16) e.Click("cmdOSelGr");
        ASSERT_EQ(e.state().ConvSelSize, size);
        e.Down("OQ", 1, 20, 100 + size);
        const int sy = SnapToGrid(100 + size, 16);
        const Raster pick = Block(e.View("OQ"), 16, sy, size, size, selBg);
        ASSERT_TRUE(SameRaster(e.View("picOsel"), pick));
        const int half = size / 2;
        for (const At& at : points) {
            SCOPED_TRACE(testing::Message() << "(" << at.x << ", " << at.y << ")");
            const int tx = SnapToGrid(at.x, 8), ty = SnapToGrid(at.y, 8);
            e.Down("OZ", 1, at.x, at.y);
            EXPECT_EQ(f.Shape("Oins").Left(), tx);
            EXPECT_EQ(f.Shape("Oins").Top(), ty);
            EXPECT_EQ(f.Shape("Oins").Width(), half);
            for (int j = 0; j < half; ++j)
                for (int i = 0; i < half; ++i)
                    if (model.Contains(tx + i, ty + j))
                        model.Set(tx + i, ty + j,
                                  pick.At(2 * i, 2 * j) & pick.At(2 * i + 1, 2 * j) &
                                      pick.At(2 * i, 2 * j + 1) & pick.At(2 * i + 1, 2 * j + 1));
            ASSERT_TRUE(SameRaster(e.View("OZ"), model));
            // The preview shows the half-size area a stamp would cover.
            e.Move("OZ", 0, at.x + 8, at.y);
            const int px = SnapToGrid(at.x + 8, 8);
            ASSERT_TRUE(SameRaster(e.View("picOins"), Block(model, px, ty, half, half, insBg)));
        }
    }
    e.Click("cmdOnew");
    EXPECT_TRUE(SameRaster(e.View("OZ"), Raster(480, 256, Rgb(255, 103, 139))));
    EXPECT_EQ(e.state().ConvSelSize, 128);
    EXPECT_TRUE(f.Opt("optModRPG2K").Value());
}

TEST(Converter, OutlineAndBufferSizesThroughModeAndSizeChanges) {
    struct Step {
        const char* click;
        int selSize, cellSize, osel, oins, oselBuf, oinsBuf;
    };
    const Step steps[] = {
        {nullptr, 16, 16, 16, 16, 16, 16},         {"optModRPG2K", 16, 8, 16, 8, 16, 8},
        {"cmdOSelGr", 32, 8, 32, 16, 32, 16},      {"optModOneToOne", 32, 16, 32, 16, 32, 16},
        {"cmdOSelGr", 64, 16, 64, 64, 64, 64},     {"optModRPG2K", 64, 8, 64, 8, 64, 8},
        {"cmdOSelGr", 128, 8, 128, 64, 128, 64},   {"optModOneToOne", 128, 16, 128, 16, 128, 16},
        {"cmdOSelGr", 16, 16, 16, 16, 16, 16},     {"optModRPG2K", 16, 8, 16, 8, 16, 8},
        {"cmdOSelGr", 32, 8, 32, 16, 32, 16},      {"cmdOSelGr", 64, 8, 64, 32, 64, 32},
        {"cmdOSelGr", 128, 8, 128, 64, 128, 64},   {"cmdOSelGr", 16, 8, 16, 8, 16, 8},
        {"optModRPG2K", 16, 8, 16, 8, 16, 8},      {"optModOneToOne", 16, 16, 16, 16, 16, 16},
    };
    Editor e;
    frmMain& f = e.form();
    for (const Step& s : steps) {
        SCOPED_TRACE(testing::Message() << (s.click ? s.click : "start") << " to " << s.selSize);
        if (s.click) e.Click(s.click);
        EXPECT_EQ(e.state().ConvSelSize, s.selSize);
        EXPECT_EQ(e.state().ConvCellSize, s.cellSize);
        EXPECT_EQ(f.Opt("optModRPG2K").Value(), s.cellSize == 8);
        EXPECT_EQ(f.Opt("optModOneToOne").Value(), s.cellSize == 16);
        EXPECT_EQ(f.Shape("Osel").Width(), s.osel);
        EXPECT_EQ(f.Shape("Osel").Height(), s.osel);
        EXPECT_EQ(f.Shape("Oins").Width(), s.oins);
        EXPECT_EQ(f.Shape("Oins").Height(), s.oins);
        EXPECT_EQ(f.Pic("picOsel").ClientWidth(), s.oselBuf);
        EXPECT_EQ(f.Pic("picOsel").OuterHeightTwips(), (s.oselBuf + 4) * 15);
        EXPECT_EQ(f.Pic("picOins").ClientHeight(), s.oinsBuf);
        EXPECT_EQ(f.Pic("picOins").OuterWidthTwips(), (s.oinsBuf + 4) * 15);
    }
}

}  // namespace
}  // namespace tw::test
