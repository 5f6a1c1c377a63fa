// JPEG decoding with libjpeg-turbo: greyscale to 8 bits, colour to 24 bits
// (BGR straight into the DIB rows). CMYK files are refused.

#include "imagefiles/dib.h"
#include "imagefiles/file_error.h"
#include "imagefiles/input_file.h"
#include "imagefiles/jpeg_error.h"
#include "imagefiles/jpeg_work.h"
#include "imagefiles/vicdef32.h"

namespace {

int DeliveredDepth(const jpeg_decompress_struct& c) {
    if (c.jpeg_color_space == JCS_GRAYSCALE && c.num_components == 1) return 8;
    if ((c.jpeg_color_space == JCS_YCbCr || c.jpeg_color_space == JCS_RGB) && c.num_components == 3)
        return 24;
    return 0;
}

void FillInfo(const jpeg_decompress_struct& c, JpegInfo* info) {
    info->comps = c.num_components;
    info->width = static_cast<int32_t>(c.image_width);
    info->length = static_cast<int32_t>(c.image_height);
    info->precision = c.data_precision;
    info->progressive = c.progressive_mode ? 1 : 0;
    info->sampfactor = (c.comp_info[0].h_samp_factor << 4) | c.comp_info[0].v_samp_factor;
    info->densunit = c.density_unit;
    info->xdensity = c.X_density;
    info->ydensity = c.Y_density;
    info->vbitcount = DeliveredDepth(c);
}

// Reads the header into `info`, and with an image also the pixels.
int ReadJpegStream(FILE* fp, JpegInfo* info, ImageDescriptor* image) {
    if (fp == nullptr) return -1;
    if (!tw::JpegWorkAllowed(fp)) return -3;
    jpeg_decompress_struct cinfo;
    tw::JpegErrorHandler errors;
    jpeg_progress_mgr progress;
    cinfo.err = tw::InstallJpegErrorHandler(&errors);
    if (setjmp(errors.jump)) {
        jpeg_destroy_decompress(&cinfo);
        return -2;
    }
    jpeg_create_decompress(&cinfo);
    tw::LimitJpegDecoder(&cinfo, &progress);
    jpeg_stdio_src(&cinfo, fp);
    jpeg_read_header(&cinfo, TRUE);
    FillInfo(cinfo, info);
    const int w = static_cast<int>(cinfo.image_width), h = static_cast<int>(cinfo.image_height);
    int result = 0;
    if (info->vbitcount == 0) {
        tw::SetFileError("a JPEG in CMYK or another colour model that cannot be shown");
        result = -3;
    } else if (!tw::DibSizeAllowed(w, h, info->vbitcount)) {
        result = -3;
    } else if (image != nullptr) {
        if (!tw::ImageMatches(image, w, h, info->vbitcount)) {
            result = -4;
        } else {
            cinfo.out_color_space = info->vbitcount == 8 ? JCS_GRAYSCALE : JCS_EXT_BGR;
            jpeg_start_decompress(&cinfo);
            if (static_cast<int>(cinfo.output_width) != w || static_cast<int>(cinfo.output_height) != h) {
                result = -5;
            } else {
                while (cinfo.output_scanline < cinfo.output_height) {
                    JSAMPROW row = tw::ImageRow(*image, static_cast<int>(cinfo.output_scanline));
                    jpeg_read_scanlines(&cinfo, &row, 1);
                }
                jpeg_finish_decompress(&cinfo);
                if (info->vbitcount == 8) tw::SetGreyPalette(image);
            }
        }
    }
    jpeg_destroy_decompress(&cinfo);
    return result;
}

int ReadJpegFile(const char* fname, JpegInfo* info, ImageDescriptor* image) {
    tw::FilePtr file = tw::OpenInputFile(fname);
    return ReadJpegStream(file.get(), info, image);
}

}  // namespace

int jpeginfo(const char* fname, JpegInfo* info) {
    JpegInfo found{};
    if (info == nullptr || ReadJpegFile(fname, &found, nullptr) != 0) return -1;
    *info = found;
    return 0;
}

int loadjpg(const char* fname, ImageDescriptor* image) {
    JpegInfo found{};
    tw::PixelsChanging(image);
    return ReadJpegFile(fname, &found, image) == 0 ? 0 : -1;
}
