#pragma once
// The clipboard's picture: the Qt program uses the system clipboard, the
// batch runner an in-process one, so that copy and paste work in scripts.

#include <algorithm>
#include <optional>
#include <utility>

#include "platform/raster.h"

namespace tw {

class Clipboard {
public:
    virtual ~Clipboard() = default;
    // False only when the clipboard surely holds no picture. Asked after
    // every event, so it never waits on another program: the system
    // clipboard's owner may be one that stopped answering.
    virtual bool MayHoldImage() const = 0;
    // The clipboard's picture, at most maxW x maxH from its top left, each
    // pixel 0xAARRGGBB (alpha 255 is opaque); nothing when it holds none.
    // Only Paste asks for it.
    virtual std::optional<Raster> Image(int maxW, int maxH) const = 0;
    // Puts an opaque picture (0x00RRGGBB pixels) on the clipboard.
    virtual void SetImage(const Raster& image) = 0;
    // When Image() gave nothing though the clipboard holds a picture, too
    // large to be handed over whole: its width and height.
    virtual std::optional<std::pair<int, int>> TooLargeSize() const { return std::nullopt; }
};

// A clipboard that lives as long as the program.
class MemoryClipboard : public Clipboard {
public:
    bool MayHoldImage() const override { return image_.has_value(); }
    std::optional<Raster> Image(int maxW, int maxH) const override {
        if (!image_) return std::nullopt;
        const int w = std::min(maxW, image_->Width()), h = std::min(maxH, image_->Height());
        Raster out(w, h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) out.Set(x, y, image_->At(x, y));
        return out;
    }
    void SetImage(const Raster& image) override {
        image_ = image;
        for (int y = 0; y < image_->Height(); ++y)
            for (int x = 0; x < image_->Width(); ++x) image_->Set(x, y, image_->At(x, y) | 0xFF000000u);
    }

private:
    std::optional<Raster> image_;
};

}  // namespace tw
