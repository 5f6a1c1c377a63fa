// JPEG encoding: greyscale pictures as one-channel JPEGs, everything else as
// colour (palette pictures through their palette).

#include "imagefiles/atomic_file.h"
#include "imagefiles/dib.h"
#include "imagefiles/jpeg_error.h"
#include "imagefiles/vicdef32.h"

namespace {

bool AllGrey(const tw::Raster& picture) {
    for (tw::Pixel p : picture.Pixels())
        if (((p >> 16) & 255) != (p & 255) || ((p >> 8) & 255) != (p & 255)) return false;
    return true;
}

// The codec's whole life; `row` has room for one row of samples.
int WriteJpegStream(FILE* out, const tw::Raster* picture, bool grey, int quality, JSAMPLE* row) {
    jpeg_compress_struct cinfo;
    tw::JpegErrorHandler errors;
    cinfo.err = tw::InstallJpegErrorHandler(&errors);
    if (setjmp(errors.jump)) {
        jpeg_destroy_compress(&cinfo);
        return -1;
    }
    jpeg_create_compress(&cinfo);
    jpeg_stdio_dest(&cinfo, out);
    cinfo.image_width = static_cast<JDIMENSION>(picture->Width());
    cinfo.image_height = static_cast<JDIMENSION>(picture->Height());
    cinfo.input_components = grey ? 1 : 3;
    cinfo.in_color_space = grey ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        const tw::Pixel* in = picture->Row(static_cast<int>(cinfo.next_scanline));
        for (int x = 0; x < picture->Width(); ++x) {
            if (grey) {
                row[x] = static_cast<JSAMPLE>(in[x]);
            } else {
                row[3 * x] = static_cast<JSAMPLE>(in[x] >> 16);
                row[3 * x + 1] = static_cast<JSAMPLE>(in[x] >> 8);
                row[3 * x + 2] = static_cast<JSAMPLE>(in[x]);
            }
        }
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return 0;
}

}  // namespace

int savejpg(const char* fname, const ImageDescriptor* image, int quality) {
    tw::DibShape shape;
    if (!tw::DescribeImage(image, &shape) || quality < 1 || quality > 100) return -1;
    // JPEG allows at most 65500 pixels a side; the image limit is well below.
    const tw::Raster picture = tw::ImageToRaster(*image);
    const bool grey = shape.bpp == 16 || (shape.bpp <= 8 && AllGrey(picture));
    std::vector<JSAMPLE> row(static_cast<size_t>(picture.Width()) * 3);
    tw::AtomicFile file(fname);
    if (!file.Ok()) return -2;
    if (WriteJpegStream(file.Stream(), &picture, grey, quality, row.data()) != 0) return -3;
    return file.Commit() ? 0 : -4;
}
