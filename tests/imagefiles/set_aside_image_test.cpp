// The image of the latest load, set aside while the next file decodes: its
// rows are let go only when the whole picture made from it gives them back
// byte for byte, and it always comes back as it was.

#include <gtest/gtest.h>

#include <optional>
#include <tuple>
#include <vector>

#include "imagefiles/dib.h"
#include "imagefiles/set_aside_image.h"
#include "support/image_files.h"
#include "support/pictures.h"

namespace tw::test {
namespace {

std::vector<uint8_t> Bytes(const ImageDescriptor& image) {
    DibShape s;
    if (!DescribeImage(&image, &s)) return {};
    const auto* block = reinterpret_cast<const uint8_t*>(image.bmh);
    const uint8_t* end = image.ibuff + static_cast<size_t>(s.stride) * s.height;
    return std::vector<uint8_t>(block, end);
}

// 256 colours, all different, or from index 200 on all `last`.
std::vector<Pixel> Palette(std::optional<Pixel> last = std::nullopt) {
    std::vector<Pixel> colours;
    for (int i = 0; i < 256; ++i) colours.push_back(last && i >= 200 ? *last : Rgb(i, 255 - i, i * 7));
    return colours;
}

TEST(SetAsideImage, LetsRowsGoOnlyWhenThePictureGivesThemBackExactly) {
    const Raster noise = NoisePicture(5, 9, 3);
    struct Case {
        const char* name;
        OwnedImage image;
        bool letGo;
        // What the picture the rows would come back from differs in.
        enum { Same, OnePixel, Size, None, PaddingSet } whole = Same;
    };
    const auto index = [](int x, int y) { return (x * 5 + y * 3) % 200; };
    Case cases[] = {
        {"8-bit, odd width", ImageOf(8, 13, 7, Palette(), index), true},
        {"8-bit, unused entries repeat a used colour", ImageOf(8, 13, 7, Palette(Rgb(0, 255, 0)), index), true},
        {"8-bit, two used entries alike", ImageOf(8, 13, 7, Palette(Rgb(0, 255, 0)),
                                                  [](int x, int y) { return x == 3 && y == 2 ? 201 : 0; }),
         false},
        {"1-bit, odd width", ImageOf(1, 11, 4, {0x000000, 0xFFFFFF}, [](int x, int y) { return (x ^ y) & 1; }),
         true},
        {"1-bit, both entries alike", ImageOf(1, 11, 4, {0x102030, 0x102030}, [](int x, int) { return x & 1; }),
         false},
        {"24-bit, padded rows", Image24(noise), true},
        {"24-bit, one pixel differs", Image24(noise), false, Case::OnePixel},
        {"24-bit, other size", Image24(noise), false, Case::Size},
        {"24-bit, no picture", Image24(noise), false, Case::None},
        {"8-bit, a padding byte set", ImageOf(8, 13, 7, Palette(), index), false, Case::PaddingSet},
        {"24-bit, a padding byte set", Image24(noise), false, Case::PaddingSet},
    };
    for (Case& c : cases) {
        SCOPED_TRACE(c.name);
        ImageDescriptor& home = c.image.d;
        home.transparent = 0x123456;
        if (c.whole == Case::PaddingSet) ImageRow(home, 4)[home.buffwidth - 1] = 1;
        Raster picture = ImageToRaster(home);
        if (c.whole == Case::OnePixel) picture.Set(2, 3, picture.At(2, 3) ^ 1);
        if (c.whole == Case::Size) picture = Block(picture, 0, 0, picture.Width(), picture.Height() - 1, 0);
        const std::vector<uint8_t> before = Bytes(home);
        const ImageDescriptor fields = home;
        {
            SetAsideImage aside(&home, c.whole == Case::None ? nullptr : std::make_shared<const Raster>(picture));
            EXPECT_EQ(home.bmh, nullptr);
            EXPECT_EQ(aside.RowsLetGo(), c.letGo);
        }
        ASSERT_NE(home.bmh, nullptr);
        EXPECT_EQ(Bytes(home), before);
        EXPECT_EQ(home.palette != nullptr, fields.palette != nullptr);
        EXPECT_EQ(std::tie(home.stx, home.sty, home.endx, home.endy, home.buffwidth, home.colors, home.imgtype,
                           home.transparent),
                  std::tie(fields.stx, fields.sty, fields.endx, fields.endy, fields.buffwidth, fields.colors,
                           fields.imgtype, fields.transparent));
        // Set aside once more and dropped, it is gone, rows and all.
        const std::shared_ptr<const Raster> whole = std::make_shared<const Raster>(picture);
        {
            SetAsideImage aside(&home, whole);
            aside.Drop();
        }
        EXPECT_EQ(home.bmh, nullptr);
        EXPECT_EQ(whole.use_count(), 1);
    }
}

}  // namespace
}  // namespace tw::test
