#include "imagefiles/picture_header.h"

#include "imagefiles/file_error.h"
#include "imagefiles/mod_tw_func.h"
#include "imagefiles/vicdef32.h"

namespace tw {

std::optional<PictureHeader> ReadPictureHeader(const std::string& fileName) {
    const std::string ext = FormatExtension(fileName);
    const char* name = fileName.c_str();
    int rc = -1;
    PictureHeader d{0, 0, 0};
    if (ext == "bmp") {
        BITMAPINFOHEADER i{};
        if ((rc = bmpinfo(name, &i)) == 0) d = {i.biWidth, i.biHeight, i.biBitCount};
    } else if (ext == "gif") {
        GifInfo i{};
        if ((rc = gifinfo(name, &i)) == 0) d = {i.width, i.length, i.vbitcount};
    } else if (ext == "jpg") {
        JpegInfo i{};
        if ((rc = jpeginfo(name, &i)) == 0) d = {i.width, i.length, i.vbitcount};
    } else if (ext == "png") {
        PngInfo i{};
        if ((rc = pnginfo(name, &i)) == 0) d = {i.width, i.length, i.vbitcount};
    } else if (ext == "tif") {
        TiffInfo i{};
        if ((rc = tiffinfopagebyindex(name, &i, 0)) == 0) d = {i.width, i.length, i.vbitcount};
    } else if (ext == "xyz") {
        XyzInfo i{};
        if ((rc = xyzinfo(name, &i)) == 0) d = {i.width, i.length, i.vbitcount};
    }
    // A header that failed leaves its reason behind; the load that follows
    // finds its own.
    ClearFileError();
    if (rc != 0) return std::nullopt;
    return d;
}

int LoadPictureBody(const std::string& fileName, ImageDescriptor* image) {
    const std::string ext = FormatExtension(fileName);
    const char* name = fileName.c_str();
    if (ext == "bmp") return loadbmp(name, image);
    if (ext == "gif") return loadgif(name, image);
    if (ext == "jpg") return loadjpg(name, image);
    if (ext == "png") return loadpng(name, image);
    if (ext == "tif") return loadtifpagebyindex(name, image, 0);
    if (ext == "xyz") return loadxyz(name, image);
    return -1;
}

}  // namespace tw
