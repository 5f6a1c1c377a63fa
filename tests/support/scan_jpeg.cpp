#include "support/scan_jpeg.h"

#include <cstdint>
#include <cstdio>
#include <vector>

namespace tw::test {
namespace {

using Bytes = std::vector<uint8_t>;

void Segment(Bytes* out, uint8_t marker, const Bytes& body) {
    const size_t n = body.size() + 2;
    out->insert(out->end(), {0xFF, marker, uint8_t(n >> 8), uint8_t(n)});
    out->insert(out->end(), body.begin(), body.end());
}

// Entropy-coded bits, most significant first, with a zero after each 0xFF.
struct BitWriter {
    Bytes* out;
    uint32_t acc = 0;
    int count = 0;
    void Put(uint32_t bits, int n) {
        for (int i = n - 1; i >= 0; --i) {
            acc = (acc << 1) | ((bits >> i) & 1);
            if (++count == 8) Flush();
        }
    }
    void Flush() {
        out->push_back(uint8_t(acc));
        if (uint8_t(acc) == 0xFF) out->push_back(0);
        acc = 0;
        count = 0;
    }
    void End() {
        while (count != 0) Put(1, 1);
    }
};

}  // namespace

bool WriteScanJpeg(const std::string& path, int width, int height, int components, int scans) {
    Bytes f{0xFF, 0xD8};
    Segment(&f, 0xDB, [] {  // every quantizer 1
        Bytes q(65, 1);
        q[0] = 0;
        return q;
    }());
    Bytes frame{8, uint8_t(height >> 8), uint8_t(height), uint8_t(width >> 8), uint8_t(width),
                uint8_t(components)};
    for (int c = 0; c < components; ++c) frame.insert(frame.end(), {uint8_t(c + 1), 0x11, 0});
    Segment(&f, 0xC2, frame);
    // DC: the one code "0" says "no change". AC: end-of-band runs EOB0 to
    // EOB14, four bits each (codes 0000 to 1110).
    Bytes dc{0x00, 1};
    dc.resize(17);
    dc.push_back(0);
    Segment(&f, 0xC4, dc);
    Bytes ac{0x10, 0, 0, 0, 15};
    ac.resize(17);
    for (int n = 0; n <= 14; ++n) ac.push_back(uint8_t(n << 4));
    Segment(&f, 0xC4, ac);

    const int64_t blocks = int64_t((width + 7) / 8) * ((height + 7) / 8);
    for (int s = 0; s < scans; ++s) {
        const bool dcScan = s == 0;
        const int n = dcScan ? components : 1;
        Bytes header{uint8_t(n)};
        for (int c = 0; c < n; ++c) header.insert(header.end(), {uint8_t(dcScan ? c + 1 : s % components + 1), 0});
        header.insert(header.end(), {uint8_t(dcScan ? 0 : 1), uint8_t(dcScan ? 0 : 63), 0});
        Segment(&f, 0xDA, header);
        BitWriter bits{&f};
        if (dcScan) {
            for (int64_t b = 0; b < blocks * components; ++b) bits.Put(0, 1);
        } else {
            for (int64_t left = blocks; left > 0;) {
                const int run = int(left < 32767 ? left : 32767);
                int k = 0;
                while ((run >> (k + 1)) != 0) ++k;
                bits.Put(uint32_t(k), 4);
                bits.Put(uint32_t(run - (1 << k)), k);
                left -= run;
            }
        }
        bits.End();
    }
    f.insert(f.end(), {0xFF, 0xD9});
    FILE* out = std::fopen(path.c_str(), "wb");
    if (out == nullptr) return false;
    const bool ok = std::fwrite(f.data(), 1, f.size(), out) == f.size();
    return std::fclose(out) == 0 && ok;
}

}  // namespace tw::test
