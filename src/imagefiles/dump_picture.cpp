#include "imagefiles/dump_picture.h"

#include "imagefiles/dib.h"
#include "imagefiles/file_error.h"
#include "imagefiles/mod_tw_func.h"
#include "imagefiles/vicdef32.h"

namespace tw {

std::string DumpRaster(const Raster& r, const std::string& path) {
    if (r.Empty()) return "nothing to dump: the picture is empty";
    ClearFileError();
    ImageDescriptor image{};
    if (RasterToImage(r, &image) != 0) return "cannot hold the picture";
    const std::string ext = FormatExtension(path);
    int result = -1;
    if (ext == "bmp") result = savebmp(path.c_str(), &image, kSaveFullDepth);
    else if (ext == "png") result = savepng(path.c_str(), &image, kSaveFullDepth);
    else if (ext == "tif") result = savetif(path.c_str(), &image, 0);
    else if (ext == "jpg") result = savejpg(path.c_str(), &image, 75);
    else if (ext == "gif") {
        ImageDescriptor pal{};
        result = allocimage(&pal, r.Width(), r.Height(), 8);
        if (result == 0) result = convertrgbtopalex(256, &image, &pal, 3);
        if (result == 0) result = savegif(path.c_str(), &pal);
        freeimage(&pal);
    } else {
        freeimage(&image);
        return "cannot dump to '" + path + "': the name must end in bmp, gif, jpg, png or tif";
    }
    freeimage(&image);
    if (result == 0) return "";
    // The writers record why ("the disk is full", "the folder is read-only").
    return "cannot write '" + path + "'" + (FileError().empty() ? "" : ": " + FileError());
}

}  // namespace tw
