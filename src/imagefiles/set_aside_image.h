#pragma once
// The image of the latest load, set aside while the next file decodes, so
// that a load that fails can give it back. When a picture made from it is
// still held whole (picTemp holds every pixel of a converter load), the
// image's pixel rows are let go for the time being and rebuilt from that
// picture if they are needed again: a second load of a huge picture then
// needs no more memory than the first. Rows are let go only when the picture
// gives them back byte for byte.

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "imagefiles/vicdef32.h"
#include "platform/raster.h"

namespace tw {

class SetAsideImage {
public:
    // Takes *home, leaving it empty. `whole` may be a picture made from it
    // with ImageToRaster; it is kept only while the rows are let go.
    SetAsideImage(ImageDescriptor* home, std::shared_ptr<const Raster> whole);
    // Gives the image back to *home unless Drop was called. Should the
    // memory for rebuilding it be missing, *home is left empty.
    ~SetAsideImage();
    SetAsideImage(const SetAsideImage&) = delete;
    SetAsideImage& operator=(const SetAsideImage&) = delete;

    // The load worked: the old image goes for good, and with it the hold on
    // the picture it would have been rebuilt from.
    void Drop();
    // True when only the header and palette are kept.
    bool RowsLetGo() const { return !head_.empty(); }

private:
    void Restore();

    ImageDescriptor* home_;
    ImageDescriptor kept_{};            // the image; bmh is null while rows are let go
    std::vector<uint8_t> head_;         // header and palette, while rows are let go
    std::vector<std::pair<Pixel, uint8_t>> inverse_;  // used colours' indices, by colour
    std::shared_ptr<const Raster> whole_;
    bool dropped_ = false;
};

}  // namespace tw
