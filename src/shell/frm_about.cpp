#include "shell/frm_about.h"

#include <cmath>

#include "shell/pixel_art.h"
#include "shell/pixel_font.h"
#include "shell/tile_art.h"

namespace tw {
namespace {

using art::Tile;

constexpr int kWidth = 480, kHeight = 330;
constexpr int kHorizon = 160;  // the first row of ground tiles
constexpr int kTile = 16;

void DrawSky(Raster& r) {
    const Pixel top = Rgb(27, 42, 92), low = Rgb(150, 200, 232);
    // Bands of 8 rows, dithered where two bands meet: the look of a 256-colour screen.
    for (int y = 0; y < kHorizon; ++y) {
        const int band = y / 8;
        const int next = (y % 8 >= 6 && ((y + 0) & 1)) ? band + 1 : band;
        for (int x = 0; x < kWidth; ++x) {
            const int b = (y % 8 >= 6 && ((x + y) & 1)) ? next : band;
            r.Set(x, y, art::Mix(top, low, b * 256 / (kHorizon / 8)));
        }
    }
    art::FillDisc(r, 340, 70, 21, art::Mix(r.At(340, 70), Rgb(255, 244, 190), 110));
    art::FillDisc(r, 340, 70, 16, Rgb(255, 236, 140));
}

void DrawCloud(Raster& r, int x, int y, int size) {
    const Pixel white = Rgb(246, 248, 252), shade = Rgb(196, 210, 228);
    const int parts[][3] = {{0, 4, 7}, {9, 0, 9}, {19, 3, 8}, {27, 6, 6}};
    for (const auto& p : parts)
        art::FillDisc(r, x + p[0] * size / 8, y + p[1] * size / 8 + 2, p[2] * size / 8, shade);
    for (const auto& p : parts)
        art::FillDisc(r, x + p[0] * size / 8, y + p[1] * size / 8, p[2] * size / 8, white);
}

void DrawHills(Raster& r) {
    const Pixel rock = Rgb(74, 94, 138), rockDark = Rgb(58, 74, 112), snow = Rgb(232, 238, 248);
    const Pixel hill = Rgb(60, 122, 60);
    for (int x = 0; x < kWidth; ++x) {
        const double ridge = 112 + 18 * std::sin(x / 37.0) + 10 * std::sin(x / 13.0 + 1);
        const double slope = 18 / 37.0 * std::cos(x / 37.0) + 10 / 13.0 * std::cos(x / 13.0 + 1);
        for (int y = static_cast<int>(ridge); y < kHorizon; ++y) {
            Pixel p = slope > 0 ? rockDark : rock;
            if (ridge < 104 && y < ridge + 5) p = snow;
            r.Set(x, y, p);
        }
        const int hillTop = static_cast<int>(146 + 6 * std::sin(x / 29.0 + 2));
        for (int y = hillTop; y < kHorizon; ++y)
            r.Set(x, y, y == hillTop ? art::Shade(hill, 30) : hill);
    }
}

// The map below the horizon, one tile kind per cell.
Tile GroundTile(int col, int row) {
    // The pond with its sandy shore.
    if (col >= 2 && col <= 8 && row >= 15 && row <= 19) {
        const bool shore = col == 2 || col == 8 || row == 15 || row == 19;
        return shore ? Tile::Sand : Tile::Water;
    }
    // The house: roof over brick walls.
    if (col >= 20 && col <= 24 && row >= 10 && row <= 13)
        return row <= 11 ? Tile::Roof : Tile::Brick;
    // The path from the door down to the bottom edge.
    if ((col == 22 && row >= 14 && row <= 16) || (row == 16 && col >= 11 && col <= 22) ||
        (col == 11 && row >= 16))
        return Tile::Dirt;
    if (row == 14 && col >= 15 && col <= 18) return Tile::Stone;
    static constexpr int kTrees[][2] = {{0, 10},  {1, 11},  {5, 10},  {8, 12},  {26, 10}, {28, 11},
                                        {27, 13}, {17, 18}, {25, 17}, {29, 19}, {14, 12}, {0, 14}};
    for (const auto& t : kTrees)
        if (t[0] == col && t[1] == row) return Tile::Tree;
    if (art::Noise(col, row, 99) < 40) return Tile::Flowers;
    return Tile::Grass;
}

void DrawGround(Raster& r) {
    for (int row = kHorizon / kTile; row * kTile < kHeight; ++row)
        for (int col = 0; col < kWidth / kTile; ++col)
            art::DrawTile(r, GroundTile(col, row), col * kTile, row * kTile, kTile,
                          static_cast<uint32_t>(col * 31 + row));
    // The house's door, windows and chimney.
    art::FillRect(r, 22 * kTile + 4, 13 * kTile, 8, kTile, Rgb(92, 58, 30));
    art::FillRect(r, 22 * kTile + 9, 13 * kTile + 8, 2, 2, Rgb(232, 200, 80));
    for (int col : {20, 24}) {
        art::FillRect(r, col * kTile + 3, 12 * kTile + 4, 10, 8, Rgb(250, 226, 140));
        art::Ring(r, col * kTile + 3, 12 * kTile + 4, 10, 8, 1, Rgb(92, 58, 30));
    }
    art::FillRect(r, 23 * kTile + 2, kHorizon - 10, 7, 10, Rgb(120, 60, 44));
}

// The sign that carries the release year.
void DrawSign(Raster& r) {
    const Pixel wood = Rgb(139, 94, 52), dark = Rgb(92, 58, 30);
    art::FillRect(r, 306, 139, 4, 34, dark);
    art::FillRect(r, 296, 128, 25, 12, wood);
    art::Ring(r, 296, 128, 25, 12, 1, dark);
    art::DrawText(r, "2003", 297, 130, 1, Rgb(250, 236, 200));
}

// The old tile-wright who speaks the quotation, with his speech bubble.
void DrawWright(Raster& r) {
    static constexpr const char* kSprite[24] = {
        "........P.......", ".......PP.......", "......PPPP......", "......PPPP....Y.",
        ".....PPPPPP..YGY", ".....PPPPPP...Y.", "....PPPPPPPP..w.", "...PPPPPPPPPP.w.",
        ".....SSSSSS...w.", ".....SkSSkS...w.", ".....SSSSSS...w.", "....WWSSSSWW..w.",
        "....BWWWWWWB..w.", "...BBBWWWWBBBSw.", "..BBBBBWWBBBBBw.", "..SBBBBBBBBBB.w.",
        "...BBBBBBBBBB.w.", "...BBBBBBBBBB.w.", "...BBBBBBBBBB.w.", "...BBBBBBBBBB.w.",
        "...BBBBBBBBBB.w.", "....BBBBBBBB..w.", "....kk....kk..w.", "...kkk....kkk.w.",
    };
    const auto colour = [](char c) -> Pixel {
        switch (c) {
            case 'P':
                return Rgb(110, 60, 160);
            case 'Y':
                return Rgb(255, 230, 80);
            case 'G':
                return Rgb(120, 230, 255);
            case 'S':
                return Rgb(236, 190, 150);
            case 'k':
                return Rgb(40, 30, 30);
            case 'W':
                return Rgb(240, 240, 236);
            case 'B':
                return Rgb(52, 84, 170);
            case 'w':
                return Rgb(124, 80, 40);
            default:
                return 0xFFFFFFFF;
        }
    };
    const int left = 158, top = 145;
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 16; ++x)
            if (const Pixel p = colour(kSprite[y][x]); p != 0xFFFFFFFF)
                art::FillRect(r, left + 2 * x, top + 2 * y, 2, 2, p);
    // The bubble with a tail towards his hat.
    const Pixel ink = Rgb(40, 40, 48), paper = Rgb(252, 252, 248);
    art::FillRect(r, 194, 136, 22, 12, paper);
    art::Ring(r, 194, 136, 22, 12, 1, ink);
    for (int i = 0; i < 4; ++i) art::FillRect(r, 193 - i, 148 + i, 2, 1, ink);
    for (int dot = 0; dot < 3; ++dot) art::FillRect(r, 199 + 5 * dot, 141, 2, 2, ink);
}

void DrawTitle(Raster& r) {
    const Pixel shadow = Rgb(16, 22, 48), gold = Rgb(255, 214, 90), pale = Rgb(230, 236, 250);
    art::DrawText(r, "TILEWRIGHT", 23, 23, 4, shadow);
    art::DrawText(r, "TILEWRIGHT", 20, 20, 4, gold);
    art::DrawText(r, "RPG2K  V2.5", 22, 60, 2, shadow);
    art::DrawText(r, "RPG2K  V2.5", 21, 59, 2, pale);
}

}  // namespace

Picture frmAbout::AboutPicture() {
    Raster r(kWidth, kHeight, 0);
    DrawSky(r);
    DrawCloud(r, 150, 96, 12);
    DrawCloud(r, 396, 112, 9);
    DrawCloud(r, 262, 78, 7);
    DrawHills(r);
    DrawGround(r);
    DrawSign(r);
    DrawWright(r);
    DrawTitle(r);
    return Picture(std::move(r));
}

}  // namespace tw
