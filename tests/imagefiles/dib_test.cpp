// Allocation limits of library images, which the decoders share: they keep a
// hostile header from causing a huge allocation.

#include <gtest/gtest.h>

#include "support/image_files.h"
#include "support/pictures.h"
#include "support/scratch_dir.h"

namespace tw::test {
namespace {


TEST(AllocImage, AcceptsOnlySizesWithinTheLimits) {
    struct Case {
        int w, h, bpp;
        bool ok;
    };
    const Case cases[] = {{1, 1, 1, true},    {17, 3, 16, true},     {16384, 4, 24, true},
                          {0, 5, 8, false},   {5, -1, 8, false},     {16385, 1, 8, false},
                          {10, 10, 4, false}, {10, 10, 32, false},   {16384, 16384, 8, true},
                          {16384, 16384, 24, false}};
    for (const Case& c : cases) {
        OwnedImage img;
        EXPECT_EQ(allocimage(&img.d, c.w, c.h, c.bpp) == 0, c.ok) << c.w << "x" << c.h << "x" << c.bpp;
        EXPECT_EQ(img.d.bmh != nullptr, c.ok);
    }
}

}  // namespace
}  // namespace tw::test
