#include "imagefiles/dump_picture.h"

#include "imagefiles/dib.h"
#include "imagefiles/file_error.h"
#include "imagefiles/image_format.h"
#include "imagefiles/vicdef32.h"

namespace tw {

std::string DumpRaster(const Raster& r, const std::string& path) {
    if (r.Empty()) return "nothing to dump: the picture is empty";
    ClearFileError();
    ImageDescriptor image{};
    if (RasterToImage(r, &image) != 0) return "cannot hold the picture";
    const ImageFormat* format = FormatOf(path);
    if (!format || !format->dump) {
        freeimage(&image);
        return "cannot dump to '" + path + "': the name must end in " +
               FormatList([](const ImageFormat& f) { return f.dump != nullptr; });
    }
    const int result = format->dump(path.c_str(), &image);
    freeimage(&image);
    if (result == 0) return "";
    // The writers record why ("the disk is full", "the folder is read-only").
    return "cannot write '" + path + "'" + (FileError().empty() ? "" : ": " + FileError());
}

}  // namespace tw
