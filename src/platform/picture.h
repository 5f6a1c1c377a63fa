#pragma once
// An immutable, shareable picture: what a surface's Picture and Image and an
// image view's Picture hold. The empty picture has no raster. raster() may
// hold only the top-left part of a larger picture.

#include <memory>

#include "platform/raster.h"

namespace tw {

class Picture {
public:
    Picture() = default;  // the empty picture
    explicit Picture(std::shared_ptr<const Raster> raster) : raster_(std::move(raster)) {}
    explicit Picture(Raster raster) : raster_(std::make_shared<const Raster>(std::move(raster))) {}
    // A picture of which only the top-left part is kept, because that is all
    // a surface can show; Width and Height stay the whole picture's.
    Picture(Raster visible, int width, int height)
        : raster_(std::make_shared<const Raster>(std::move(visible))), width_(width), height_(height) {}

    bool IsEmpty() const { return !raster_ || raster_->Empty(); }
    int Width() const { return width_ >= 0 ? width_ : raster_ ? raster_->Width() : 0; }
    int Height() const { return height_ >= 0 ? height_ : raster_ ? raster_->Height() : 0; }
    const Raster* raster() const { return raster_.get(); }
    const std::shared_ptr<const Raster>& shared() const { return raster_; }

private:
    std::shared_ptr<const Raster> raster_;
    int width_ = -1, height_ = -1;  // -1: the raster's own
};

// The picture that loading an empty file name gives: nothing.
inline Picture LoadPicture() { return Picture(); }

}  // namespace tw
