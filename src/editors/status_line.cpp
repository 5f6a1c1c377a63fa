#include "editors/status_line.h"

#include <cmath>

#include "editors/stamp_plan.h"
#include "imagefiles/colour_count.h"

namespace tw {

std::string FailureMessage(const std::string& reason, const std::string& notDone) {
    return reason + ": " + notDone;
}
namespace {

std::string Join(std::initializer_list<std::string> parts) {
    std::string out;
    for (const std::string& p : parts) {
        if (p.empty()) continue;
        if (!out.empty()) out += "  |  ";
        out += p;
    }
    return out;
}

}  // namespace

std::string SurfaceTitle(PageRef ref) {
    return std::string(ref.page->name) + (ref.side == Side::Source ? " source" : " target");
}

Grid GridOf(const frmMain& form, PageRef ref) {
    if (ref.side == Side::Source) return ref.page->grid;
    return TargetGrid(*ref.page, StampsHalved(form, *ref.page));
}

void StatusLine::PointerAt(std::string_view surface, float x, float y) {
    const std::optional<PageRef> ref = PageOfSurface(surface);
    const Surface* s = ref ? dynamic_cast<const Surface*>(form_.Find(surface)) : nullptr;
    swatch_.clear();
    if (!s || !std::isfinite(x) || !std::isfinite(y)) return PointerLeft();
    const int px = static_cast<int>(std::floor(x)), py = static_cast<int>(std::floor(y));
    // A held button sends moves from outside the surface too; they point at nothing.
    if (!s->View().Contains(px, py)) return PointerLeft();
    pointer_ = Pointer{*ref, px, py};
}

std::string StatusLine::PointerPart() const {
    if (!swatch_.empty()) return swatch_;
    if (!pointer_) return "";
    const Grid g = GridOf(form_, pointer_->at);
    int x = pointer_->x, y = pointer_->y;
    // On a source the pointer is over its picture's pixel, wherever the view
    // stands; the cells are counted when the picture is larger than the pane.
    std::string of;
    if (const auto* source = dynamic_cast<const SourceCanvas*>(
            form_.Find(pointer_->at.page->Of(pointer_->at.side).surface))) {
        x += source->OriginX();
        y += source->OriginY();
        const int w = source->KeptWidth(), h = source->KeptHeight();
        if (w > source->ClientWidth() || h > source->ClientHeight())
            of = " of " + std::to_string((w + g.x - 1) / g.x) + " x " +
                 std::to_string((h + g.y - 1) / g.y);
    }
    return SurfaceTitle(pointer_->at) + ": pixel " + std::to_string(x) + ", " + std::to_string(y) +
           ", cell " + std::to_string(x / g.x) + ", " + std::to_string(y / g.y) + of;
}

const PageInfo& StatusLine::PageInFront() const {
    const int tab = form_.Get<TabControl>("Tab1").Tab();
    for (const PageInfo& p : Pages())
        if (p.tab == tab) return p;
    return Pages().front();
}

int StatusLine::TargetColours() const {
    if (colours_) return colours_(PageInFront());
    const Surface& target = form_.Pic(PageInFront().target.surface);
    if (countedSurface_ != &target || countedVersion_ != target.Version()) {
        countedColours_ = CountColours(target.View());
        countedSurface_ = &target;
        countedVersion_ = target.Version();
    }
    return countedColours_;
}

std::string StatusLine::SheetPart() const {
    const PageInfo& page = PageInFront();
    const Raster& sheet = form_.Pic(page.target.surface).View();
    const int colours = TargetColours();
    std::string out = std::string(page.name) + " " + std::to_string(sheet.Width()) + " x " +
                      std::to_string(sheet.Height()) + ", " + std::to_string(colours) +
                      (colours == 1 ? " colour" : " colours");
    if (colours <= 256) return out + ": saves as an 8-bit palette";
    return out + ": PNG and BMP will be saved with 24 bits, which the engine refuses; GIF is "
                 "reduced to 256 colours";
}

std::string StatusLine::ModifiedPart() const {
    const PageInfo& page = PageInFront();
    if (!modified_ || !modified_(page)) return "";
    return SurfaceTitle({&page, Side::Target}) + ": unsaved changes";
}

std::string StatusLine::Text() const {
    return Join({PointerPart(), SheetPart(), ModifiedPart(), outcome_});
}

std::string StatusLine::OutcomeText() const { return Join({outcome_, ModifiedPart()}); }

}  // namespace tw
