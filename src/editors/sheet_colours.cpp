#include "editors/sheet_colours.h"

#include <cmath>
#include <cstdio>

#include "editors/page_table.h"
#include "imagefiles/colour_reduction.h"
#include "imagefiles/picture_psnr.h"

namespace tw {
namespace {

constexpr int kEngineColours = 256;

std::string Colours(int n) { return std::to_string(n) + (n == 1 ? " colour" : " colours"); }
std::string Pixels(uint32_t n) { return std::to_string(n) + (n == 1 ? " pixel" : " pixels"); }

}  // namespace

ColourWatch WatchColours(const Sheet& sheet) { return {sheet.Transparent(), sheet.ColourCount()}; }

std::string ColourWarning(const Sheet& sheet, const ColourWatch& before) {
    const ColourWatch now = WatchColours(sheet);
    std::string out;
    const auto add = [&out](const std::string& part) { out += (out.empty() ? "" : "; ") + part; };
    if (before.key.origin == TransparentOrigin::Pixel &&
        now.key.origin == TransparentOrigin::Pixel && before.key.colour != now.key.colour) {
        const PixelPosition at = sheet.Info().transparent;
        add("the transparent colour at pixel " + std::to_string(at.x) + ", " +
            std::to_string(at.y) + " is now " + HexColour(now.key.colour) + ", no longer " +
            HexColour(before.key.colour) + ": the engine hides the new colour everywhere");
    }
    if (before.count <= kEngineColours && now.count > kEngineColours)
        add(Colours(now.count) + "; the engine takes at most 256: Edit > Reduce Colours");
    if (out.empty()) return "";
    return std::string(sheet.Info().name) + ": " + out + "; Ctrl+Z undoes the stamp";
}

std::string ReduceSheetColours(Sheet& sheet, int colours) {
    const std::string name = sheet.Info().name;
    const int before = sheet.ColourCount();
    if (before <= colours)
        return name + ": " + Colours(before) + ", no more than " + std::to_string(colours) +
               ": nothing to reduce";
    const Raster original = sheet.Pixels();
    ReductionOptions options;
    options.transparent = sheet.TransparentColour();
    const std::optional<IndexedPicture> reduced = ReduceColours(original, colours, options);
    if (!reduced) return name + ": the colours could not be reduced";
    // Without dithering every colour has one nearest entry: the reduction is
    // a map of colours, which the sheet makes as one step.
    edit::ColourMap map;
    const std::vector<Pixel>& pixels = original.Pixels();
    for (size_t i = 0; i < pixels.size(); ++i) {
        const Pixel to = reduced->palette[reduced->indices[i]];
        if (to != pixels[i]) map.emplace(pixels[i], to);
    }
    sheet.Apply(edit::Recolour{EditKind::ReduceColours, std::move(map)});
    char psnr[32];
    std::snprintf(psnr, sizeof psnr, "%.2f", Psnr(original, sheet.Pixels()));
    return name + ": " + Colours(before) + " reduced to " + std::to_string(sheet.ColourCount()) +
           ", PSNR " + psnr + " dB; Ctrl+Z undoes it";
}

std::string MergeSheetColours(Sheet& sheet, Pixel from, Pixel to) {
    from &= 0xFFFFFFu, to &= 0xFFFFFFu;
    const std::string name = std::string(sheet.Info().name) + ": ";
    const uint32_t moved = sheet.PixelsOf(from);
    if (from == to) return name + HexColour(from) + " merged into itself: nothing to merge";
    if (moved == 0) return name + "no pixel has " + HexColour(from) + ": nothing to merge";
    const TransparentKey before = sheet.Transparent();
    sheet.Apply(edit::Recolour{EditKind::MergeColours, {{from, to}}});
    std::string out = name + HexColour(from) + " merged into " + HexColour(to) + ", " +
                      Pixels(moved) + ", " + Colours(sheet.ColourCount()) + " left";
    const TransparentKey after = sheet.Transparent();
    if (to == before.colour)
        out += "; the engine hides these pixels now, as " + HexColour(to) + " is the transparent colour";
    if (from == before.colour && after.colour == from)
        out += "; no pixel keeps the transparent colour " + HexColour(from) +
               ": the engine hides nothing";
    else if (from == before.colour)
        out += "; the transparent colour is now " + HexColour(after.colour) +
               ": the engine hides every pixel of it";
    return out + "; Ctrl+Z undoes it";
}

std::string TransparentOriginWords(const Sheet& sheet) {
    switch (sheet.Transparent().origin) {
        case TransparentOrigin::File: return "from the file";
        case TransparentOrigin::Chosen: return "chosen";
        case TransparentOrigin::Pixel: break;
    }
    const PixelPosition at = sheet.Info().transparent;
    return "from pixel " + std::to_string(at.x) + ", " + std::to_string(at.y);
}

std::string SwatchWords(const Sheet& sheet, int index, Pixel colour) {
    std::string out = "Colour " + std::to_string(index) + " of " +
                      std::to_string(sheet.ColourCount()) + ": " + HexColour(colour) + ", ";
    if (index == 0) out += "transparent, " + TransparentOriginWords(sheet) + ", ";
    out += Pixels(sheet.PixelsOf(colour));
    if (index >= kEngineColours) out += "; past the 256 the engine takes";
    return out;
}

std::string DescribeColours(const Sheet& sheet) {
    const TransparentKey key = sheet.Transparent();
    return std::string("Colours sheet=") + sheet.Info().target.surface +
           " count=" + std::to_string(sheet.ColourCount()) +
           " transparent=" + HexColour(key.colour) + " from=" + OriginName(key.origin);
}

}  // namespace tw
