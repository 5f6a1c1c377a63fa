#include "imagefiles/picture_header.h"

#include "imagefiles/file_error.h"
#include "imagefiles/image_format.h"
#include "imagefiles/vicdef32.h"

namespace tw {

std::optional<PictureHeader> ReadPictureHeader(const std::string& fileName) {
    const ImageFormat* format = FormatOf(fileName);
    if (!format) return std::nullopt;
    PictureHeader d{0, 0, 0};
    const int rc = format->header(fileName.c_str(), &d);
    // A header that failed leaves its reason behind; the load that follows
    // finds its own.
    ClearFileError();
    if (rc != 0) return std::nullopt;
    return d;
}

int LoadPictureBody(const std::string& fileName, ImageDescriptor* image) {
    const ImageFormat* format = FormatOf(fileName);
    return format ? format->decode(fileName.c_str(), image) : -1;
}

}  // namespace tw
