#include "editors/page_table.h"

#include <stdexcept>
#include <string>

namespace tw {
namespace {

std::span<const PageInfo> Table() {
    static const PageInfo table[] = {
        {"Chipset", 'C', 0, -1, -1,
         {"CQ", "Csel", "picCsel", "imgC1", "LoadQChip"},
         {"CZ", "Cins", "picCins", "imgC2", "LoadZChip"},
         "SaveZChip", "cmdNew", "cmdSelGR", Grid(16),
         {{16, 16}, {32, 32}, {64, 64}, {128, 128}}, {480, 256}, {288, 128},
         nullptr, nullptr, &ModuleState::ChipSelSize, &ModuleState::ChipSelSize, false},
        {"Charset", 'R', 1, -1, -1,
         {"RQ", "Rsel", "picRsel", "imgR1", "LoadQChar"},
         {"RZ", "Rins", "picRins", "imgR2", "LoadZChar"},
         "SaveZChar", "cmdRnew", "cmdCompleteSet", Grid(24, 32),
         {{24, 32}, {72, 128}}, {288, 256}, {0, 0},
         nullptr, nullptr, &ModuleState::CharFrameW, &ModuleState::CharFrameH},
        {"Faceset", 'F', 2, -1, -1,
         {"FQ", "Fsel", "picFsel", "imgF1", "LoadQFace"},
         {"FZ", "Fins", "picFins", "imgF2", "LoadZFace"},
         "SaveZFace", "cmdFnew", nullptr, Grid(48),
         {{48, 48}}, {192, 192}, {0, 0}},
        {"Systemset", 'S', 3, -1, -1,
         {"SQ", "Ssel", "picSsel", "imgS1", "LoadQSystem"},
         {"SZ", "Sins", "picSins", "imgS2", "LoadZSystem"},
         "SaveZSystem", "cmdSnew", "ySelSize", Grid(16),
         {{16, 16}, {32, 32}}, {160, 80}, {128, 0},
         nullptr, nullptr, &ModuleState::SysSelSize, &ModuleState::SysSelSize, true, true},
        {"Battle animation set", 'B', 4, 0, 1,
         {"BQ", "Bsel", "picBsel", "imgB1", "LoadQBattle"},
         {"BZ", "Bins", "picBins", "imgB2", "LoadZBattle"},
         "SaveZBattle", "cmdBnew", nullptr, Grid(96),
         {{96, 96}}, {480, 480}, {0, 0}},
        {"Converter", 'O', 5, -1, -1,
         {"OQ", "Osel", "picOsel", "imgO1", "CLoadQr"},
         {"OZ", "Oins", "picOins", "imgO2", "LoadRChip"},
         "SaveRChip", "cmdOnew", "cmdOSelGr", Grid(16),
         {{16, 16}, {32, 32}, {64, 64}, {128, 128}}, {480, 256}, {288, 128}, "picTemp",
         "optModRPG2K", &ModuleState::ConvSelSize, &ModuleState::ConvSelSize},
    };
    return table;
}

struct SizeRule {
    Size size;
    int page;
    Side side;
};

// First match wins: a 480 x 256 picture is a chipset, never the converter's target.
constexpr SizeRule kSizeRules[] = {
    {{480, 256}, 0, Side::Target}, {{288, 256}, 1, Side::Target},  {{192, 192}, 2, Side::Target},
    {{160, 80}, 3, Side::Target},  {{480, 480}, 4, Side::Target},  {{256, 1024}, 5, Side::Source},
};

}  // namespace

std::span<const PageInfo> Pages() { return Table(); }

const PageInfo& PageByLetter(char letter) {
    for (const PageInfo& p : Table())
        if (p.letter == letter) return p;
    throw std::out_of_range(std::string("no page ") + letter);
}

std::optional<PageRef> PageOfSurface(std::string_view surface) {
    for (const PageInfo& p : Table()) {
        if (surface == p.source.surface) return PageRef{&p, Side::Source};
        if (surface == p.target.surface) return PageRef{&p, Side::Target};
    }
    return std::nullopt;
}

std::optional<PageRef> PageForPictureSize(int width, int height) {
    for (const SizeRule& r : kSizeRules)
        if (r.size == Size{width, height}) return PageRef{&Table()[r.page], r.side};
    return std::nullopt;
}

PixelPosition TransparentPixelForSize(int width, int height) {
    const std::optional<PageRef> ref = PageForPictureSize(width, height);
    if (!ref || ref->side != Side::Target) return {0, 0};
    return ref->page->transparent;
}

Size CellOf(const ModuleState& state, const PageInfo& page) {
    if (!page.cellW) return page.cells.front();
    return {state.*page.cellW, state.*page.cellH};
}

Size ScrollStep(const ModuleState& state, const PageInfo& page) {
    if (page.scrollsByCell) return CellOf(state, page);
    return {page.grid.x, page.grid.y};
}

std::optional<Size> NextCell(const PageInfo& page, Size current) {
    const std::vector<Size>& cells = page.cells;
    for (size_t i = 0; i < cells.size(); ++i)
        if (cells[i] == current) return cells[(i + 1) % cells.size()];
    return std::nullopt;
}

}  // namespace tw
