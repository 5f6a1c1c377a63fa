// A surface's Image() is a snapshot: no later drawing, clearing, resizing or
// new picture may change a picture handed out before, however the surface
// reuses its pixel stores.

#include <gtest/gtest.h>

#include "support/editor.h"
#include "platform/blit.h"
#include "platform/surface.h"

namespace tw {
namespace {

TEST(Surface, SnapshotsKeepTheirPixels) {
    Canvas s("picTest", "q", Placement{0, 0, 20, 20}, BorderStyle::Raised2, 0x808080);
    const Raster loaded = test::NoisePicture(10, 12, 1);
    s.SetPicture(Picture(loaded));
    std::vector<std::pair<Picture, Raster>> held;  // each snapshot with the pixels it had
    for (int round = 0; round < 12; ++round) {
        const Raster paint(5, 5, static_cast<Pixel>(round * 0x010203));
        // Draw without clearing, with clearing, after a resize: every way a
        // handler changes a buffer after handing out its image.
        switch (round % 4) {
            case 0: BitBlt(s.hDC(), round, 1, 5, 5, paint, 0, 0); break;
            case 1: s.Cls(); BitBlt(s.hDC(), 2, round, 5, 5, paint, 0, 0); break;
            case 2: s.SetOuterTwips(300 + 15 * round, 300); break;
            case 3: s.SetPicture(Picture(test::NoisePicture(8, 8, round))); break;
        }
        const Picture shot = s.Image();
        EXPECT_TRUE(test::SameRaster(*shot.raster(), s.View()));
        // Some snapshots are let go at once, as a view does at its next
        // picture; the others are held to the end.
        if (round % 3 != 1) held.emplace_back(shot, *shot.raster());
    }
    for (size_t i = 0; i < held.size(); ++i)
        EXPECT_TRUE(test::SameRaster(*held[i].first.raster(), held[i].second)) << "snapshot " << i;
    // Cls brings back the last assigned picture on the background.
    s.Cls();
    EXPECT_TRUE(test::SameRaster(
        s.View(), test::Stamped(Raster(s.ClientWidth(), 16, 0x808080), 0, 0,
                                test::NoisePicture(8, 8, 11), 8, 8)));
}

}  // namespace
}  // namespace tw
