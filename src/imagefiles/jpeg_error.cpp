#include "imagefiles/jpeg_error.h"

#include <jerror.h>

#include <string>

#include "imagefiles/file_error.h"
#include "imagefiles/jpeg_work.h"

namespace tw {
namespace {

[[noreturn]] void Fail(j_common_ptr cinfo) {
    const int code = cinfo->err->msg_code;
    if (cinfo->is_decompressor) {
        if (code == JERR_NO_SOI) SetFileError("not a JPEG file");
        else if (code == JERR_INPUT_EOF) SetFileError("the file ends too early");
        else SetFileError("the JPEG data is damaged");
    }
    longjmp(reinterpret_cast<JpegErrorHandler*>(cinfo->err)->jump, 1);
}

void Message(j_common_ptr cinfo, int level) {
    if (level < 0 && cinfo->err->msg_code == JWRN_JPEG_EOF) {
        SetFileError("the file ends too early");
        Fail(cinfo);
    }
}

void CheckScans(j_common_ptr cinfo) {
    // The marker pass refused files of too many scans before decoding; this
    // holds should the decoder find scans that pass did not.
    if (cinfo->is_decompressor &&
        reinterpret_cast<j_decompress_ptr>(cinfo)->input_scan_number > kMaxJpegScans) {
        SetFileError("too many scans in a progressive JPEG (the limit is " +
                     std::to_string(kMaxJpegScans) + ")");
        Fail(cinfo);
    }
}

}  // namespace

jpeg_error_mgr* InstallJpegErrorHandler(JpegErrorHandler* handler) {
    jpeg_error_mgr* mgr = jpeg_std_error(&handler->manager);
    mgr->error_exit = Fail;
    mgr->emit_message = Message;
    return mgr;
}

void LimitJpegDecoder(j_decompress_ptr cinfo, jpeg_progress_mgr* progress) {
    cinfo->mem->max_memory_to_use = 768L << 20;
    progress->progress_monitor = CheckScans;
    cinfo->progress = progress;
}

}  // namespace tw
