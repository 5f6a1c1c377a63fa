#include "imagefiles/mod_tw_func.h"

#include <cctype>
#include <cstring>
#include <new>
#include <optional>
#include <utility>
#include <vector>

#include "imagefiles/dib.h"
#include "imagefiles/file_error.h"
#include "imagefiles/index_zero.h"
#include "imagefiles/set_aside_image.h"
#include "platform/source_canvas.h"

namespace tw {

namespace {

// The facts of a picture for a result that worked.
void Describe(const ImageDescriptor& image, FileResult* r) {
    if (!image.bmh) return;
    r->width = image.bmh->biWidth;
    r->height = image.bmh->biHeight;
    r->bitsPerPixel = image.bmh->biBitCount;
    r->colours = image.colors;  // palette entries; 0 for true colour
    if (r->saving) return;
    if (const std::optional<IndexZero> zero = IndexZeroOf(image)) {
        r->palette = true;
        r->indexZero = zero->colour;
        r->indexZeroRepeated = zero->repeated;
    }
}

std::string Fallback(const std::string& fileName, bool saving) {
    if (saving) return "the file could not be written";
    if (const ImageFormat* f = FormatOf(fileName))
        return "the file is damaged or not " + std::string(f->withArticle) + " picture";
    std::string format = FormatExtension(fileName);
    for (char& c : format) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return "the file is damaged or not a " + format + " picture";
}

}  // namespace

const char* const modTWFunc::kOpenFilter = OpenDialogFilter().c_str();
const char* const modTWFunc::kSaveFilter = SaveDialogFilter().c_str();

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
    // Once the file's header has been read, the old CurrentImage waits
    // aside while the file decodes, and comes back on every way out but the
    // one that replaces it. Where a surface still holds a whole picture made
    // from it, it waits as no more than its header: the decoded file then
    // takes the place its rows took.
    std::optional<SetAsideImage> old;
    const auto setAside = [&] { old.emplace(&CurrentImage, wholeOfCurrent_.lock()); };
    ImageDescriptor image{};
    if (const int result = LoadPictureFile(fileName, &image, 0, setAside)) return result;
    // Frees the decoded image on every way out but the one that keeps it,
    // running out of memory included.
    struct Owner {
        ImageDescriptor* image;
        ~Owner() { freeimage(image); }
    } owner{&image};
    // Every picture is made before anything changes, so that running out of
    // memory half-way leaves the surfaces and CurrentImage as they were.
    std::vector<std::pair<PictureSink, Picture>> shown;
    std::vector<PictureSink> whole;  // surfaces that hold all of a picture
    const int w = image.bmh->biWidth, h = image.bmh->biHeight;
    try {
        for (PictureSink& s : routes_.loadInto(targetId)) {
            if (s.surface->SizesToPicture() && s.release) whole.push_back(s);
            else shown.emplace_back(s, PictureFor(*s.surface, image));
        }
    } catch (const std::bad_alloc&) {
        SetFileError(NoMemoryReason(w, h));
        return -2;
    }
    if (old) old->Drop();
    wholeOfCurrent_.reset();
    copyimgdes(&image, &CurrentImage);
    image = ImageDescriptor{};  // now CurrentImage's
    // The file has decoded: a surface's old whole picture goes before the
    // new one is built, so that a second load of a huge picture needs no
    // more memory than the first. Should the new one still not fit, the
    // surface is left empty.
    for (PictureSink& s : whole) s.release();
    try {
        for (PictureSink& s : whole) {
            shown.emplace_back(s, PictureFor(*s.surface, CurrentImage));
            wholeOfCurrent_ = shown.back().second.shared();
        }
    } catch (const std::bad_alloc&) {
        for (auto& [sink, picture] : shown) sink.assign(Picture());
        SetFileError(NoMemoryReason(w, h) + "; the surface that holds the whole picture was left empty");
        return -2;
    }
    for (auto& [sink, picture] : shown) sink.assign(std::move(picture));
    return 0;
}

Picture modTWFunc::PictureFor(const Surface& surface, const ImageDescriptor& image) {
    if (!image.bmh) return Picture();
    // A surface of fixed size never shows more than its client area, so it
    // keeps only that part, cut straight from the decoded picture; a surface
    // that takes the picture's size holds all of it, and a source, which
    // scrolls, as much as it keeps.
    if (surface.SizesToPicture()) return Picture(ImageToRaster(image));
    const bool scrolls = surface.KeepsWholePicture();
    Raster visible = ImageToRaster(image, scrolls ? SourceCanvas::kKeptSide : surface.ClientWidth(),
                                   scrolls ? SourceCanvas::kKeptSide : surface.ClientHeight());
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
        if (taken && routes_.transparentOf)
            if (const std::optional<Pixel> key = routes_.transparentOf(targetId))
                CurrentImage.transparent = static_cast<int32_t>(*key & 0xFFFFFFu);
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
    wholeOfCurrent_.reset();
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
    } else if (!FormatOf(fileName)) {
        SetFileError(UnknownExtensionReason(fileName));
    } else {
        try {
            lastSaveReduced_ = false;
            code = SavePictureFile(fileName, &CurrentImage, &lastSaveReduced_);
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

}  // namespace tw
