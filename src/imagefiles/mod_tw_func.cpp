#include "imagefiles/mod_tw_func.h"

#include <cctype>
#include <cstring>
#include <new>
#include <utility>
#include <vector>

#include "imagefiles/codec_report.h"
#include "imagefiles/dib.h"
#include "imagefiles/file_error.h"

namespace tw {

std::string FormatExtension(std::string_view fileName) {
    const auto lower = [](std::string_view part) {
        std::string s(part);
        for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return s;
    };
    const size_t slash = fileName.rfind('/');
    const std::string_view base = slash == std::string_view::npos ? fileName : fileName.substr(slash + 1);
    const size_t dot = base.rfind('.');
    if (dot != std::string_view::npos) {
        const std::string ext = lower(base.substr(dot + 1));
        if (ext == "jpeg" || ext == "jpe") return "jpg";
        if (ext == "tiff") return "tif";
        if (KnownFormat(ext)) return ext;
    }
    // Any other name is judged by its last three characters, as it always
    // was: "imagepng" is a PNG file.
    return lower(fileName.size() > 3 ? fileName.substr(fileName.size() - 3) : fileName);
}

bool KnownFormat(const std::string& extension) {
    return extension == "bmp" || extension == "gif" || extension == "jpg" || extension == "png" ||
           extension == "tif" || extension == "xyz";
}

std::string UnknownExtensionReason(std::string_view fileName) {
    const size_t slash = fileName.rfind('/');
    const std::string_view base = slash == std::string_view::npos ? fileName : fileName.substr(slash + 1);
    const size_t dot = base.rfind('.');
    if (dot == std::string_view::npos)
        return "the name has no extension (bmp, gif, jpg, png, tif or xyz)";
    return "unknown extension " + std::string(base.substr(dot));
}

namespace {

// The facts of a picture for a result that worked.
void Describe(const ImageDescriptor& image, FileResult* r) {
    if (!image.bmh) return;
    r->width = image.bmh->biWidth;
    r->height = image.bmh->biHeight;
    r->bitsPerPixel = image.bmh->biBitCount;
    r->colours = image.colors;  // palette entries; 0 for true colour
}

std::string Fallback(const std::string& fileName, bool saving) {
    if (saving) return "the file could not be written";
    std::string format = FormatExtension(fileName);
    for (char& c : format) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    // Said aloud, XYZ begins with a vowel ("ex"); the other formats do not.
    return "the file is damaged or not " + std::string(format == "XYZ" ? "an " : "a ") + format +
           " picture";
}

}  // namespace

modTWFunc::modTWFunc(FileDialog& dialog, Routes routes)
    : dialog_(dialog), routes_(std::move(routes)) {}

modTWFunc::~modTWFunc() { freeimage(&CurrentImage); }

void modTWFunc::ShowOpenImage(const std::string& targetId) {
    if (nextOpen_) {
        const std::string fileName = std::exchange(nextOpen_, std::nullopt).value();
        LoadImageFile(fileName, targetId);
        return;
    }
    dialog_.FileName = "";
    dialog_.Filter = kOpenFilter;
    if (dialog_.ShowOpen() == kCancelError) {
        Report(FileResult{.outcome = FileResult::Outcome::Cancelled});
        return;
    }
    LoadImageFile(dialog_.FileName, targetId);
}

FileResult modTWFunc::LoadImageFile(const std::string& fileName, const std::string& targetId) {
    FileResult r{.fileName = fileName};
    ClearFileError();
    int code = -1;
    try {
        code = Load(fileName, targetId);
    } catch (const std::bad_alloc&) {
        SetFileError("not enough memory to load the picture");
    }
    if (code == 0) {
        r.outcome = FileResult::Outcome::Loaded;
        Describe(CurrentImage, &r);
    } else {
        r.outcome = FileResult::Outcome::Failed;
        r.reason = FileError().empty() ? Fallback(fileName, false) : FileError();
    }
    return Report(std::move(r));
}

const FileResult& modTWFunc::Report(FileResult result) {
    lastResult_ = std::move(result);
    if (observer_) observer_(lastResult_);
    return lastResult_;
}

int modTWFunc::Load(const std::string& fileName, const std::string& targetId) {
    int result = -11;
    const std::string ext = FormatExtension(fileName);
    const char* name = fileName.c_str();
    ImageDescriptor image{};
    // Frees the decoded image on every way out but the one that keeps it,
    // running out of memory included.
    struct Owner {
        ImageDescriptor* image;
        ~Owner() { freeimage(image); }
    } owner{&image};
    const auto allocAndLoad = [&](int32_t w, int32_t h, int32_t bpp, auto load) {
        result = allocimage(&image, w, h, bpp);
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
    } else if (ext == "xyz") {
        CodecReport report;
        XyzInfo info{};
        result = xyzinfo(name, &info, &report);
        if (result == 0)
            allocAndLoad(info.width, info.length, info.vbitcount,
                         [&report](const char* n, ImageDescriptor* d) { return loadxyz(n, d, &report); });
        if (result != 0 && !report.reason.empty()) SetFileError(report.reason);
    } else if (!KnownFormat(ext)) {
        SetFileError(UnknownExtensionReason(fileName));
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
    if (result != 0) return result;
    // Every picture is made before anything changes, so that running out of
    // memory half-way leaves the surfaces and CurrentImage as they were.
    std::vector<std::pair<PictureSink, Picture>> shown;
    try {
        for (PictureSink& s : routes_.loadInto(targetId))
            shown.emplace_back(s, PictureFor(*s.surface, image));
    } catch (const std::bad_alloc&) {
        SetFileError(NoMemoryReason(image.bmh->biWidth, image.bmh->biHeight));
        return -2;
    }
    freeimage(&CurrentImage);
    copyimgdes(&image, &CurrentImage);
    image = ImageDescriptor{};  // now CurrentImage's
    for (auto& [sink, picture] : shown) sink.assign(std::move(picture));
    return 0;
}

Picture modTWFunc::PictureFor(const Surface& surface, const ImageDescriptor& image) {
    if (!image.bmh) return Picture();
    // A surface of fixed size never shows more than its client area, so it
    // keeps only that part, cut straight from the decoded picture; only a
    // surface that takes the picture's size holds all of it.
    if (surface.SizesToPicture()) return Picture(ImageToRaster(image));
    Raster visible = ImageToRaster(image, surface.ClientWidth(), surface.ClientHeight());
    if (visible.Empty()) return Picture();
    return Picture(std::move(visible), image.bmh->biWidth, image.bmh->biHeight);
}

void modTWFunc::ShowSaveImage(const std::string& targetId, const std::string& format) {
    dialog_.FileName = "";
    dialog_.Filter = kSaveFilter;
    dialog_.Format = format;
    std::string fileName;
    if (dialog_.ShowSave() != kCancelError) fileName = dialog_.FileName;
    dialog_.Format.clear();
    if (fileName.empty()) {
        Report(FileResult{.outcome = FileResult::Outcome::Cancelled, .saving = true});
        return;
    }
    SaveTargetTo(fileName, targetId);
}

FileResult modTWFunc::SaveTargetTo(const std::string& fileName, const std::string& targetId) {
    const Surface* surface = routes_.saveFrom(targetId);
    if (!surface)
        return Report(FileResult{.outcome = FileResult::Outcome::Failed, .saving = true,
                                 .fileName = fileName, .reason = "no such sheet: " + targetId});
    bool taken = false;
    try {
        taken = TakeSurfaceImage(*surface);
    } catch (const std::bad_alloc&) {
    }
    if (!taken)
        return Report(FileResult{.outcome = FileResult::Outcome::Failed, .saving = true, .fileName = fileName,
                                 .reason = NoMemoryReason(surface->ClientWidth(), surface->ClientHeight())});
    return SaveImageFile(fileName);
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

FileResult modTWFunc::SaveImageFile(const std::string& fileName) {
    FileResult r{.saving = true, .fileName = fileName};
    ClearFileError();
    int code = -1;
    if (!CurrentImage.bmh) {
        SetFileError("there is no picture to save");
    } else if (!KnownFormat(FormatExtension(fileName))) {
        SetFileError(UnknownExtensionReason(fileName));
    } else {
        try {
            code = Save(fileName);
        } catch (const std::bad_alloc&) {
            SetFileError(NoMemoryReason(CurrentImage.bmh->biWidth, CurrentImage.bmh->biHeight));
        }
    }
    if (code == 0) {
        r.outcome = FileResult::Outcome::Saved;
        r.reduced = lastSaveReduced_;
        Describe(CurrentImage, &r);
    } else {
        r.outcome = FileResult::Outcome::Failed;
        r.reason = FileError().empty() ? Fallback(fileName, true) : FileError();
    }
    return Report(std::move(r));
}

int modTWFunc::Save(const std::string& fileName) {
    BITMAPINFOHEADER header{};
    CopyMemoryBlock(header, CurrentImage);
    int result = -11;
    const std::string ext = FormatExtension(fileName);
    const char* name = fileName.c_str();
    lastSaveReduced_ = false;
    if (ext == "bmp") {
        result = savebmp(name, &CurrentImage, 0);
    } else if (ext == "xyz") {
        CodecReport report;
        result = savexyz(name, &CurrentImage, &report);
        if (result != 0 && !report.reason.empty()) SetFileError(report.reason);
        lastSaveReduced_ = result == 0 && report.reduced;
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
    return result;
}

}  // namespace tw
