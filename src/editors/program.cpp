#include "editors/program.h"

#include <utility>

#include "editors/battle_page.h"
#include "editors/charset_page.h"
#include "editors/chipset_page.h"
#include "editors/converter_page.h"
#include "editors/file_outcome.h"
#include "editors/faceset_page.h"
#include "editors/page_table.h"
#include "editors/systemset_page.h"
#include "imagefiles/colour_count.h"

namespace tw {
namespace {

// The load and save routing of the file routines, from the page table: a
// load fills its page side's surface (and the converter's full-picture copy),
// a save writes a page's target.
modTWFunc::Routes RoutesOf(const frmMain& form) {
    std::unordered_map<std::string, std::vector<Surface*>> into;
    std::unordered_map<std::string, const Surface*> from;
    for (const PageInfo& p : Pages()) {
        into[p.source.surface] = {&form.Pic(p.source.surface)};
        if (p.sourceCopy) into[p.source.surface].push_back(&form.Pic(p.sourceCopy));
        into[p.target.surface] = {&form.Pic(p.target.surface)};
        from[p.target.surface] = &form.Pic(p.target.surface);
    }
    return {[into](std::string_view id) {
                const auto it = into.find(std::string(id));
                return it == into.end() ? std::vector<Surface*>{} : it->second;
            },
            [from](std::string_view id) -> const Surface* {
                const auto it = from.find(std::string(id));
                return it == from.end() ? nullptr : it->second;
            }};
}

}  // namespace

Program::Program(FileDialog& dialog, AboutHost& about)
    : files_(dialog, RoutesOf(form_)),
      about_(about), tab1_(form_.Get<TabControl>("Tab1")),
      undoItem_(form_.Get<MenuItem>("mnuUndo")), redoItem_(form_.Get<MenuItem>("mnuRedo")) {
    pages_.push_back(std::make_unique<ChipsetPage>(form_, files_));
    pages_.push_back(std::make_unique<CharsetPage>(form_, files_));
    pages_.push_back(std::make_unique<FacesetPage>(form_, files_));
    pages_.push_back(std::make_unique<SystemsetPage>(form_, files_));
    pages_.push_back(std::make_unique<BattlePage>(form_, files_));
    pages_.push_back(std::make_unique<ConverterPage>(form_, files_));
    for (auto& page : pages_) {
        page->Wire(*this);
        histories_.push_back(&edits_.Add(form_.Pic(page->Info().target.surface)));
        page->KeepHistory(*histories_.back());
    }

    // The menu: "&Exit" unloads the main window at once, nothing asked.
    OnClick("mnuBeenden", [this] { form_.Unloaded = true; });
    // "&About" shows the About window modally; it is made anew after each close.
    OnClick("mnuInfo", [this] {
        if (!aboutWindow_) aboutWindow_ = std::make_unique<frmAbout>();
        about_.ShowModal(*aboutWindow_);
        if (aboutWindow_->Unloaded) aboutWindow_.reset();
    });
    OnClick("mnuUndo", [this] { histories_[FrontPage()]->Undo(); });
    OnClick("mnuRedo", [this] { histories_[FrontPage()]->Redo(); });
    OnClick("mnuFlipH", [this] { pages_[FrontPage()]->Flip(true); });
    OnClick("mnuFlipV", [this] { pages_[FrontPage()]->Flip(false); });
    OnClick("mnuCopy", [this] { clipboard_->SetImage(pages_[FrontPage()]->SelectionPixels()); });
    OnClick("mnuPaste", [this] {
        Page& page = *pages_[FrontPage()];
        const Size limit = page.PasteLimit();
        if (const std::optional<Raster> image = clipboard_->Image(limit.w, limit.h))
            page.Paste(*image);
    });
    UpdateEditMenu();
}

int Program::FrontPage() const {
    const int tab = tab1_.Tab();
    for (size_t i = 0; i < pages_.size(); ++i)
        if (pages_[i]->Info().tab == tab) return static_cast<int>(i);
    return 0;
}

void Program::UpdateEditMenu() {
    const EditHistory& h = *histories_[FrontPage()];
    // Called after every event: the caption is made anew only when the step changes.
    const auto show = [](MenuItem& m, const char* verb, std::optional<EditKind> step,
                         std::optional<std::optional<EditKind>>& shown) {
        if (shown && *shown == step) return;
        shown = step;
        m.SetCaption(step ? std::string(verb) + " " + EditKindName(*step) : std::string(verb));
        m.SetEnabled(step.has_value());
    };
    show(undoItem_, "&Undo", h.NextUndo(), shownUndo_);
    show(redoItem_, "&Redo", h.NextRedo(), shownRedo_);
    MenuItem& paste = form_.Get<MenuItem>("mnuPaste");
    if (const bool can = clipboard_->HasImage(); paste.Enabled() != can) paste.SetEnabled(can);
}

EventResult Program::SelectTab(std::string_view tabControl, int page) {
    Control* c = form_.Find(tabControl);
    if (!c) return EventResult::NoSuchControl;
    if (c->Kind() != ControlKind::TabControl) return EventResult::WrongKind;
    static_cast<TabControl*>(c)->SetTab(page);
    UpdateEditMenu();
    return EventResult::Handled;
}

Program::~Program() = default;

void Program::Load() {
    form_.Form_Load();
    for (auto& page : pages_) page->Prime();
    status_.SetModifiedProbe([this](const PageInfo& p) { return Modified(p.tab); });
}

EventResult Program::Click(std::string_view name) {
    Control* c = form_.Find(name);
    if (!c) return EventResult::NoSuchControl;
    switch (c->Kind()) {
        case ControlKind::Button:
            if (!static_cast<Button*>(c)->Enabled()) return EventResult::Ignored;
            break;
        case ControlKind::OptionButton:
            static_cast<OptionButton*>(c)->Select();
            break;
        case ControlKind::MenuItem:
            if (!static_cast<MenuItem*>(c)->Enabled()) return EventResult::Ignored;
            break;
        default:
            return EventResult::WrongKind;
    }
    auto it = click_.find(std::string(name));
    if (it == click_.end()) return EventResult::WrongKind;
    const std::optional<FileButton> file = FileButtonOf(name);
    if (!file) {
        it->second();
        UpdateEditMenu();
        return EventResult::Handled;
    }
    // A load or save button: the status line tells what became of the file.
    const Surface& surface = form_.Pic(file->side.page->Of(file->side.side).surface);
    const Picture before = surface.Image();
    it->second();
    const FileResult& result = files_.LastResult();
    const bool replaced = result.outcome == FileResult::Outcome::Loaded;
    const bool cleared = !file->save && file->side.side == Side::Target && !replaced &&
                         *before.raster() != surface.View();
    status_.SetOutcome(FileOutcomeMessage(result, *file, CountColours(surface.View()), cleared));
    UpdateEditMenu();
    return EventResult::Handled;
}

EventResult Program::Mouse(std::unordered_map<std::string, MouseHandler>& table,
                           std::string_view name, int button, int shift, float x, float y) {
    Control* c = form_.Find(name);
    if (!c) return EventResult::NoSuchControl;
    auto it = table.find(std::string(name));
    if (it == table.end()) return EventResult::WrongKind;
    it->second(button, shift, x, y);
    UpdateEditMenu();
    return EventResult::Handled;
}

EventResult Program::MouseDown(std::string_view name, int button, int shift, float x, float y) {
    status_.PointerAt(name, x, y);
    blockDrag_.reset();
    if (button == 1 && (shift & 1))
        for (size_t i = 0; i < pages_.size(); ++i)
            if (pages_[i]->Info().source.surface == name)
                blockDrag_.emplace(std::string(name), static_cast<int>(i));
    return Mouse(down_, name, button, shift, x, y);
}

EventResult Program::MouseUp(std::string_view name, int button, int shift, float x, float y) {
    Control* c = form_.Find(name);
    if (!c) return EventResult::NoSuchControl;
    if (c->Kind() != ControlKind::PictureBox) return EventResult::WrongKind;
    const auto drag = std::exchange(blockDrag_, std::nullopt);
    if (drag && drag->first == name && button == 1) {
        pages_[drag->second]->PickBlock(x, y);
        UpdateEditMenu();
    }
    (void)shift;  // Shift at the press decides, not at the release
    return EventResult::Handled;
}

std::optional<CellBlock> Program::DragSpan(std::string_view name, float x, float y) const {
    if (!blockDrag_ || blockDrag_->first != name) return std::nullopt;
    return pages_[blockDrag_->second]->BlockSpan(x, y);
}

EventResult Program::MouseMove(std::string_view name, int button, int shift, float x, float y) {
    status_.PointerAt(name, x, y);
    return Mouse(move_, name, button, shift, x, y);
}

EventResult Program::Tick(std::string_view name) {
    Control* c = form_.Find(name);
    if (!c) return EventResult::NoSuchControl;
    if (c->Kind() != ControlKind::Timer) return EventResult::WrongKind;
    if (!static_cast<Timer*>(c)->Enabled()) return EventResult::Ignored;
    auto it = timer_.find(std::string(name));
    if (it == timer_.end()) return EventResult::WrongKind;
    it->second();
    return EventResult::Handled;
}

}  // namespace tw
