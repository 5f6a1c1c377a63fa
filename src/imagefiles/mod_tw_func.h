#pragma once
// modTWFunc: the open and save routines. Loads a picture file into the surface
// a target id names, and writes a target surface to BMP, GIF, JPG, PNG or TIF
// by way of a 24-bit bitmap of the sheet held in memory. Every routine fails silently: a file that
// cannot be read loads nothing and changes nothing.

#include <functional>
#include <string>
#include <string_view>

#include "imagefiles/vicdef32.h"
#include "platform/file_dialog.h"
#include "platform/surface.h"

namespace tw {

class modTWFunc {
public:
    static constexpr const char* kOpenFilter =
        "Image Files |*.bmp;*.gif;*.jpg;*.png;*.tif|All files |*.*";
    static constexpr const char* kSaveFilter = "BMP|*.bmp|GIF|*.gif|JPG|*.jpg|PNG|*.png|TIF|*.tif";

    using SurfaceLookup = std::function<Surface*(std::string_view name)>;

    modTWFunc(FileDialog& dialog, SurfaceLookup surfaces);
    ~modTWFunc();
    modTWFunc(const modTWFunc&) = delete;
    modTWFunc& operator=(const modTWFunc&) = delete;

    void ShowOpenImage(const std::string& targetId);
    void LoadImageFile(const std::string& fileName, const std::string& targetId);
    // A picture of the image's pixels, or the empty picture. May replace the
    // descriptor by a converted copy that has a bitmap.
    Picture ImageToPicture(ImageDescriptor& image);

    void ShowSaveImage(const std::string& targetId);
    void SaveImageFile(const std::string& fileName);
    static void CopyMemoryBlock(BITMAPINFOHEADER& header, const ImageDescriptor& image);

    // The image of the latest successful load.
    ImageDescriptor CurrentImage;

private:
    // The load itself; 0 when the file was loaded.
    int Load(const std::string& fileName, const std::string& targetId);
    // Puts the surface's persistent image into CurrentImage as a 24-bit image.
    bool TakeSurfaceImage(const Surface& surface);

    FileDialog& dialog_;
    SurfaceLookup surfaces_;
};

// The last three characters of a name, lower-cased: what decides the format.
std::string FormatExtension(std::string_view fileName);

}  // namespace tw
