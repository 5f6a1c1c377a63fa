#include "imagefiles/tiff_handle.h"

#include "imagefiles/vicdef32.h"

namespace tw {
namespace {

int Quiet(TIFF*, void*, const char*, const char*, va_list) { return 1; }

struct OptionsDeleter {
    void operator()(TIFFOpenOptions* o) const { TIFFOpenOptionsFree(o); }
};

}  // namespace

TiffPtr OpenTiff(const char* name, const char* mode) {
    if (name == nullptr || *name == '\0') return nullptr;
    std::unique_ptr<TIFFOpenOptions, OptionsDeleter> options(TIFFOpenOptionsAlloc());
    if (!options) return nullptr;
    TIFFOpenOptionsSetMaxSingleMemAlloc(options.get(), kMaxImageBytes * 2);
    TIFFOpenOptionsSetErrorHandlerExtR(options.get(), Quiet, nullptr);
    TIFFOpenOptionsSetWarningHandlerExtR(options.get(), Quiet, nullptr);
    return TiffPtr(TIFFOpenExt(name, mode, options.get()));
}

}  // namespace tw
