#pragma once
// The system clipboard for Copy and Paste in the window. Whether it may hold
// a picture is worked out when it changes, from what Qt holds itself: asking
// another program what it offers can wait out Qt's timeout for every ask.

#include "platform/clipboard.h"

namespace tw {

class QtClipboard : public Clipboard {
public:
    QtClipboard();
    bool MayHoldImage() const override { return mayHoldImage_; }
    // The clipboard changed hands or content.
    void Changed();
    std::optional<Raster> Image(int maxW, int maxH) const override;
    void SetImage(const Raster& image) override;
    std::optional<std::pair<int, int>> TooLargeSize() const override { return tooLarge_; }

private:
    bool mayHoldImage_ = true;
    // Found by the last Image() that got nothing from Qt.
    mutable std::optional<std::pair<int, int>> tooLarge_;
};

}  // namespace tw
