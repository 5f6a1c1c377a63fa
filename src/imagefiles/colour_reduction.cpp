#include "imagefiles/colour_reduction.h"

#include <libimagequant.h>

#include <algorithm>
#include <array>
#include <memory>
#include <unordered_map>

namespace tw {
namespace {

struct LiqDeleter {
    void operator()(liq_attr* p) const { liq_attr_destroy(p); }
    void operator()(liq_image* p) const { liq_image_destroy(p); }
    void operator()(liq_result* p) const { liq_result_destroy(p); }
};
template <class T>
using LiqPtr = std::unique_ptr<T, LiqDeleter>;

struct RowSource {
    const Raster* picture;
    Pixel transparent;
};

// Feeds the quantizer; transparent-colour pixels become fully transparent so
// that it sets one palette entry aside for them and spends no other on them.
void FeedRow(liq_color out[], int row, int width, void* user) {
    const auto* src = static_cast<const RowSource*>(user);
    const Pixel* in = src->picture->Row(row);
    for (int x = 0; x < width; ++x) {
        const Pixel p = in[x];
        out[x] = liq_color{static_cast<unsigned char>(p >> 16), static_cast<unsigned char>(p >> 8),
                           static_cast<unsigned char>(p), 255};
        if (p == src->transparent) out[x] = liq_color{0, 0, 0, 0};
    }
}

int Distance(Pixel a, Pixel b) {
    const int dr = static_cast<int>((a >> 16) & 255) - static_cast<int>((b >> 16) & 255);
    const int dg = static_cast<int>((a >> 8) & 255) - static_cast<int>((b >> 8) & 255);
    const int db = static_cast<int>(a & 255) - static_cast<int>(b & 255);
    return dr * dr + dg * dg + db * db;
}

// Nearest palette entry in plain RGB, which is what PSNR measures. The
// entries are searched in order of red so that the search can stop early.
class NearestColour {
public:
    explicit NearestColour(const std::vector<Pixel>& palette) {
        for (size_t i = 0; i < palette.size(); ++i) order_.push_back({palette[i], static_cast<int>(i)});
        std::sort(order_.begin(), order_.end(), [](auto& a, auto& b) { return a.first < b.first; });
    }
    int Find(Pixel p) const {
        const int red = static_cast<int>((p >> 16) & 255);
        auto start = std::lower_bound(order_.begin(), order_.end(), p,
                                      [](auto& e, Pixel v) { return e.first < v; });
        int best = -1, bestDist = 1 << 30;
        for (auto it = start; it != order_.end(); ++it) {
            const int dr = static_cast<int>((it->first >> 16) & 255) - red;
            if (dr * dr >= bestDist) break;
            const int d = Distance(p, it->first);
            if (d < bestDist) bestDist = d, best = it->second;
        }
        for (auto it = start; it != order_.begin();) {
            --it;
            const int dr = red - static_cast<int>((it->first >> 16) & 255);
            if (dr * dr >= bestDist) break;
            const int d = Distance(p, it->first);
            if (d < bestDist) bestDist = d, best = it->second;
        }
        return best;
    }

private:
    std::vector<std::pair<Pixel, int>> order_;
};

struct Histogram {
    std::vector<Pixel> colours;
    std::vector<uint32_t> counts;
};

Histogram OpaqueHistogram(const Raster& picture, Pixel transparent) {
    std::unordered_map<Pixel, uint32_t> counts;
    for (Pixel p : picture.Pixels())
        if (p != transparent) ++counts[p];
    Histogram h;
    for (auto& [c, n] : counts) h.colours.push_back(c), h.counts.push_back(n);
    return h;
}

// Lloyd passes in RGB over the distinct colours: each entry moves to the mean
// of the colours that chose it. This tunes the quantizer's palette towards
// the smallest squared error.
void Refine(std::vector<Pixel>* palette, const Histogram& hist, int passes) {
    for (int pass = 0; pass < passes; ++pass) {
        const NearestColour nearest(*palette);
        std::vector<std::array<uint64_t, 4>> sums(palette->size(), {0, 0, 0, 0});
        for (size_t i = 0; i < hist.colours.size(); ++i) {
            const Pixel c = hist.colours[i];
            auto& s = sums[nearest.Find(c)];
            const uint64_t n = hist.counts[i];
            s[0] += ((c >> 16) & 255) * n, s[1] += ((c >> 8) & 255) * n, s[2] += (c & 255) * n;
            s[3] += n;
        }
        bool moved = false;
        for (size_t k = 0; k < palette->size(); ++k) {
            const auto& s = sums[k];
            if (s[3] == 0) continue;
            const Pixel mean = Rgb(static_cast<int>((s[0] + s[3] / 2) / s[3]),
                                   static_cast<int>((s[1] + s[3] / 2) / s[3]),
                                   static_cast<int>((s[2] + s[3] / 2) / s[3]));
            moved |= mean != (*palette)[k];
            (*palette)[k] = mean;
        }
        if (!moved) break;
    }
}

// The colour one step of blue away: keeps an opaque entry from repeating the
// transparent colour.
Pixel NudgeBlue(Pixel c) {
    const int b = static_cast<int>(c & 255);
    return (c & 0xFFFF00) | static_cast<Pixel>(b == 255 ? 254 : b + 1);
}

struct Quantized {
    std::vector<Pixel> opaque;        // palette entries for the other colours
    std::vector<uint8_t> liqIndices;  // liq's own remapping, when dithering
    int transparentEntry = -1;        // liq's entry for the transparent colour
    std::vector<int> opaqueSlot;      // liq entry -> position in `opaque`
};

std::optional<Quantized> RunQuantizer(const Raster& picture, Pixel transparent, int colours,
                                      const ReductionOptions& options) {
    LiqPtr<liq_attr> attr(liq_attr_create());
    if (!attr || liq_set_max_colors(attr.get(), colours) != LIQ_OK) return std::nullopt;
    liq_set_speed(attr.get(), std::clamp(options.speed, 1, 10));
    liq_set_quality(attr.get(), 0, 100);
    RowSource source{&picture, transparent};
    LiqPtr<liq_image> image(liq_image_create_custom(attr.get(), FeedRow, &source, picture.Width(),
                                                    picture.Height(), 0.0));
    if (!image) return std::nullopt;
    liq_result* raw = nullptr;
    if (liq_image_quantize(image.get(), attr.get(), &raw) != LIQ_OK) return std::nullopt;
    LiqPtr<liq_result> result(raw);
    Quantized q;
    if (options.dithering > 0.0f) {
        liq_set_dithering_level(result.get(), std::min(options.dithering, 1.0f));
        q.liqIndices.resize(picture.Pixels().size());
        if (liq_write_remapped_image(result.get(), image.get(), q.liqIndices.data(), q.liqIndices.size()) !=
            LIQ_OK)
            return std::nullopt;
    }
    const liq_palette* pal = liq_get_palette(result.get());
    q.opaqueSlot.assign(pal->count, -1);
    for (unsigned i = 0; i < pal->count; ++i) {
        const liq_color& c = pal->entries[i];
        if (c.a < 128 && q.transparentEntry < 0) {
            q.transparentEntry = static_cast<int>(i);
        } else if (static_cast<int>(q.opaque.size()) < colours - 1) {
            q.opaqueSlot[i] = static_cast<int>(q.opaque.size());
            q.opaque.push_back(Rgb(c.r, c.g, c.b));
        }
    }
    if (q.opaque.empty()) return std::nullopt;
    return q;
}

}  // namespace

std::optional<IndexedPicture> ReduceColours(const Raster& picture, int colours,
                                            const ReductionOptions& options) {
    if (picture.Empty() || colours < 2 || colours > 256) return std::nullopt;
    const Pixel transparent = options.transparent.value_or(TransparentColour(picture));
    if (auto exact = ExactPalette(picture, colours, transparent)) return exact;

    auto q = RunQuantizer(picture, transparent, colours, options);
    if (!q) return std::nullopt;
    const bool ownRemap = options.dithering <= 0.0f;
    if (ownRemap && options.refinePasses > 0)
        Refine(&q->opaque, OpaqueHistogram(picture, transparent), options.refinePasses);
    for (Pixel& c : q->opaque)
        if (c == transparent) c = NudgeBlue(c);

    IndexedPicture out;
    out.width = picture.Width();
    out.height = picture.Height();
    out.palette.push_back(transparent);
    out.palette.insert(out.palette.end(), q->opaque.begin(), q->opaque.end());
    out.indices.resize(picture.Pixels().size());

    const NearestColour nearest(q->opaque);
    std::unordered_map<Pixel, uint8_t> cache;
    const std::vector<Pixel>& pixels = picture.Pixels();
    for (size_t i = 0; i < pixels.size(); ++i) {
        const Pixel p = pixels[i];
        if (p == transparent) {
            out.indices[i] = 0;
            continue;
        }
        int slot = -1;
        if (!ownRemap) {
            const int entry = q->liqIndices[i];
            if (entry < static_cast<int>(q->opaqueSlot.size())) slot = q->opaqueSlot[entry];
        }
        if (slot < 0) {
            auto hit = cache.find(p);
            if (hit == cache.end()) hit = cache.emplace(p, static_cast<uint8_t>(nearest.Find(p))).first;
            slot = hit->second;
        }
        out.indices[i] = static_cast<uint8_t>(slot + 1);
    }
    return out;
}

}  // namespace tw
