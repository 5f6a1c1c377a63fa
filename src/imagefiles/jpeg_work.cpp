#include "imagefiles/jpeg_work.h"

#include <string>

#include "imagefiles/file_error.h"
#include "imagefiles/vicdef32.h"

namespace tw {
namespace {

struct Component {
    int id = -1;
    int64_t blocks = 0;
};

int ReadBe16(FILE* fp) {
    const int hi = getc(fp), lo = getc(fp);
    return hi == EOF || lo == EOF ? -1 : (hi << 8) | lo;
}

bool Skip(FILE* fp, int n) {
    for (; n > 0; --n)
        if (getc(fp) == EOF) return false;
    return true;
}

// The blocks of each component over the picture padded to whole MCUs, as an
// interleaved scan decodes them (a scan of one component does a little less).
bool ReadFrame(FILE* fp, JpegWork* work, Component (&components)[4], int* count) {
    const int length = ReadBe16(fp);
    if (length < 8) return false;
    getc(fp);  // precision
    work->height = ReadBe16(fp);
    work->width = ReadBe16(fp);
    const int n = getc(fp);
    if (work->height < 0 || work->width < 0 || n < 1 || n > 4 || length != 8 + 3 * n) return false;
    int h[4], v[4], hMax = 1, vMax = 1;
    for (int i = 0; i < n; ++i) {
        components[i].id = getc(fp);
        const int factors = getc(fp);
        getc(fp);  // quantization table
        if (factors == EOF) return false;
        h[i] = factors >> 4 > 0 ? factors >> 4 : 1;
        v[i] = (factors & 15) > 0 ? factors & 15 : 1;
        hMax = h[i] > hMax ? h[i] : hMax;
        vMax = v[i] > vMax ? v[i] : vMax;
    }
    const int64_t mcuColumns = (work->width + 8 * hMax - 1) / (8 * hMax);
    const int64_t mcuRows = (work->height + 8 * vMax - 1) / (8 * vMax);
    for (int i = 0; i < n; ++i) components[i].blocks = mcuColumns * h[i] * mcuRows * v[i];
    *count = n;
    return true;
}

// The scan header's components; the entropy-coded data follows it.
bool ReadScan(FILE* fp, JpegWork* work, const Component (&components)[4], int count) {
    const int length = ReadBe16(fp);
    const int n = getc(fp);
    if (length < 6 || n < 1 || n > 4 || length != 6 + 2 * n) return false;
    ++work->scans;
    for (int i = 0; i < n; ++i) {
        const int id = getc(fp);
        getc(fp);  // tables
        for (int c = 0; c < count; ++c)
            if (components[c].id == id) work->blockScans += components[c].blocks;
    }
    return Skip(fp, 3);
}

// Past the entropy-coded data: stuffed zeros, restart markers and fill bytes
// belong to it. Returns the marker that ends it, or EOF.
int SkipEntropyData(FILE* fp) {
    for (int c = getc(fp); c != EOF; c = getc(fp)) {
        if (c != 0xFF) continue;
        int m = getc(fp);
        while (m == 0xFF) m = getc(fp);
        if (m == EOF) return EOF;
        if (m != 0x00 && (m < 0xD0 || m > 0xD7)) return m;
    }
    return EOF;
}

// The next marker after a segment: anything before its 0xFF is skipped, as
// the decoder skips it.
int NextMarker(FILE* fp) {
    int c = getc(fp);
    while (c != EOF && c != 0xFF) c = getc(fp);
    while (c == 0xFF) c = getc(fp);
    return c;
}

}  // namespace

JpegWork MeasureJpegWork(FILE* fp) {
    JpegWork work;
    Component components[4];
    int count = 0;
    bool frame = false;
    rewind(fp);
    if (getc(fp) == 0xFF && getc(fp) == 0xD8) {
        int marker = NextMarker(fp);
        while (marker != EOF && marker != 0xD9) {
            const bool isFrame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 &&
                                 marker != 0xCC;
            if (marker == 0xDA) {
                if (!ReadScan(fp, &work, components, count)) break;
                marker = SkipEntropyData(fp);
                continue;
            }
            if (isFrame && !frame) {
                if (!ReadFrame(fp, &work, components, &count)) break;
                frame = true;
                work.progressive = marker == 0xC2 || marker == 0xC6 || marker == 0xCA || marker == 0xCE;
            } else if (marker != 0x01 && (marker < 0xD0 || marker > 0xD7)) {
                const int length = ReadBe16(fp);
                if (length < 2 || !Skip(fp, length - 2)) break;
            }
            marker = NextMarker(fp);
        }
    }
    clearerr(fp);
    rewind(fp);
    return work;
}

bool JpegWorkAllowed(FILE* fp) {
    const JpegWork w = MeasureJpegWork(fp);
    const std::string kind = w.progressive ? "a progressive JPEG" : "a JPEG";
    if (w.scans > kMaxJpegScans) {
        SetFileError("too many scans in " + kind + " (the limit is " + std::to_string(kMaxJpegScans) + ")");
        return false;
    }
    // A picture above the size limit is refused for its size, later.
    if (w.blockScans > kMaxJpegBlockScans && w.width <= kMaxImageSide && w.height <= kMaxImageSide) {
        SetFileError("too much to decode in " + kind + ": " + std::to_string(w.scans) + " scans of a " +
                     std::to_string(w.width) + " x " + std::to_string(w.height) +
                     " picture (the limit is the work of " + std::to_string(kMaxJpegFullScans) +
                     " scans of a 16384 x 16384 grey picture)");
        return false;
    }
    return true;
}

}  // namespace tw
