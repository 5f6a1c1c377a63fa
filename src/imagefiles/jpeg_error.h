#pragma once
// libjpeg error handling shared by the JPEG reader and writer: errors jump
// back to the setjmp in the one C-style function that owns the codec, which
// holds no C++ objects. Warnings stay silent, except that a file ending early
// counts as an error: a truncated photo must not load as half grey.

#include <cstdio>  // jpeglib.h needs FILE
#include <csetjmp>

#include <jpeglib.h>

namespace tw {

struct JpegErrorHandler {
    jpeg_error_mgr manager;
    jmp_buf jump;
};

// Installs the handler on a codec before jpeg_create_*.
jpeg_error_mgr* InstallJpegErrorHandler(JpegErrorHandler* handler);

// Limits for decoding: memory for the codec's own buffers and the number of
// progressive scans, so that a hostile file cannot keep it busy for long.
void LimitJpegDecoder(j_decompress_ptr cinfo, jpeg_progress_mgr* progress);

}  // namespace tw
