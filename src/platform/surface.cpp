#include "platform/surface.h"

#include <algorithm>

#include "platform/blit.h"

namespace tw {

Surface::Surface(std::string name, std::string container, Placement place, BorderStyle border,
                 Pixel backColor, bool autoSize)
    : Control(std::move(name), ControlKind::PictureBox, std::move(container), place),
      border_(border), backColor_(backColor), autoSize_(autoSize) {
    const int b = 2 * BorderPixels();
    image_ = std::make_shared<Raster>(std::max(0, static_cast<int>(place.width) - b),
                                      std::max(0, static_cast<int>(place.height) - b), backColor_);
}

void Surface::SetOuterTwips(int widthTwips, int heightTwips) {
    const int b = 2 * BorderPixels();
    const int w = std::max(0, widthTwips / 15 - b), h = std::max(0, heightTwips / 15 - b);
    place_.width = widthTwips / 15.0;
    place_.height = heightTwips / 15.0;
    if (w == ClientWidth() && h == ClientHeight()) return;
    auto next = std::make_shared<Raster>(*image_);
    next->Resize(w, h, backColor_);
    image_ = std::move(next);
    Touch();
}

void Surface::SetPicture(Picture picture) {
    picture_ = std::move(picture);
    if (autoSize_ && !picture_.IsEmpty()) {
        place_.width = picture_.Width() + 2 * BorderPixels();
        place_.height = picture_.Height() + 2 * BorderPixels();
        Reset(picture_.Width(), picture_.Height());
    } else {
        Reset(ClientWidth(), ClientHeight());
    }
}

void Surface::ReleasePicture() {
    picture_ = Picture();
    spare_.reset();
    image_ = std::make_shared<Raster>(0, 0, backColor_);
    Touch();
}

Raster& Surface::hDC() {
    // Copy on write: an Image() snapshot handed out earlier keeps its pixels.
    if (image_.use_count() > 1) Detach(ClientWidth(), ClientHeight(), true);
    return *image_;
}

void Surface::Cls() { Reset(ClientWidth(), ClientHeight()); }

void Surface::Detach(int width, int height, bool keepPixels) {
    std::shared_ptr<Raster> next;
    if (spare_ && spare_.use_count() == 1 && spare_->Width() == width &&
        spare_->Height() == height) {
        next = std::move(spare_);
        if (keepPixels) *next = *image_;
        else next->Fill(backColor_);
    } else {
        next = keepPixels ? std::make_shared<Raster>(*image_)
                          : std::make_shared<Raster>(width, height, backColor_);
    }
    // Still held by a snapshot: it comes back as the spare once that is let go.
    if (image_.use_count() > 1) spare_ = std::move(image_);
    image_ = std::move(next);
}

void Surface::Reset(int width, int height) {
    // A picture that covers the whole client is the persistent image as it
    // stands: the two share one raster until something draws (hDC copies on
    // write, the picture keeping its own), so a large picture is held once.
    const std::shared_ptr<const Raster>& whole = picture_.shared();
    if (whole && whole->Width() == width && whole->Height() == height && originX_ == 0 &&
        originY_ == 0) {
        image_ = std::const_pointer_cast<Raster>(whole);
        Touch();
        return;
    }
    if (image_.use_count() > 1 || image_->Width() != width || image_->Height() != height)
        Detach(width, height, false);
    else
        image_->Fill(backColor_);
    if (const Raster* p = picture_.raster()) BitBlt(*image_, 0, 0, width, height, *p, originX_, originY_);
    Touch();
}

}  // namespace tw
