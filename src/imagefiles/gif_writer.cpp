// GIF encoding: always one GIF89a palette frame. True-colour pictures are
// reduced to 256 colours; the transparent colour stays exact at index 0.

#include <gif_lib.h>

#include <memory>

#include "imagefiles/atomic_file.h"
#include "imagefiles/colour_reduction.h"
#include "imagefiles/dib.h"
#include "imagefiles/vicdef32.h"

namespace {

struct MapDeleter {
    void operator()(ColorMapObject* m) const { GifFreeMapObject(m); }
};

int WriteToFile(GifFileType* gif, const GifByteType* data, int size) {
    return static_cast<int>(fwrite(data, 1, static_cast<size_t>(size), static_cast<FILE*>(gif->UserData)));
}

bool WriteGif(FILE* out, const tw::IndexedPicture& picture) {
    // giflib only makes maps of a power-of-two size; padding repeats no colour.
    std::vector<tw::Pixel> colours = picture.palette;
    const int mapSize = 1 << GifBitSize(static_cast<int>(colours.size()));
    tw::PadPalette(&colours, static_cast<size_t>(mapSize));
    std::vector<GifColorType> entries;
    for (tw::Pixel c : colours)
        entries.push_back(GifColorType{static_cast<GifByteType>(c >> 16), static_cast<GifByteType>(c >> 8),
                                       static_cast<GifByteType>(c)});
    std::unique_ptr<ColorMapObject, MapDeleter> map(GifMakeMapObject(mapSize, entries.data()));
    if (!map) return false;
    int error = 0;
    GifFileType* gif = EGifOpen(out, WriteToFile, &error);
    if (gif == nullptr) return false;
    EGifSetGifVersion(gif, true);
    bool ok = EGifPutScreenDesc(gif, picture.width, picture.height, map->BitsPerPixel, 0, map.get()) == GIF_OK &&
              EGifPutImageDesc(gif, 0, 0, picture.width, picture.height, false, nullptr) == GIF_OK;
    for (int y = 0; ok && y < picture.height; ++y) {
        auto* row = const_cast<GifPixelType*>(picture.indices.data() + static_cast<size_t>(y) * picture.width);
        ok = EGifPutLine(gif, row, picture.width) == GIF_OK;
    }
    // Closing writes the trailer and frees the handle, whatever happened.
    ok = EGifCloseFile(gif, &error) == GIF_OK && ok;
    return ok;
}

}  // namespace

int savegif(const char* fname, const ImageDescriptor* image) {
    tw::DibShape shape;
    if (!tw::DescribeImage(image, &shape)) return -1;
    const tw::Raster pixels = tw::ImageToRaster(*image);
    const auto picture =
        tw::ReduceColours(pixels, 256, {.transparent = tw::TransparentColourFor(*image, pixels)});
    if (!picture) return -2;
    tw::AtomicFile file(fname);
    if (!file.Ok()) return -3;
    if (!WriteGif(file.Stream(), *picture)) return -4;
    return file.Commit() ? 0 : -5;
}
