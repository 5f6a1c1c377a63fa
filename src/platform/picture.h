#pragma once
// An immutable, shareable picture: what a surface's Picture and Image and an
// image view's Picture hold. The empty picture has no raster.

#include <memory>

#include "platform/raster.h"

namespace tw {

class Picture {
public:
    Picture() = default;  // the empty picture
    explicit Picture(std::shared_ptr<const Raster> raster) : raster_(std::move(raster)) {}
    explicit Picture(Raster raster) : raster_(std::make_shared<const Raster>(std::move(raster))) {}

    bool IsEmpty() const { return !raster_ || raster_->Empty(); }
    int Width() const { return raster_ ? raster_->Width() : 0; }
    int Height() const { return raster_ ? raster_->Height() : 0; }
    const Raster* raster() const { return raster_.get(); }
    const std::shared_ptr<const Raster>& shared() const { return raster_; }

private:
    std::shared_ptr<const Raster> raster_;
};

// The picture that loading an empty file name gives: nothing.
inline Picture LoadPicture() { return Picture(); }

}  // namespace tw
