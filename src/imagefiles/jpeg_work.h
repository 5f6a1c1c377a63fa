#pragma once
// How much decoding a JPEG asks for, found by a quick pass over its markers
// before any of it is decoded. Every scan of a progressive JPEG is a pass
// over the blocks of its components, so a small file of many scans over a
// huge picture would keep the decoder busy for half a minute; such a file is
// refused here, before a byte of pixels is allocated.

#include <cstdint>
#include <cstdio>

namespace tw {

// The most scans a file may hold.
constexpr int kMaxJpegScans = 100;
// The most 8 x 8 blocks all scans together may decode: forty scans of a
// 16384 x 16384 grey picture, which take about four seconds; smaller
// pictures may have up to the hundred scans.
constexpr int kMaxJpegFullScans = 40;
constexpr int64_t kMaxJpegBlockScans = int64_t{kMaxJpegFullScans} * (16384 / 8) * (16384 / 8);

struct JpegWork {
    int scans = 0;
    int64_t blockScans = 0;  // blocks decoded, summed over the scans
    bool progressive = false;
    int width = 0, height = 0;
};

// Counts the scans of the first frame and the blocks they cover, from the
// stream's start; one read of the file, with nothing kept. Leaves the stream
// at its start.
JpegWork MeasureJpegWork(FILE* fp);

// False, with the reason recorded (file_error.h), when the work is above
// the limits. A stream that is no JPEG passes: the decoder says what it is.
bool JpegWorkAllowed(FILE* fp);

}  // namespace tw
