#include "imagefiles/mod_tw_func.h"

#include <cctype>
#include <cstring>
#include <vector>

#include "imagefiles/dib.h"

namespace tw {
namespace {

struct Route {
    const char* id;
    std::vector<const char*> surfaces;
};

// Which surfaces receive a loaded picture, in order.
const std::vector<Route>& RoutingTable() {
    static const std::vector<Route> table = {
        {"CQ", {"CQ"}}, {"CZ", {"CZ"}}, {"RQ", {"RQ"}}, {"RZ", {"RZ"}},
        {"FQ", {"FQ"}}, {"FZ", {"FZ"}}, {"SQ", {"SQ"}}, {"SZ", {"SZ"}},
        {"BQ", {"BQ"}}, {"BZ", {"BZ"}}, {"OQ", {"OQ", "picTemp"}}, {"OZ", {"OZ"}},
    };
    return table;
}

}  // namespace

std::string FormatExtension(std::string_view fileName) {
    std::string ext(fileName.size() > 3 ? fileName.substr(fileName.size() - 3) : fileName);
    for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ext;
}

modTWFunc::modTWFunc(FileDialog& dialog, SurfaceLookup surfaces)
    : dialog_(dialog), surfaces_(std::move(surfaces)) {}

modTWFunc::~modTWFunc() { freeimage(&CurrentImage); }

void modTWFunc::ShowOpenImage(const std::string& targetId) {
    dialog_.FileName = "";
    dialog_.Filter = kOpenFilter;
    if (dialog_.ShowOpen() == kCancelError) return;
    LoadImageFile(dialog_.FileName, targetId);
}

void modTWFunc::LoadImageFile(const std::string& fileName, const std::string& targetId) {
    Load(fileName, targetId);
}

int modTWFunc::Load(const std::string& fileName, const std::string& targetId) {
    int result = -11;
    const std::string ext = FormatExtension(fileName);
    const char* name = fileName.c_str();
    ImageDescriptor image{};
    bool allocated = false;
    const auto allocAndLoad = [&](int32_t w, int32_t h, int32_t bpp, auto load) {
        result = allocimage(&image, w, h, bpp);
        allocated = result == 0;
        if (result == 0) result = load(name, &image);
    };
    if (ext == "bmp") {
        BITMAPINFOHEADER info{};
        result = bmpinfo(name, &info);
        if (result == 0) allocAndLoad(info.biWidth, info.biHeight, info.biBitCount, loadbmp);
    } else if (ext == "gif") {
        GifInfo info{};
        result = gifinfo(name, &info);
        if (result == 0) allocAndLoad(info.width, info.length, info.vbitcount, loadgif);
    } else if (ext == "jpg") {
        JpegInfo info{};
        result = jpeginfo(name, &info);
        if (result == 0) allocAndLoad(info.width, info.length, info.vbitcount, loadjpg);
    } else if (ext == "png") {
        PngInfo info{};
        result = pnginfo(name, &info);
        if (result == 0) allocAndLoad(info.width, info.length, info.vbitcount, loadpng);
    } else if (ext == "tif") {
        TiffInfo info{};
        result = tiffinfopagebyindex(name, &info, 0);
        if (result == 0) {
            allocAndLoad(info.width, info.length, info.vbitcount,
                         [](const char* n, ImageDescriptor* d) { return loadtifpagebyindex(n, d, 0); });
            if (result == 0 && info.bitsPerSample == 16 && info.samplesPerPixel == 1) {
                // 16-bit grey goes on as 8-bit grey.
                ImageDescriptor grey8{};
                result = allocimage(&grey8, info.width, info.length, 8);
                if (result == 0) result = convertgray16to8(&image, &grey8);
                freeimage(&image);
                if (result == 0)
                    copyimgdes(&grey8, &image);
                else
                    freeimage(&grey8);
            }
        }
    }
    if (result != 0) {
        if (allocated) freeimage(&image);
        return result;
    }
    freeimage(&CurrentImage);
    copyimgdes(&image, &CurrentImage);
    for (const Route& route : RoutingTable()) {
        if (targetId != route.id) continue;
        for (const char* surfaceName : route.surfaces) {
            if (Surface* s = surfaces_(surfaceName)) {
                s->SetPicture(ImageToPicture(CurrentImage));
                s->Refresh();
            }
        }
    }
    return 0;
}

Picture modTWFunc::ImageToPicture(ImageDescriptor& image) {
    if (!image.hBitmap && image.bmh) {
        ImageDescriptor converted{};
        if (dibtoimage(image.bmh, &converted) == 0) {
            freeimage(&image);
            copyimgdes(&converted, &image);
        }
    }
    if (!image.hBitmap) return Picture();
    return Picture(image.hBitmap);
}

void modTWFunc::ShowSaveImage(const std::string& targetId) {
    dialog_.FileName = "";
    dialog_.Filter = kSaveFilter;
    std::string fileName;
    if (dialog_.ShowSave() != kCancelError) fileName = dialog_.FileName;
    if (fileName.empty()) return;
    static const char* const kTargets[] = {"CZ", "RZ", "FZ", "SZ", "BZ", "OZ"};
    const Surface* surface = nullptr;
    for (const char* id : kTargets)
        if (targetId == id) surface = surfaces_(id);
    if (!surface) return;
    if (!TakeSurfaceImage(*surface)) return;
    SaveImageFile(fileName);
}

bool modTWFunc::TakeSurfaceImage(const Surface& surface) {
    // The sheet goes to the encoder as the 24-bit bitmap a screen capture
    // gives, built in memory: nothing is written beside the program.
    ImageDescriptor image{};
    if (RasterToImage(surface.View(), &image) != 0) return false;
    freeimage(&CurrentImage);
    copyimgdes(&image, &CurrentImage);
    return true;
}

void modTWFunc::CopyMemoryBlock(BITMAPINFOHEADER& header, const ImageDescriptor& image) {
    if (image.bmh)
        std::memcpy(&header, image.bmh, sizeof header);
    else
        header = BITMAPINFOHEADER{};
}

void modTWFunc::SaveImageFile(const std::string& fileName) {
    BITMAPINFOHEADER header{};
    CopyMemoryBlock(header, CurrentImage);
    // With no image there is nothing to write.
    if (!CurrentImage.bmh) return;
    int result = -11;
    const std::string ext = FormatExtension(fileName);
    const char* name = fileName.c_str();
    if (ext == "bmp") {
        result = savebmp(name, &CurrentImage, 0);
    } else if (ext == "tif") {
        result = savetif(name, &CurrentImage, 0);
    } else if (ext == "png") {
        result = savepng(name, &CurrentImage, 0);
    } else if (ext == "jpg") {
        if (header.biBitCount == 1) {
            ImageDescriptor temp{};
            result = allocimage(&temp, header.biWidth, header.biHeight, 8);
            if (result == 0) {
                result = convert1bitto8bit(&CurrentImage, &temp);
                if (result == 0) result = savejpg(name, &temp, 75);
                freeimage(&temp);
            }
        } else {
            result = savejpg(name, &CurrentImage, 75);
        }
    } else if (ext == "gif") {
        if (header.biBitCount == 24) {
            ImageDescriptor temp{};
            result = allocimage(&temp, header.biWidth, header.biHeight, 8);
            if (result == 0) {
                result = convertrgbtopalex(256, &CurrentImage, &temp, 3);
                if (result == 0) result = savegif(name, &temp);
                freeimage(&temp);
            }
        } else {
            result = savegif(name, &CurrentImage);
        }
    }
    (void)result;  // never reported
}

}  // namespace tw
