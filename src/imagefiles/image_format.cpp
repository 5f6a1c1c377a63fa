#include "imagefiles/image_format.h"

#include <cctype>

#include "imagefiles/file_error.h"
#include "imagefiles/vicdef32.h"

namespace tw {
namespace {

// The header readers, each turning its codec's own record into the size and
// the depth its decoder fills.
template <typename Info, int (*Read)(const char*, Info*)>
int Header(const char* fileName, PictureHeader* out) {
    Info i{};
    const int rc = Read(fileName, &i);
    if (rc == 0) *out = {i.width, i.length, i.vbitcount};
    return rc;
}

int BmpHeader(const char* fileName, PictureHeader* out) {
    BITMAPINFOHEADER i{};
    const int rc = bmpinfo(fileName, &i);
    if (rc == 0) *out = {i.biWidth, i.biHeight, i.biBitCount};
    return rc;
}
int TifInfo(const char* fileName, TiffInfo* info) { return tiffinfopagebyindex(fileName, info, 0); }
int XyzInfoOf(const char* fileName, XyzInfo* info) { return xyzinfo(fileName, info); }

// A TIFF is read from its first page.
int TifDecode(const char* fileName, ImageDescriptor* image) { return loadtifpagebyindex(fileName, image, 0); }
int XyzDecode(const char* fileName, ImageDescriptor* image) { return loadxyz(fileName, image); }

// BMP and PNG: a palette when the sheet fits in one, else 24 bits; a dump
// always at 24 bits.
template <int (*Write)(const char*, const ImageDescriptor*, int)>
int PaletteWhenFits(const char* fileName, const ImageDescriptor* image, bool* /*reduced*/) {
    return Write(fileName, image, 0);
}
template <int (*Write)(const char*, const ImageDescriptor*, int)>
int FullDepth(const char* fileName, const ImageDescriptor* image) {
    return Write(fileName, image, kSaveFullDepth);
}

int TifSave(const char* fileName, const ImageDescriptor* image, bool* /*reduced*/) {
    return savetif(fileName, image, 0);
}
int TifDump(const char* fileName, const ImageDescriptor* image) { return savetif(fileName, image, 0); }

// JPEG holds no 1-bit pictures: those go as 8-bit grey, at quality 75.
int JpgDump(const char* fileName, const ImageDescriptor* image) {
    if (!image->bmh || image->bmh->biBitCount != 1) return savejpg(fileName, image, 75);
    ImageDescriptor grey{};
    int rc = allocimage(&grey, image->bmh->biWidth, image->bmh->biHeight, 8);
    if (rc == 0) rc = convert1bitto8bit(image, &grey);
    if (rc == 0) rc = savejpg(fileName, &grey, 75);
    freeimage(&grey);
    return rc;
}
int JpgSave(const char* fileName, const ImageDescriptor* image, bool* /*reduced*/) {
    return JpgDump(fileName, image);
}

// GIF holds a palette only: a 24-bit picture is reduced to 256 colours first,
// for a sheet and a dump alike.
int GifDump(const char* fileName, const ImageDescriptor* image) {
    if (!image->bmh || image->bmh->biBitCount != 24) return savegif(fileName, image);
    ImageDescriptor pal{};
    int rc = allocimage(&pal, image->bmh->biWidth, image->bmh->biHeight, 8);
    if (rc == 0) rc = convertrgbtopalex(256, image, &pal, 3);
    if (rc == 0) rc = savegif(fileName, &pal);
    freeimage(&pal);
    return rc;
}
int GifSave(const char* fileName, const ImageDescriptor* image, bool* /*reduced*/) {
    return GifDump(fileName, image);
}

int XyzSave(const char* fileName, const ImageDescriptor* image, bool* reduced) {
    return savexyz(fileName, image, reduced);
}

using P = ImageFormat::Palette;

std::string Lower(std::string_view part) {
    std::string s(part);
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// The extension after the last dot of the last path element, lower-cased;
// nothing when the name has no dot there.
std::optional<std::string> DotExtension(std::string_view fileName) {
    const std::string base = BaseName(fileName);
    const size_t dot = base.rfind('.');
    if (dot == std::string_view::npos) return std::nullopt;
    return Lower(base.substr(dot + 1));
}

const ImageFormat* ByExtension(std::string_view ext, bool longNamesToo) {
    for (const ImageFormat& f : ImageFormats())
        for (std::string_view e : f.extensions) {
            if (e == ext) return &f;
            if (!longNamesToo) break;
        }
    return nullptr;
}

}  // namespace

std::string BaseName(std::string_view path) {
    const size_t slash = path.rfind('/');
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string FolderName(std::string_view path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string_view::npos) return ".";
    return slash == 0 ? "/" : std::string(path.substr(0, slash));
}

const std::vector<ImageFormat>& ImageFormats() {
    static const std::vector<ImageFormat> formats = {
        {{"bmp"}, {"BM"}, "BMP", "a BMP", P::WhenFits, false, true,
         BmpHeader, loadbmp, PaletteWhenFits<savebmp>, FullDepth<savebmp>},
        {{"gif"}, {"GIF87a", "GIF89a"}, "GIF", "a GIF", P::Always, false, false,
         Header<GifInfo, gifinfo>, loadgif, GifSave, GifDump},
        {{"jpg", "jpeg", "jpe"}, {"\xFF\xD8\xFF"}, "JPG", "a JPG", P::Never, true, false,
         Header<JpegInfo, jpeginfo>, loadjpg, JpgSave, JpgDump},
        {{"png"}, {"\x89PNG\r\n\x1A\n"}, "PNG", "a PNG", P::WhenFits, false, true,
         Header<PngInfo, pnginfo>, loadpng, PaletteWhenFits<savepng>, FullDepth<savepng>},
        {{"tif", "tiff"}, {{"II*\0", 4}, {"MM\0*", 4}}, "TIF", "a TIF", P::Never, false, false,
         Header<TiffInfo, TifInfo>, TifDecode, TifSave, TifDump},
        // The engine's own format: always a palette, so it takes no 24-bit dump.
        {{"xyz"}, {"XYZ1"}, "XYZ", "an XYZ", P::Always, false, true,
         Header<XyzInfo, XyzInfoOf>, XyzDecode, XyzSave, nullptr},
    };
    return formats;
}

std::string FormatExtension(std::string_view fileName) {
    if (const std::optional<std::string> ext = DotExtension(fileName))
        if (const ImageFormat* f = ByExtension(*ext, true)) return std::string(f->Name());
    // Any other name is judged by its last three characters, as it always
    // was: "imagepng" is a PNG file.
    return Lower(fileName.size() > 3 ? fileName.substr(fileName.size() - 3) : fileName);
}

const ImageFormat* FormatOf(std::string_view fileName) {
    return ByExtension(FormatExtension(fileName), false);
}

bool KnownFormat(const std::string& extension) { return ByExtension(extension, false) != nullptr; }

std::string FormatList(bool (*pick)(const ImageFormat&)) {
    std::vector<std::string_view> names;
    for (const ImageFormat& f : ImageFormats())
        if (pick(f)) names.push_back(f.Name());
    std::string list;
    for (size_t i = 0; i < names.size(); ++i) {
        if (i > 0) list += i + 1 == names.size() ? " or " : ", ";
        list += names[i];
    }
    return list;
}

std::string UnknownExtensionReason(std::string_view fileName) {
    const std::string base = BaseName(fileName);
    const size_t dot = base.rfind('.');
    if (dot == std::string_view::npos)
        return "the name has no extension (" + FormatList([](const ImageFormat&) { return true; }) + ")";
    return "unknown extension " + std::string(base.substr(dot));
}

const std::string& OpenDialogFilter() {
    static const std::string filter = [] {
        std::string patterns;
        for (const ImageFormat& f : ImageFormats())
            for (std::string_view e : f.extensions) patterns += (patterns.empty() ? "*." : ";*.") + std::string(e);
        return "Image Files |" + patterns + "|All files |*.*";
    }();
    return filter;
}

const std::string& SaveDialogFilter() {
    static const std::string filter = [] {
        std::string entries;
        for (const ImageFormat& f : ImageFormats()) {
            if (!entries.empty()) entries += '|';
            entries += std::string(f.label) + '|';
            for (size_t i = 0; i < f.extensions.size(); ++i)
                entries += (i ? ";*." : "*.") + std::string(f.extensions[i]);
        }
        return entries;
    }();
    return filter;
}

int LoadPictureFile(const std::string& fileName, ImageDescriptor* out, long long maxPixels,
                    const std::function<void()>& headerRead) {
    return LoadPictureAs(fileName, fileName, out, maxPixels, headerRead);
}

int LoadPictureFrom(int fd, std::string_view formatName, ImageDescriptor* out, long long maxPixels) {
    // The descriptor's own entry: opening it reaches the file already open,
    // whatever its name has become since.
    return LoadPictureAs("/proc/self/fd/" + std::to_string(fd), formatName, out, maxPixels);
}

int LoadPictureAs(const std::string& fileName, std::string_view formatName, ImageDescriptor* out,
                  long long maxPixels, const std::function<void()>& headerRead) {
    const ImageFormat* format = FormatOf(formatName);
    if (!format) {
        SetFileError(UnknownExtensionReason(formatName));
        return -11;
    }
    const char* name = fileName.c_str();
    PictureHeader h{0, 0, 0};
    if (const int rc = format->header(name, &h)) return rc;
    if (maxPixels > 0 && static_cast<long long>(h.width) * h.height > maxPixels) return -12;
    if (headerRead) headerRead();
    ImageDescriptor image{};
    // Frees the decoded image on every way out but the one that hands it
    // over, running out of memory included.
    struct Owner {
        ImageDescriptor* image;
        ~Owner() { freeimage(image); }
    } owner{&image};
    if (const int rc = allocimage(&image, h.width, h.height, h.bitsPerPixel)) return rc;
    if (const int rc = format->decode(name, &image)) return rc;
    if (image.bmh->biBitCount == 16) {
        // 16-bit grey goes on as 8-bit grey.
        ImageDescriptor grey8{};
        int rc = allocimage(&grey8, h.width, h.height, 8);
        if (rc == 0) rc = convertgray16to8(&image, &grey8);
        freeimage(&image);
        if (rc != 0) {
            freeimage(&grey8);
            return rc;
        }
        copyimgdes(&grey8, &image);
    }
    copyimgdes(&image, out);
    image = ImageDescriptor{};  // now the caller's
    return 0;
}

int SavePictureFile(const std::string& fileName, const ImageDescriptor* image, bool* reduced) {
    bool wasReduced = false;
    const ImageFormat* format = FormatOf(fileName);
    int rc = -11;
    if (!format)
        SetFileError(UnknownExtensionReason(fileName));
    else
        rc = format->save(fileName.c_str(), image, &wasReduced);
    if (reduced) *reduced = rc == 0 && wasReduced;
    return rc;
}

}  // namespace tw
