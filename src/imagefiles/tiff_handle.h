#pragma once
// libtiff handles that close themselves and keep the library quiet: its
// warnings and errors are the layer's failures, never text on stderr.

#include <tiffio.h>

#include <memory>

namespace tw {

struct TiffCloser {
    void operator()(TIFF* t) const { TIFFClose(t); }
};
using TiffPtr = std::unique_ptr<TIFF, TiffCloser>;

// Opens with libtiff's `mode` ("r" or "w"); single allocations are capped so
// that a header cannot make the library reserve unbounded memory.
TiffPtr OpenTiff(const char* name, const char* mode);

}  // namespace tw
