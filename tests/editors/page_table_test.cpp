// The picture-size rule that picks a page for a file.

#include <gtest/gtest.h>

#include "editors/page_table.h"
#include "imagefiles/transparent_pixel.h"

namespace tw::test {
namespace {

TEST(PageTable, PictureSizeChoosesPageSideAndTransparentPixel) {
    struct Case {
        int w, h;
        char letter;  // 0: no page
        Side side;
    };
    const Case cases[] = {
        {480, 256, 'C', Side::Target},  // a chipset, not the converter's target
        {288, 256, 'R', Side::Target}, {192, 192, 'F', Side::Target}, {160, 80, 'S', Side::Target},
        {480, 480, 'B', Side::Target}, {256, 1024, 'O', Side::Source}, {256, 480, 0},
        {128, 512, 0},                 {481, 256, 0},                  {0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.w << "x" << c.h);
        const std::optional<PageRef> ref = PageForPictureSize(c.w, c.h);
        ASSERT_EQ(ref.has_value(), c.letter != 0);
        if (ref) {
            EXPECT_EQ(ref->page->letter, c.letter);
            EXPECT_EQ(ref->side, c.side);
        }
        // The palette writers find the same transparent pixel as the table.
        EXPECT_EQ(TransparentPixelForSize(c.w, c.h), TransparentPixelPosition(c.w, c.h));
    }
}

}  // namespace
}  // namespace tw::test
