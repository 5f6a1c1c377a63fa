#include "imagefiles/jpeg_error.h"

#include <jerror.h>

namespace tw {
namespace {

[[noreturn]] void Fail(j_common_ptr cinfo) {
    longjmp(reinterpret_cast<JpegErrorHandler*>(cinfo->err)->jump, 1);
}

void Message(j_common_ptr cinfo, int level) {
    if (level < 0 && cinfo->err->msg_code == JWRN_JPEG_EOF) Fail(cinfo);
}

void CheckScans(j_common_ptr cinfo) {
    constexpr int kMaxScans = 1000;
    if (cinfo->is_decompressor &&
        reinterpret_cast<j_decompress_ptr>(cinfo)->input_scan_number > kMaxScans)
        Fail(cinfo);
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
