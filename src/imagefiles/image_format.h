#pragma once
// The picture formats the program reads and writes, one entry each: the
// names a file of it carries, the bytes it begins with, its codec calls, its
// save dialog entry and what a sheet saved in it keeps. Everything that
// depends on a file's format (the load and save routines, the header
// reader, the runner's dumps, the status line, the dialogs' filters and the
// fuzz targets) asks this table instead of comparing extensions itself.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "imagefiles/picture_header.h"

struct ImageDescriptor;

namespace tw {

struct ImageFormat {
    // What a sheet saved in the format holds.
    enum class Palette {
        Never,     // full depth (TIF), or lossy colours (JPG)
        WhenFits,  // an 8-bit palette up to 256 colours, 24 bits above (BMP, PNG)
        Always,    // always a palette: more colours are reduced on the way out (GIF, XYZ)
    };

    // Lower case; the first is the short name the format goes by ("jpg"),
    // the others are long spellings that load and save the same ("jpeg").
    std::vector<std::string_view> extensions;
    // The bytes at the start of every file of the format (one of them, where
    // the format has more than one byte order). Loading goes by the name; the
    // desktop's file type and the tests go by these.
    std::vector<std::string_view> magic;
    // The save dialog's entry ("PNG"), and how a reason names the format
    // ("a PNG", "an XYZ").
    std::string_view label;
    std::string_view withArticle;
    Palette palette;
    bool lossy;        // a save may change colours whatever their number
    bool engineReads;  // the engine takes a sheet in this format as it is

    // The header: size and the depth `decode` delivers; 0 when it was read.
    int (*header)(const char* fileName, PictureHeader* out);
    // Fills an image allocated from the header; 0 when it loaded.
    int (*decode)(const char* fileName, ImageDescriptor* image);
    // Writes a sheet by the format's palette rule; `reduced` tells whether
    // its colours had to be reduced to fit. 0 when written.
    int (*save)(const char* fileName, const ImageDescriptor* image, bool* reduced);
    // Writes a picture at 24 bits where the format holds them (GIF reduces
    // to its 256 colours); null when the format is palette-only by design.
    int (*dump)(const char* fileName, const ImageDescriptor* image);

    std::string_view Name() const { return extensions.front(); }
};

// The type a save dialog starts on when the sheet has no file and none was
// chosen before: one the engine reads, holding a palette whenever it fits.
constexpr std::string_view kFirstSaveFormat = "png";

// Every format, in the order the dialogs list them.
const std::vector<ImageFormat>& ImageFormats();

// The format a name picks, lower-cased: the part after the last dot of its
// last path element when that names a format, the long spellings taken as
// their short ones ("x.JPEG" and "x.jpe" give "jpg", "x.tiff" gives "tif");
// for any other name its last three characters ("imagepng" gives "png").
std::string FormatExtension(std::string_view fileName);
// The last element of a path: "/a/b/chipset.png" gives "chipset.png".
std::string BaseName(std::string_view path);
// The folder of a path: "/a/b/chipset.png" gives "/a/b", "/x" gives "/" and
// "chipset.png" gives ".".
std::string FolderName(std::string_view path);
// True for the short name of a format in the table.
bool KnownFormat(const std::string& extension);
// The reason a name of an unknown format is refused: "unknown extension .webp".
std::string UnknownExtensionReason(std::string_view fileName);

// The format a file name picks (see FormatExtension), or null for none.
const ImageFormat* FormatOf(std::string_view fileName);

// The open dialog's filter (every extension of every format) and the save
// dialog's (one entry a format), as the dialog interface takes them.
const std::string& OpenDialogFilter();
const std::string& SaveDialogFilter();

// The short names of the formats `pick` accepts, as a list in words:
// "bmp, gif, jpg, png or tif".
std::string FormatList(bool (*pick)(const ImageFormat&));

// The program's load: header, an image allocated from it, the pixels, and a
// 16-bit grey picture taken on as 8-bit grey. On failure nothing is left in
// `image` and the file-error channel holds the reason when one is known.
// `maxPixels` above 0 refuses larger pictures before allocating.
// `headerRead` is called once the header has been read, just before the
// picture is allocated: the moment to make room for a file that opens.
int LoadPictureFile(const std::string& fileName, ImageDescriptor* image, long long maxPixels = 0,
                    const std::function<void()>& headerRead = {});
// The same, reading `fileName` in the format `formatName` picks.
int LoadPictureAs(const std::string& fileName, std::string_view formatName, ImageDescriptor* image,
                  long long maxPixels = 0, const std::function<void()>& headerRead = {});
// The same from a file open for reading, in the format `formatName` picks.
int LoadPictureFrom(int fd, std::string_view formatName, ImageDescriptor* image, long long maxPixels = 0);

// The program's save of a sheet, by the format's palette rule.
int SavePictureFile(const std::string& fileName, const ImageDescriptor* image, bool* reduced);

}  // namespace tw
