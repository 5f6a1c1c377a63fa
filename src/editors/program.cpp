#include "editors/program.h"

#include <cmath>
#include <filesystem>
#include <stdexcept>
#include <utility>

#include "editors/battle_page.h"
#include "editors/charset_page.h"
#include "editors/converter_page.h"
#include "editors/file_outcome.h"
#include "editors/page_table.h"
#include "editors/plain_page.h"
#include "editors/sheet_colours.h"
#include "imagefiles/colour_count.h"
#include "imagefiles/image_format.h"
#include "imagefiles/index_zero.h"

namespace tw {
namespace {

// A page is its row of the page table; only pages with rules of their own
// have a class of their own.
std::unique_ptr<Page> MakePage(frmMain& form, modTWFunc& files, Sheet& sheet) {
    switch (sheet.Info().letter) {
        case 'R': return std::make_unique<CharsetPage>(form, files, sheet);
        case 'B': return std::make_unique<BattlePage>(form, files, sheet);
        case 'O': return std::make_unique<ConverterPage>(form, files, sheet);
        default: return std::make_unique<PlainPage>(form, files, sheet);
    }
}

}  // namespace

// The load and save routing of the file routines, from the page table: a
// load fills its page side's surface (and the converter's full-picture copy)
// or replaces its page's sheet, a save writes a page's target.
Program::Program(FileDialog& dialog, AboutHost& about)
    : files_(dialog, {[this](std::string_view id) { return LoadInto(id); },
                      [this](std::string_view id) -> const Surface* {
                          const std::optional<PageRef> ref = PageOfSurface(id);
                          if (!ref || ref->side != Side::Target) return nullptr;
                          return &form_.Pic(id);
                      },
                      [this](std::string_view id) -> std::optional<Pixel> {
                          const Sheet* sheet = SheetOfTarget(id);
                          return sheet ? sheet->KeptTransparentColour() : std::nullopt;
                      }}),
      about_(about), tab1_(form_.Get<TabControl>("Tab1")),
      undoItem_(form_.Get<MenuItem>("mnuUndo")), redoItem_(form_.Get<MenuItem>("mnuRedo")),
      revertItem_(form_.Get<MenuItem>("mnuRevert")) {
    for (const PageInfo& p : Pages()) {
        sheets_.push_back(std::make_unique<Sheet>(form_.SheetPic(p.target.surface), p, edits_));
        pages_.push_back(MakePage(form_, files_, *sheets_.back()));
        pages_.back()->Wire(*this);
    }

    // The menu: "&Exit" unloads the main window at once, nothing asked.
    OnClick("mnuBeenden", [this] { form_.Unloaded = true; });
    // "&About" shows the About window modally; it is made anew after each close.
    OnClick("mnuInfo", [this] {
        if (!aboutWindow_) aboutWindow_ = std::make_unique<frmAbout>();
        about_.ShowModal(*aboutWindow_);
        if (aboutWindow_->Unloaded) aboutWindow_.reset();
    });
    OnClick("mnuOpenSource", [this] { Click(FrontPage().source.loadButton); });
    OnClick("mnuOpenTarget", [this] { Click(FrontPage().target.loadButton); });
    OnClick("mnuSave", [this] { Save(); });
    OnClick("mnuSaveAs", [this] { Click(FrontPage().saveButton); });
    OnClick("mnuRevert", [this] { Revert(); });
    for (size_t i = 0; i < RecentFiles::kMost; ++i)
        OnClick("mnuRecent" + std::to_string(i), [this, i] { Reopen(i); });
    OnClick("mnuStepZForward", [this] { Front().StepPreview(Side::Target, 1); });
    OnClick("mnuStepZBack", [this] { Front().StepPreview(Side::Target, -1); });
    OnClick("mnuStepQForward", [this] { Front().StepPreview(Side::Source, 1); });
    OnClick("mnuStepQBack", [this] { Front().StepPreview(Side::Source, -1); });
    static constexpr const char* kFacings[5] = {"mnuFaceAll", "mnuFaceUp", "mnuFaceRight",
                                                "mnuFaceDown", "mnuFaceLeft"};
    for (size_t i = 0; i < 5; ++i)
        OnClick(kFacings[i], [this, i] {
            for (auto& page : pages_)
                if (auto* charset = dynamic_cast<CharsetPage*>(page.get()))
                    charset->SetFacing(i == 0 ? std::nullopt : std::optional<int>(static_cast<int>(i) - 1));
            Choose(kFacings, i);
        });
    static constexpr const char* kSpeeds[3] = {"mnuSpeedHalf", "mnuSpeedOne", "mnuSpeedDouble"};
    for (size_t i = 0; i < 3; ++i)
        OnClick(kSpeeds[i], [this, i] {
            speed_ = i == 0 ? 0.5 : i == 1 ? 1.0 : 2.0;
            Choose(kSpeeds, i);
        });
    OnClick("mnuOnionSkin", [this] {
        onionSkin_ = !onionSkin_;
        form_.Get<MenuItem>("mnuOnionSkin").SetChecked(onionSkin_);
    });
    static constexpr const char* kSizes[4] = {"mnuPreviewOne", "mnuPreviewTwo", "mnuPreviewThree",
                                              "mnuPreviewFour"};
    for (size_t i = 0; i < 4; ++i)
        OnClick(kSizes[i], [this, i] {
            previewSize_ = static_cast<int>(i) + 1;
            Choose(kSizes, i);
        });
    static constexpr const char* kGrounds[3] = {"mnuBackWindow", "mnuBackChecker", "mnuBackTile"};
    for (size_t i = 0; i < 3; ++i)
        OnClick(kGrounds[i], [this, i] {
            ground_ = static_cast<PreviewGround>(i);
            Choose(kGrounds, i);
        });
    OnClick("mnuUndo", [this] { Front().TargetSheet().Undo(); });
    OnClick("mnuRedo", [this] { Front().TargetSheet().Redo(); });
    OnClick("mnuFlipH", [this] { Front().Flip(true); });
    OnClick("mnuFlipV", [this] { Front().Flip(false); });
    OnClick("mnuCopy", [this] { clipboard_->SetImage(Front().SelectionPixels()); });
    OnClick("mnuPaste", [this] {
        Page& page = Front();
        const Size limit = page.PasteLimit();
        if (const std::optional<Raster> image = clipboard_->Image(limit.w, limit.h))
            page.Paste(*image);
        else if (const auto size = clipboard_->TooLargeSize())
            status_.SetOutcome(FailureMessage("the picture on the clipboard is too large",
                                              std::to_string(size->first) + " x " + std::to_string(size->second)));
        else
            status_.SetOutcome("The clipboard holds no picture");
    });
    OnClick("mnuPickTransparent", [this] {
        pickingTransparent_ = true;
        form_.Get<MenuItem>("mnuPickTransparent").SetChecked(true);
        status_.SetOutcome("Click the target to make the colour there its transparent colour");
    });
    OnClick("mnuReduceColours", [this] {
        if (!askColours_) return;
        if (const std::optional<int> n = askColours_())
            status_.SetOutcome(ReduceSheetColours(Front().TargetSheet(), *n));
    });
    UpdateEditMenu();
}

Sheet* Program::SheetOfTarget(std::string_view surface) {
    const std::optional<PageRef> ref = PageOfSurface(surface);
    if (!ref || ref->side != Side::Target) return nullptr;
    return &SheetOf(*ref->page);
}

void Program::StopPicking() {
    pickingTransparent_ = false;
    form_.Get<MenuItem>("mnuPickTransparent").SetChecked(false);
}

void Program::TakeTransparent(Sheet& sheet, float x, float y) {
    StopPicking();
    const int px = static_cast<int>(std::floor(x)), py = static_cast<int>(std::floor(y));
    if (!std::isfinite(x) || !std::isfinite(y) || !sheet.Pixels().Contains(px, py)) {
        status_.SetOutcome("");
        return;
    }
    sheet.Apply(edit::ChooseTransparent{sheet.Pixels().At(px, py)});
    status_.SetOutcome(std::string(sheet.Info().name) + ": the transparent colour is now " +
                       HexColour(sheet.TransparentColour()) + "; Ctrl+Z undoes it");
}

void Program::PickTransparentColour(Pixel colour) {
    StopPicking();
    Sheet& sheet = Front().TargetSheet();
    sheet.Apply(edit::ChooseTransparent{colour});
    status_.SetOutcome(std::string(sheet.Info().name) + ": the transparent colour is now " +
                       HexColour(sheet.TransparentColour()) + "; Ctrl+Z undoes it");
    UpdateEditMenu();
}

EventResult Program::MergeColours(std::string_view target, Pixel from, Pixel to) {
    Sheet* sheet = SheetOfTarget(target);
    if (!sheet) return form_.Find(target) ? EventResult::WrongKind : EventResult::NoSuchControl;
    status_.SetOutcome(MergeSheetColours(*sheet, from, to));
    UpdateEditMenu();
    return EventResult::Handled;
}

EventResult Program::PickTransparent(std::string_view target, float x, float y) {
    Sheet* sheet = SheetOfTarget(target);
    if (!sheet) return form_.Find(target) ? EventResult::WrongKind : EventResult::NoSuchControl;
    TakeTransparent(*sheet, x, y);
    UpdateEditMenu();
    return EventResult::Handled;
}

EventResult Program::ReduceColours(std::string_view target, int colours) {
    Sheet* sheet = SheetOfTarget(target);
    if (!sheet) return form_.Find(target) ? EventResult::WrongKind : EventResult::NoSuchControl;
    status_.SetOutcome(ReduceSheetColours(*sheet, colours));
    UpdateEditMenu();
    return EventResult::Handled;
}

std::string Program::ColoursLine() const { return DescribeColours(Front().TargetSheet()); }

Page& Program::Front() const {
    const int tab = tab1_.Tab();
    for (const auto& page : pages_)
        if (page->Info().tab == tab) return *page;
    return *pages_.front();
}

const PageInfo& Program::FrontPage() const { return Front().Info(); }

const Sheet& Program::SheetOf(const PageInfo& page) const {
    for (const auto& sheet : sheets_)
        if (&sheet->Info() == &page) return *sheet;
    throw std::out_of_range(std::string("no sheet for the page ") + page.name);
}

Sheet& Program::SheetOf(const PageInfo& page) {
    return const_cast<Sheet&>(std::as_const(*this).SheetOf(page));
}

std::vector<modTWFunc::PictureSink> Program::LoadInto(std::string_view surface) {
    const std::optional<PageRef> ref = PageOfSurface(surface);
    if (!ref) return {};
    const auto canvas = [](Canvas& c) {
        return modTWFunc::PictureSink{&c,
                                      [&c](Picture p) {
                                          c.SetPicture(std::move(p));
                                          c.Refresh();
                                      },
                                      [&c] {
                                          c.ReleasePicture();
                                          c.Refresh();
                                      }};
    };
    if (ref->side == Side::Target) {
        Sheet& sheet = SheetOf(*ref->page);
        return {{&sheet.Target(), [this, &sheet](Picture p) {
                     // A palette file's index 0 is what the engine hid: the
                     // sheet keeps that colour, whichever pixel holds it.
                     TransparentKey key;
                     if (const std::optional<IndexZero> zero = IndexZeroOf(files_.CurrentImage))
                         key = {TransparentOrigin::File, zero->colour};
                     Replace(sheet, targetLoad_, std::move(p), key);
                 }}};
    }
    std::vector<modTWFunc::PictureSink> sinks{canvas(form_.Drawable(surface))};
    if (ref->page->sourceCopy) sinks.push_back(canvas(form_.Drawable(ref->page->sourceCopy)));
    return sinks;
}

void Program::Replace(Sheet& sheet, EditKind kind, Picture picture, TransparentKey key) {
    if (sheet.Modified() && replacing_) replacing_(sheet);
    sheet.Apply(edit::Replace{kind, std::move(picture), key});
}

void Program::Recover(const PageInfo& page, Raster sheet) {
    Replace(SheetOf(page), EditKind::Recover, Picture(std::move(sheet)));
    UpdateEditMenu();
}

void Program::RecoverFile(const PageInfo& page, const ImageDescriptor& image, const std::string& original) {
    Sheet& sheet = SheetOf(page);
    TransparentKey key;
    if (const std::optional<IndexZero> zero = IndexZeroOf(image)) key = {TransparentOrigin::File, zero->colour};
    Replace(sheet, EditKind::Recover, modTWFunc::PictureFor(sheet.Target(), image), key);
    sheet.TakeFileOf(original, image.bmh->biWidth, image.bmh->biHeight);
    UpdateEditMenu();
}

void Program::Save() {
    Sheet& sheet = Front().TargetSheet();
    if (sheet.File().path.empty()) return (void)Click(FrontPage().saveButton);
    files_.SaveTargetTo(sheet.File().path, FrontPage().target.surface);
    sheet.Took(files_.LastResult());
    TellOutcome(FrontPage(), true);
    TookFile(FrontPage().target.surface);
}

void Program::Revert() {
    Sheet& sheet = Front().TargetSheet();
    if (sheet.File().path.empty() || !sheet.Modified()) return;
    const std::string path = sheet.File().path;
    targetLoad_ = EditKind::Revert;
    files_.LoadImageFile(path, FrontPage().target.surface);
    targetLoad_ = EditKind::LoadTarget;
    sheet.Took(files_.LastResult());
    TellOutcome(FrontPage(), false);
    TookFile(FrontPage().target.surface);
}

void Program::TookFile(const std::string& surface) {
    const FileResult& r = files_.LastResult();
    if (r.outcome != FileResult::Outcome::Loaded && r.outcome != FileResult::Outcome::Saved) return;
    recent_.Add({r.fileName, surface});
    const std::optional<PageRef> ref = PageOfSurface(surface);
    if (r.outcome == FileResult::Outcome::Loaded && ref && ref->side == Side::Target && loadWarning_)
        if (const std::string note = LoadSizeNote(r.fileName, r.width, r.height, *ref->page); !note.empty())
            loadWarning_(r.fileName, note);
}

void Program::Reopen(size_t index) {
    if (index >= recent_.List().size()) return;
    const RecentFile file = recent_.List()[index];
    const std::optional<PageRef> ref = PageOfSurface(file.surface);
    std::error_code error;
    if (!ref || !std::filesystem::exists(file.path, error)) {
        recent_.Remove(index);
        status_.SetOutcome(FailureMessage("it is gone", "could not open " + BaseName(file.path) +
                                                            ", which was taken off Recent Files"));
        return;
    }
    SelectTab("Tab1", ref->page->tab);
    const int side = ref->side == Side::Source ? ref->page->sourceTab : ref->page->targetTab;
    if (side >= 0) SelectTab("Tab2", side);
    files_.AnswerNextOpen(file.path);
    Click(ref->page->Of(ref->side).loadButton);
}

void Program::Choose(std::span<const char* const> items, size_t chosen) {
    for (size_t i = 0; i < items.size(); ++i) form_.Get<MenuItem>(items[i]).SetChecked(i == chosen);
}

void Program::UpdateAnimationMenu() {
    // After every event: the items are looked up once.
    if (!stepItems_[0]) {
        const char* names[4] = {"mnuStepZForward", "mnuStepZBack", "mnuStepQForward", "mnuStepQBack"};
        for (int i = 0; i < 4; ++i) stepItems_[i] = &form_.Get<MenuItem>(names[i]);
    }
    const Page& front = Front();
    for (int i = 0; i < 4; ++i)
        if (const bool can = front.CanStepPreview(i < 2 ? Side::Target : Side::Source);
            stepItems_[i]->Enabled() != can)
            stepItems_[i]->SetEnabled(can);
}

void Program::UpdateRecentMenu() {
    if (shownRecent_ == recent_.List()) return;
    shownRecent_ = recent_.List();
    for (size_t i = 0; i < RecentFiles::kMost; ++i) {
        MenuItem& item = form_.Get<MenuItem>("mnuRecent" + std::to_string(i));
        std::string caption;
        if (i < shownRecent_.size()) {
            const RecentFile& f = shownRecent_[i];
            caption = BaseName(f.path) + " - " + SurfaceTitle(*PageOfSurface(f.surface));
        }
        item.SetCaption(caption);
        item.SetEnabled(!caption.empty());
    }
    form_.Get<MenuItem>("mnuRecent").SetEnabled(!shownRecent_.empty());
}

void Program::TellOutcome(const PageInfo& page, bool save) {
    status_.SetOutcome(FileOutcomeMessage(files_.LastResult(), {{&page, Side::Target}, save},
                                          CountColours(SheetOf(page).Pixels())));
}

std::string Program::Title() const {
    std::string title = frmMain::kCaption;
    const Sheet& sheet = SheetOf(FrontPage());
    const std::string& path = sheet.File().path;
    if (!path.empty())
        title += " - " + BaseName(path);
    else if (sheet.Modified())
        title += " - (unsaved)";
    if (sheet.Modified()) title += " *";
    return title;
}

void Program::UpdateEditMenu() {
    UpdateRecentMenu();
    UpdateAnimationMenu();
    const Sheet& sheet = Front().TargetSheet();
    if (const bool can = !sheet.File().path.empty() && sheet.Modified(); revertItem_.Enabled() != can)
        revertItem_.SetEnabled(can);
    const EditHistory& h = sheet.History();
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
    if (const bool can = clipboard_->MayHoldImage(); paste.Enabled() != can) paste.SetEnabled(can);
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
    status_.SetModifiedProbe([this](const PageInfo& p) { return Modified(p); });
    // The sheet keeps its colours counted stamp by stamp.
    status_.SetColourProbe([this](const PageInfo& p) { return SheetOf(p).PixelColours(); });
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
    it->second();
    std::string outcome = FileOutcomeMessage(files_.LastResult(), *file, CountColours(surface.View()));
    if (surface.KeepsWholePicture()) outcome += KeptPartNote(files_.LastResult(), SourceCanvas::kKeptSide);
    status_.SetOutcome(std::move(outcome));
    TookFile(surface.Name());
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
    Sheet* target = button == 1 ? SheetOfTarget(name) : nullptr;
    if (target && pickingTransparent_) {
        TakeTransparent(*target, x, y);
        UpdateEditMenu();
        return EventResult::Handled;
    }
    // A stamp that changes what the engine hides or takes says so at once.
    const std::optional<ColourWatch> before =
        target ? std::optional<ColourWatch>(WatchColours(*target)) : std::nullopt;
    const EventResult result = Mouse(down_, name, button, shift, x, y);
    if (before)
        if (std::string warning = ColourWarning(*target, *before); !warning.empty())
            status_.SetOutcome(std::move(warning));
    return result;
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

Page* Program::ScrollingPage(std::string_view name) const {
    if (!dynamic_cast<const SourceCanvas*>(form_.Find(name))) return nullptr;
    for (const auto& page : pages_)
        if (page->Info().source.surface == name) return page.get();
    return nullptr;
}

EventResult Program::Scroll(std::string_view name, double x, double y) {
    if (!form_.Find(name)) return EventResult::NoSuchControl;
    Page* page = ScrollingPage(name);
    if (!page) return EventResult::WrongKind;
    page->ScrollSource(x, y);
    return EventResult::Handled;
}

std::optional<Size> Program::ScrollStep(std::string_view name) const {
    const Page* page = ScrollingPage(name);
    if (!page) return std::nullopt;
    return page->ScrollStep();
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
