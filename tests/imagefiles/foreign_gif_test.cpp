// GIF files written with giflib itself: the first frame of an animation is
// composed at its offset, its own colour map wins, the uncovered screen takes
// the background colour, and interlaced rows land where they belong.

#include <gif_lib.h>
#include <gtest/gtest.h>

#include "image_test_support.h"
#include "imagefiles/dib.h"

namespace {

struct Frame {
    int left, top, width, height;
    bool interlaced;
    int localColours;  // 0: uses the global map
};

tw::Pixel GlobalColour(int i) { return tw::Rgb(i * 60 % 256, 10 + i, 200); }
tw::Pixel LocalColour(int i) { return tw::Rgb(5, i * 30 % 256, 255 - i); }
int FrameIndex(int x, int y, int colours) { return (x + 2 * y) % colours; }

ColorMapObject* MakeMap(int colours, tw::Pixel (*colour)(int)) {
    std::vector<GifColorType> entries;
    for (int i = 0; i < colours; ++i) {
        const tw::Pixel p = colour(i);
        entries.push_back({GifByteType(p >> 16), GifByteType(p >> 8), GifByteType(p)});
    }
    return GifMakeMapObject(colours, entries.data());
}

void WriteGif(const std::string& path, int screenW, int screenH, int globalColours, int background,
              const std::vector<Frame>& frames) {
    int error = 0;
    GifFileType* gif = EGifOpenFileName(path.c_str(), false, &error);
    ASSERT_NE(gif, nullptr);
    ColorMapObject* global = MakeMap(globalColours, GlobalColour);
    EGifPutScreenDesc(gif, screenW, screenH, 8, background, global);
    for (const Frame& f : frames) {
        ColorMapObject* local = f.localColours ? MakeMap(f.localColours, LocalColour) : nullptr;
        const int colours = f.localColours ? f.localColours : globalColours;
        // giflib drops, without freeing, the previous frame's map copy when a
        // frame has none of its own.
        if (gif->Image.ColorMap != nullptr) GifFreeMapObject(gif->Image.ColorMap);
        gif->Image.ColorMap = nullptr;
        EGifPutImageDesc(gif, f.left, f.top, f.width, f.height, f.interlaced, local);
        std::vector<int> order;
        if (f.interlaced) {
            const int start[] = {0, 4, 2, 1}, step[] = {8, 8, 4, 2};
            for (int pass = 0; pass < 4; ++pass)
                for (int y = start[pass]; y < f.height; y += step[pass]) order.push_back(y);
        } else {
            for (int y = 0; y < f.height; ++y) order.push_back(y);
        }
        for (int y : order) {
            std::vector<GifPixelType> line(f.width);
            for (int x = 0; x < f.width; ++x) line[x] = GifPixelType(FrameIndex(x, y, colours));
            EGifPutLine(gif, line.data(), f.width);
        }
        if (local) GifFreeMapObject(local);
    }
    GifFreeMapObject(global);
    EGifCloseFile(gif, &error);
}

struct GifCase {
    const char* name;
    int screenW, screenH, globalColours, background;
    std::vector<Frame> frames;
    int expectedBpp;
};

class ForeignGif : public testing::TestWithParam<GifCase> {};

TEST_P(ForeignGif, ShowsTheFirstFrameOnItsScreen) {
    const GifCase& c = GetParam();
    twtest::TempDir dir;
    const std::string path = dir / "f.gif";
    WriteGif(path, c.screenW, c.screenH, c.globalColours, c.background, c.frames);
    GifInfo info;
    ASSERT_EQ(gifinfo(path.c_str(), &info), 0);
    EXPECT_EQ(info.frames, int(c.frames.size()));
    EXPECT_EQ(info.vbitcount, c.expectedBpp);
    twtest::OwnedImage img;
    ASSERT_EQ(twtest::LoadFile(path, &img), 0);
    const tw::Raster got = tw::ImageToRaster(img.d);
    ASSERT_EQ(got.Width(), c.screenW);
    const Frame& f = c.frames[0];
    auto colour = f.localColours ? LocalColour : GlobalColour;
    const int colours = f.localColours ? f.localColours : c.globalColours;
    const tw::Pixel background = f.localColours ? LocalColour(0) : GlobalColour(c.background);
    for (int y = 0; y < c.screenH; ++y)
        for (int x = 0; x < c.screenW; ++x) {
            const bool inside = x >= f.left && y >= f.top && x < f.left + f.width && y < f.top + f.height;
            const tw::Pixel want = inside ? colour(FrameIndex(x - f.left, y - f.top, colours)) : background;
            ASSERT_EQ(got.At(x, y), want) << x << "," << y;
        }
}

INSTANTIATE_TEST_SUITE_P(
    AllKinds, ForeignGif,
    testing::Values(GifCase{"animatedLocalMap", 20, 12, 4, 2, {{5, 3, 6, 4, false, 8}, {0, 0, 20, 12, false, 0}}, 8},
                    GifCase{"offsetGlobalMap", 17, 9, 16, 3, {{2, 2, 4, 4, false, 0}}, 8},
                    GifCase{"interlaced", 9, 23, 16, 0, {{0, 0, 9, 23, true, 0}}, 8},
                    GifCase{"frameOverEdge", 10, 10, 4, 1, {{6, 7, 8, 8, true, 0}}, 8},
                    GifCase{"twoColours", 13, 5, 2, 1, {{0, 1, 13, 3, false, 0}}, 1}),
    [](const testing::TestParamInfo<GifCase>& info) { return std::string(info.param.name); });

}  // namespace
