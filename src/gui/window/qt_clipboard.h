#pragma once
// The system clipboard for Copy and Paste in the window.

#include "platform/clipboard.h"

namespace tw {

class QtClipboard : public Clipboard {
public:
    bool HasImage() const override;
    std::optional<Raster> Image(int maxW, int maxH) const override;
    void SetImage(const Raster& image) override;
};

}  // namespace tw
