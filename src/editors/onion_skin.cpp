#include "editors/onion_skin.h"

#include "editors/battle_preview.h"
#include "platform/controls.h"
#include "shell/frm_main.h"

namespace tw {
namespace {

// The battle preview advances the column and, one tick after the column
// wrapped to 0, the row: the cell after (0, y) is (96, the next row).
PixelPosition NextBattleCell(PixelPosition c) {
    if (c.x == 0) return {96, BattlePreview::Step(static_cast<int16_t>(c.y))};
    return {BattlePreview::Step(static_cast<int16_t>(c.x)), c.y};
}

}  // namespace

std::optional<PlayNeighbours> NeighboursInPlay(const PageInfo& page, int x, int y) {
    const Size frame = page.cells.front();
    if (x < 0 || y < 0 || x % frame.w || y % frame.h || x >= page.sheet.w || y >= page.sheet.h)
        return std::nullopt;
    if (page.letter == 'R') {
        // Three frames a character wide; the walk goes round them in its row.
        const int characterX = x / (3 * frame.w) * (3 * frame.w);
        const int column = (x - characterX) / frame.w;
        return PlayNeighbours{{characterX + (column + 2) % 3 * frame.w, y},
                              {characterX + (column + 1) % 3 * frame.w, y},
                              frame};
    }
    if (page.letter == 'B') {
        const PixelPosition cell{x, y};
        PixelPosition before = cell;
        for (PixelPosition c = NextBattleCell(cell); !(c == cell); c = NextBattleCell(c))
            before = c;
        return PlayNeighbours{before, NextBattleCell(cell), frame};
    }
    return std::nullopt;
}

std::optional<OnionSkin> OnionSkinOf(const frmMain& form, const Sheet& sheet) {
    const PageInfo& page = sheet.Info();
    const Outline& ins = form.Shape(page.target.outline);
    const auto n = NeighboursInPlay(page, ins.Left(), ins.Top());
    const Raster& s = sheet.Pixels();
    if (!n || ins.Width() != n->frame.w || ins.Height() != n->frame.h || s.Width() < page.sheet.w ||
        s.Height() < page.sheet.h)
        return std::nullopt;
    const Pixel transparent = sheet.TransparentColour();
    OnionSkin out{{ins.Left(), ins.Top()}, Raster(n->frame.w, n->frame.h)};
    // Every frame lies inside the sheet; a channel is the cell's share plus
    // each drawn neighbour's, rounded.
    for (int y = 0; y < n->frame.h; ++y)
        for (int x = 0; x < n->frame.w; ++x) {
            const Pixel cell = s.At(out.at.x + x, out.at.y + y);
            Pixel around[2];
            int count = 0;
            for (const PixelPosition& p : {n->before, n->after})
                if (const Pixel q = s.At(p.x + x, p.y + y); q != transparent) around[count++] = q;
            Pixel blended = 0;
            for (int shift = 0; shift <= 16; shift += 8) {
                int sum = static_cast<int>((cell >> shift) & 255) * (100 - count * kOnionPercent);
                for (int i = 0; i < count; ++i)
                    sum += static_cast<int>((around[i] >> shift) & 255) * kOnionPercent;
                blended |= static_cast<Pixel>((sum + 50) / 100) << shift;
            }
            out.pixels.Set(x, y, blended);
        }
    return out;
}

}  // namespace tw
