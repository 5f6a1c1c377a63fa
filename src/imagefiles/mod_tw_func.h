#pragma once
// modTWFunc: the open and save routines. Loads a picture file into the surface
// a target id names, and writes a target surface to BMP, GIF, JPG, PNG or TIF
// by way of a 24-bit bitmap of the sheet held in memory. A file that cannot
// be read loads nothing and changes nothing; a save that fails writes nothing
// under the user's name. XYZ, the engine's own format, goes both ways too. Each routine reports what became of the file.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "imagefiles/file_result.h"
#include "imagefiles/image_format.h"
#include "imagefiles/vicdef32.h"
#include "platform/file_dialog.h"
#include "platform/surface.h"

namespace tw {

class modTWFunc {
public:
    // The dialogs' filters, made from the table of formats.
    static const char* const kOpenFilter;
    static const char* const kSaveFilter;

    // One place a loaded picture goes: the surface it is cut for, and who
    // assigns it there (the surface itself, or the sheet it shows, as an edit).
    struct PictureSink {
        const Surface* surface;
        std::function<void(Picture)> assign;
        // For a surface that takes the picture's size: lets go of its old
        // picture once the new file has decoded. Null keeps it to the end.
        std::function<void()> release = nullptr;
    };
    // Where pictures go, given by the program that knows its pages: the
    // places a load for a target id fills, in order (none for an unknown id),
    // and the surface a save for a target id writes (nullptr for an unknown id).
    struct Routes {
        std::function<std::vector<PictureSink>(std::string_view targetId)> loadInto;
        std::function<const Surface*(std::string_view targetId)> saveFrom;
        // The colour a save for a target id writes at index 0, when the
        // sheet keeps one of its own; none: the one at its transparent pixel.
        std::function<std::optional<Pixel>(std::string_view targetId)> transparentOf{};
    };
    using ResultObserver = std::function<void(const FileResult&)>;

    modTWFunc(FileDialog& dialog, Routes routes);
    ~modTWFunc();
    modTWFunc(const modTWFunc&) = delete;
    modTWFunc& operator=(const modTWFunc&) = delete;

    void ShowOpenImage(const std::string& targetId);
    // The next open dialog is answered with `fileName` and not shown: a file
    // chosen from File > Recent Files.
    void AnswerNextOpen(std::string fileName) { nextOpen_ = std::move(fileName); }
    FileResult LoadImageFile(const std::string& fileName, const std::string& targetId);
    // The part of the image the surface can show, as its picture.
    static Picture PictureFor(const Surface& surface, const ImageDescriptor& image);

    // The save dialog, starting on `format`'s type when one is given, then
    // the save of the target to the chosen name.
    void ShowSaveImage(const std::string& targetId, const std::string& format = "");
    // Writes the target to fileName, in the format its name picks, asking nothing.
    FileResult SaveTargetTo(const std::string& fileName, const std::string& targetId);
    FileResult SaveImageFile(const std::string& fileName);
    static void CopyMemoryBlock(BITMAPINFOHEADER& header, const ImageDescriptor& image);

    // The image of the latest successful load.
    ImageDescriptor CurrentImage;

    // What became of the latest load or save, cancelled ones included.
    const FileResult& LastResult() const { return lastResult_; }
    // Called with every result as it happens (the runner reports failures).
    void OnResult(ResultObserver observer) { observer_ = std::move(observer); }

private:
    // The load itself; 0 when the file was loaded.
    int Load(const std::string& fileName, const std::string& targetId);
    // Keeps the result and tells the observer.
    const FileResult& Report(FileResult result);
    // Puts the surface's persistent image into CurrentImage as a 24-bit image.
    bool TakeSurfaceImage(const Surface& surface);

    FileDialog& dialog_;
    Routes routes_;
    FileResult lastResult_;
    ResultObserver observer_;
    bool lastSaveReduced_ = false;  // the latest save had to reduce the colours
    std::optional<std::string> nextOpen_;
    // The whole picture the latest load built from CurrentImage, while a
    // surface holds it (picTemp's).
    std::weak_ptr<const Raster> wholeOfCurrent_;
};

}  // namespace tw
