#include "platform/blit.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace tw {

void BitBlt(Raster& dst, int dx, int dy, int w, int h, const Raster& src, int sx, int sy,
            uint32_t /*rop*/) {
    // Offsets i, j inside the block that land inside both rasters.
    const long i0 = std::max({0L, -static_cast<long>(dx), -static_cast<long>(sx)});
    const long j0 = std::max({0L, -static_cast<long>(dy), -static_cast<long>(sy)});
    const long i1 = std::min({static_cast<long>(w), static_cast<long>(dst.Width()) - dx,
                              static_cast<long>(src.Width()) - sx});
    const long j1 = std::min({static_cast<long>(h), static_cast<long>(dst.Height()) - dy,
                              static_cast<long>(src.Height()) - sy});
    if (i1 <= i0 || j1 <= j0) return;
    const size_t n = static_cast<size_t>(i1 - i0);
    if (&dst == &src && dy + j0 > sy + j0) {
        // Overlapping copy downwards within one raster: walk rows bottom-up.
        for (long j = j1 - 1; j >= j0; --j)
            std::memmove(dst.Row(dy + j) + dx + i0, src.Row(sy + j) + sx + i0, n * sizeof(Pixel));
        return;
    }
    for (long j = j0; j < j1; ++j)
        std::memmove(dst.Row(dy + j) + dx + i0, src.Row(sy + j) + sx + i0, n * sizeof(Pixel));
}

namespace {

struct Span {
    long begin, end;  // source indices [begin, end) that fall onto one destination index
};

// For each destination index along one axis, the source indices that map onto it.
std::vector<Span> AxisSpans(int dn, int sn) {
    std::vector<Span> spans(static_cast<size_t>(dn));
    if (dn >= sn) {
        for (long i = 0; i < dn; ++i) {
            const long k = i * sn / dn;
            spans[i] = {k, k + 1};
        }
    } else {
        for (long i = 0; i < dn; ++i) {
            // Source k maps to floor(k * dn / sn); collect the ks that give i.
            const long b = (i * sn + dn - 1) / dn;
            const long e = ((i + 1) * sn + dn - 1) / dn;
            spans[i] = {b, e};
        }
    }
    return spans;
}

}  // namespace

void StretchBlt(Raster& dst, int dx, int dy, int dw, int dh, const Raster& src, int sx, int sy,
                int sw, int sh, uint32_t /*rop*/) {
    if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0) return;
    // Only destination pixels inside dst are computed.
    const int i0 = std::max(0, -dx), j0 = std::max(0, -dy);
    const int i1 = std::min(dw, dst.Width() - dx), j1 = std::min(dh, dst.Height() - dy);
    if (i1 <= i0 || j1 <= j0) return;
    const std::vector<Span> xs = AxisSpans(dw, sw);
    const std::vector<Span> ys = AxisSpans(dh, sh);
    Raster out = (&dst == &src) ? src : Raster();
    const Raster& from = (&dst == &src) ? out : src;
    if (dw >= sw && dh >= sh) {
        // Enlarging ("New Template" fills a whole sheet from one pixel): each
        // destination pixel takes exactly one source pixel, and rows made from
        // the same source row are equal, so they are copied whole. The columns
        // whose source pixel exists form one run, the same on every row.
        int a = i0, b = i1;
        while (a < b && sx + xs[a].begin < 0) ++a;
        while (b > a && sx + xs[b - 1].begin >= from.Width()) --b;
        if (a >= b) return;
        long lastY = -1;
        const Pixel* lastRow = nullptr;
        for (int j = j0; j < j1; ++j) {
            const long y = sy + ys[j].begin;
            if (y < 0 || y >= from.Height()) continue;
            Pixel* row = dst.Row(dy + j) + dx;
            if (y == lastY) {
                std::memcpy(row + a, lastRow + a, static_cast<size_t>(b - a) * sizeof(Pixel));
                continue;
            }
            const Pixel* s = from.Row(static_cast<int>(y)) + sx;
            for (int i = a; i < b; ++i) row[i] = s[xs[i].begin] & 0x00FFFFFFu;
            lastY = y;
            lastRow = row;
        }
        return;
    }
    for (int j = j0; j < j1; ++j) {
        const long yb = std::max<long>(sy + ys[j].begin, 0);
        const long ye = std::min<long>(sy + ys[j].end, from.Height());
        if (yb >= ye) continue;
        Pixel* row = dst.Row(dy + j);
        for (int i = i0; i < i1; ++i) {
            const long xb = std::max<long>(sx + xs[i].begin, 0);
            const long xe = std::min<long>(sx + xs[i].end, from.Width());
            if (xb >= xe) continue;
            Pixel acc = 0xFFFFFFFFu;
            for (long y = yb; y < ye; ++y) {
                const Pixel* s = from.Row(static_cast<int>(y));
                for (long x = xb; x < xe; ++x) acc &= s[x];
            }
            row[dx + i] = acc & 0x00FFFFFFu;
        }
    }
}

}  // namespace tw
