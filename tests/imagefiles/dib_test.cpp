// Allocation, sharing and display conversion of library images, and the
// depth conversions.

#include <gtest/gtest.h>

#include "image_test_support.h"
#include "imagefiles/dib.h"
#include "imagefiles/transparent_pixel.h"

namespace {

using twtest::OwnedImage;

TEST(AllocImage, AcceptsOnlySizesWithinTheLimits) {
    struct Case {
        int w, h, bpp;
        bool ok;
    };
    const Case cases[] = {{1, 1, 1, true},         {480, 256, 8, true},     {17, 3, 16, true},
                          {16384, 4, 24, true},    {0, 5, 8, false},        {5, -1, 8, false},
                          {16385, 1, 8, false},    {10, 10, 4, false},      {10, 10, 32, false},
                          {16384, 16384, 8, true}, {16384, 16384, 24, false}};
    for (const Case& c : cases) {
        OwnedImage img;
        EXPECT_EQ(allocimage(&img.d, c.w, c.h, c.bpp) == 0, c.ok) << c.w << "x" << c.h << "x" << c.bpp;
        if (!c.ok) {
            EXPECT_EQ(img.d.bmh, nullptr);
            continue;
        }
        const ImageDescriptor& d = img.d;
        // Rows bottom-up (positive height), padded to 4 bytes, pixels after the palette.
        EXPECT_TRUE(d.bmh->biWidth == c.w && d.bmh->biHeight == c.h && d.bmh->biBitCount == c.bpp);
        EXPECT_TRUE(d.endx == c.w - 1 && d.endy == c.h - 1 && d.stx == 0 && d.sty == 0);
        EXPECT_TRUE(d.buffwidth % 4 == 0 && d.buffwidth * 8 >= c.w * c.bpp && d.buffwidth * 8 < c.w * c.bpp + 32);
        EXPECT_EQ(d.colors, c.bpp == 1 ? 2 : c.bpp == 8 ? 256 : 0);
        EXPECT_EQ(reinterpret_cast<uint8_t*>(d.bmh) + 40 + 4 * d.colors, d.ibuff);
        EXPECT_EQ(d.imgtype & 1, c.bpp == 8 || c.bpp == 16 ? 1 : 0);
        if (c.bpp <= 8) {
            EXPECT_EQ(tw::QuadToPixel(d.palette[d.colors - 1]), tw::Rgb(255, 255, 255));
        }
    }
}

TEST(TransparentPixelPosition, FollowsTheSheetKind) {
    const std::pair<tw::PixelPosition, tw::PixelPosition> cases[] = {
        {{480, 256}, {288, 128}}, {{288, 256}, {0, 0}}, {{192, 192}, {0, 0}}, {{160, 80}, {128, 0}},
        {{480, 480}, {0, 0}},     {{256, 1024}, {0, 0}}, {{481, 256}, {0, 0}}, {{1, 1}, {0, 0}}};
    for (const auto& [size, at] : cases) EXPECT_EQ(tw::TransparentPixelPosition(size.x, size.y), at) << size.x;
}

TEST(FreeImage, EmptiesTheDescriptorAndToleratesEmptyOnes) {
    ImageDescriptor d;
    freeimage(&d);
    ASSERT_EQ(allocimage(&d, 3, 3, 24), 0);
    ImageDescriptor shared;
    copyimgdes(&d, &shared);
    EXPECT_EQ(shared.bmh, d.bmh);
    EXPECT_EQ(shared.ibuff, d.ibuff);
    freeimage(&d);
    EXPECT_EQ(d.bmh, nullptr);
    EXPECT_EQ(d.ibuff, nullptr);
    EXPECT_EQ(d.buffwidth, 0);
}

TEST(DibToImage, ShowsEveryDepthAndKeepsItsOwnCopy) {
    OwnedImage one = twtest::Image1(tw::Rgb(10, 20, 30), tw::Rgb(200, 100, 0), [](int x, int y) { return (x + y) % 3 == 0; });
    OwnedImage eight = twtest::Image8({tw::Rgb(1, 2, 3), tw::Rgb(250, 0, 7)}, [](int x, int) { return x % 2; });
    OwnedImage sixteen = twtest::Image16(9, 5, [](int x, int y) { return x * 7000 + y * 11; });
    OwnedImage full = twtest::Image24(twtest::PhotoLike(13, 7));
    for (OwnedImage* src : {&one, &eight, &sixteen, &full}) {
        const tw::Raster expected = tw::ImageToRaster(src->d);
        OwnedImage shown;
        ASSERT_EQ(dibtoimage(src->d.bmh, &shown.d), 0);
        ASSERT_TRUE(shown.d.hBitmap);
        EXPECT_EQ(*shown.d.hBitmap, expected);
        EXPECT_NE(shown.d.bmh, src->d.bmh);
        src->d.ibuff[0] ^= 0xFF;  // the new picture must not follow the old pixels
        EXPECT_EQ(*shown.d.hBitmap, expected);
        EXPECT_EQ(tw::ImageToRaster(shown.d), expected);
    }
    EXPECT_EQ(tw::ImageToRaster(sixteen.d).At(2, 1), tw::Rgb(54, 54, 54));  // 14011 >> 8
    EXPECT_EQ(tw::ImageToRaster(one.d).At(0, 0), tw::Rgb(200, 100, 0));
    BITMAPINFOHEADER bogus{};
    ImageDescriptor none;
    EXPECT_NE(dibtoimage(&bogus, &none), 0);
    EXPECT_NE(dibtoimage(nullptr, &none), 0);
}

TEST(Conversions, KeepTheLookOfThePicture) {
    OwnedImage grey16 = twtest::Image16(9, 5, [](int x, int y) { return x * 7000 + y * 300; });
    OwnedImage grey8;
    ASSERT_EQ(allocimage(&grey8.d, 9, 5, 8), 0);
    ASSERT_EQ(convertgray16to8(&grey16.d, &grey8.d), 0);
    EXPECT_EQ(tw::ImageRow(grey8.d, 4)[3], (3 * 7000 + 4 * 300) >> 8);
    EXPECT_EQ(tw::ImageToRaster(grey8.d), tw::ImageToRaster(grey16.d));

    OwnedImage one = twtest::Image1(tw::Rgb(255, 0, 255), tw::Rgb(0, 80, 0), [](int x, int) { return x % 5 == 0; });
    OwnedImage eight;
    ASSERT_EQ(allocimage(&eight.d, 37, 21, 8), 0);
    ASSERT_EQ(convert1bitto8bit(&one.d, &eight.d), 0);
    EXPECT_EQ(tw::ImageToRaster(eight.d), tw::ImageToRaster(one.d));

    OwnedImage wrongSize;
    ASSERT_EQ(allocimage(&wrongSize.d, 8, 5, 8), 0);
    EXPECT_NE(convertgray16to8(&grey16.d, &wrongSize.d), 0);
    EXPECT_NE(convert1bitto8bit(&grey16.d, &eight.d), 0);
}

// The reduction keeps the transparent colour exact at index 0, used by
// exactly the pixels of that colour, and never repeats it.
void ExpectTransparentRule(const tw::Raster& source, const ImageDescriptor& reduced) {
    const tw::PixelPosition at = tw::TransparentPixelPosition(source.Width(), source.Height());
    const tw::Pixel transparent = source.At(at.x, at.y);
    ASSERT_EQ(tw::QuadToPixel(reduced.palette[0]), transparent);
    for (int i = 1; i < 256; ++i) ASSERT_NE(tw::QuadToPixel(reduced.palette[i]), transparent) << i;
    for (int y = 0; y < source.Height(); ++y)
        for (int x = 0; x < source.Width(); ++x)
            ASSERT_EQ(tw::ImageRow(reduced, y)[x] == 0, source.At(x, y) == transparent) << x << "," << y;
}

TEST(ConvertRgbToPalette, ExactWhenFewColoursAndKeepsTransparentColour) {
    struct Case {
        tw::Raster picture;
        bool exact;
    };
    tw::Raster photo = twtest::PhotoLike(480, 256, 7);
    // Scatter the transparent colour over the photo, and a near miss of it.
    const tw::Pixel t = photo.At(288, 128);
    for (int i = 0; i < 3000; ++i) photo.Set(i * 37 % 480, i * 13 % 256, t);
    photo.Set(5, 5, t ^ 1);
    const Case cases[] = {{twtest::ColourSheet(480, 256, 256), true},
                          {twtest::ColourSheet(160, 80, 200), true},
                          {photo, false},
                          {twtest::PhotoLike(288, 256, 3), false}};
    for (const Case& c : cases) {
        OwnedImage src = twtest::Image24(c.picture), dst;
        ASSERT_EQ(allocimage(&dst.d, c.picture.Width(), c.picture.Height(), 8), 0);
        ASSERT_EQ(convertrgbtopalex(256, &src.d, &dst.d, 3), 0);
        ExpectTransparentRule(c.picture, dst.d);
        const tw::Raster back = tw::ImageToRaster(dst.d);
        if (c.exact) {
            EXPECT_EQ(back, c.picture);
        } else {
            EXPECT_GT(twtest::Psnr(c.picture, back), 30.0);
        }
    }
}

}  // namespace
