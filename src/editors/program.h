#pragma once
// The whole program without a screen: the main window's model, the image-file
// routines and every page's handlers, reached by control name. The Qt window
// and the batch runner both drive it.

#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>

#include "editors/pick_and_place.h"
#include "editors/preview_ground.h"
#include "editors/recent_files.h"
#include "editors/sheet.h"
#include "imagefiles/mod_tw_func.h"
#include "shell/frm_about.h"
#include "shell/frm_main.h"
#include "editors/status_line.h"
#include "platform/clipboard.h"

namespace tw {

// Shows the About window modally over the main window and returns when it
// has been closed.
class AboutHost {
public:
    virtual ~AboutHost() = default;
    virtual void ShowModal(frmAbout& about) = 0;
};

enum class EventResult {
    Handled,
    Ignored,        // a click on a disabled button
    NoSuchControl,
    WrongKind,      // the control raises no such event
};

class Page;

class Program {
public:
    using MouseHandler = std::function<void(int button, int shift, float x, float y)>;
    using Handler = std::function<void()>;

    Program(FileDialog& dialog, AboutHost& about);
    ~Program();

    frmMain& Form() { return form_; }
    const frmMain& Form() const { return form_; }
    // Copy and Paste use this clipboard from now on; nullptr: the in-process
    // one the program starts with.
    void UseClipboard(Clipboard* clipboard) {
        clipboard_ = clipboard ? clipboard : &ownClipboard_;
        UpdateEditMenu();
    }
    // The clipboard's content changed outside the program: Paste follows it.
    void ClipboardChanged() { UpdateEditMenu(); }
    modTWFunc& Files() { return files_; }
    StatusLine& Status() { return status_; }
    // What became of the latest load or save, for the status line.
    const FileResult& LastFileResult() const { return files_.LastResult(); }

    // Runs the window's load handler: the module state, then every page's
    // buffers and views primed from the blank top-left corners of its surfaces.
    void Load();

    // A click on a button, option button or menu item, as the user makes it: a
    // disabled button ignores it; an option button is selected first.
    EventResult Click(std::string_view name);
    EventResult MouseDown(std::string_view name, int button, int shift, float x, float y);
    EventResult MouseMove(std::string_view name, int button, int shift, float x, float y);
    // The release of a button over a surface: a drag over a page's source
    // that began with Shift and the left button picks a block.
    EventResult MouseUp(std::string_view name, int button, int shift, float x, float y);
    // While such a drag goes on over surface `name`: the block of cells a
    // release at (x, y) would pick; otherwise none.
    std::optional<CellBlock> DragSpan(std::string_view name, float x, float y) const;
    // Moves the view of source `name` to show its picture from (x, y) on,
    // rounded down to whole cells and held inside the picture; events on
    // it keep the client area's coordinates. The converter's source and the
    // targets have no view to move (WrongKind).
    EventResult Scroll(std::string_view name, double x, double y);
    // The step the view of source `name` moves in; none for a surface
    // without a view to move.
    std::optional<Size> ScrollStep(std::string_view name) const;
    // One tick of a timer, run only while the timer is enabled.
    EventResult Tick(std::string_view name);
    // A click on page `page` of tab control Tab1 or Tab2: it comes to the front.
    EventResult SelectTab(std::string_view tabControl, int page);

    // The page in front: Tab1's page (the battle page whichever side Tab2 shows).
    const PageInfo& FrontPage() const;
    // The target sheet of a page, found by the page's row in the page table.
    const Sheet& SheetOf(const PageInfo& page) const;
    // The page's target sheet has changed since it was last loaded or saved,
    // or since start-up.
    bool Modified(const PageInfo& page) const { return SheetOf(page).Modified(); }
    // A sheet an earlier session left unsaved comes back into its page's
    // target, as one step of its history.
    void Recover(const PageInfo& page, Raster sheet);
    // The same for the old picture of the file `original`, decoded as a load
    // would: the sheet stays unsaved and `original` becomes its file.
    void RecoverFile(const PageInfo& page, const ImageDescriptor& image, const std::string& original);
    // Told just before a load, a revert or a recovered sheet replaces a
    // sheet with unsaved changes, while the sheet still holds them.
    void OnReplacing(std::function<void(const Sheet&)> f) { replacing_ = std::move(f); }
    // The window's title: the caption, then the page in front's file and a
    // star while it has unsaved changes ("... - chipset.png *"); "(unsaved)"
    // for a changed sheet without a file.
    std::string Title() const;
    // File > Recent Files. The window keeps the list between runs; the
    // runner's starts empty.
    RecentFiles& Recent() { return recent_; }
    // Animation > Speed: the factor the window's timers run faster by
    // (0.5, 1 or 2); the timers' own intervals stay as they are.
    double AnimationSpeed() const { return speed_; }
    // Animation > Onion Skin, Preview Size (1: no enlarged previews) and
    // Preview Background: what the window draws; no pixel of the model changes.
    bool OnionSkin() const { return onionSkin_; }
    int PreviewSize() const { return previewSize_; }
    PreviewGround PreviewBackground() const { return ground_; }
    // Told what a load did to a picture that did not fit its sheet ("load
    // PATH: ..." on the runner's standard error).
    void OnLoadWarning(std::function<void(const std::string& path, const std::string& note)> f) {
        loadWarning_ = std::move(f);
    }

    // The runner's `transparent NAME X Y`: the colour of target NAME's pixel
    // (X, Y) becomes its sheet's transparent colour, as one step; what Edit >
    // Pick Transparent Colour and a left click there do.
    EventResult PickTransparent(std::string_view target, float x, float y);
    // The runner's `reduce NAME N`: Edit > Reduce Colours on target NAME.
    EventResult ReduceColours(std::string_view target, int colours);
    // Edit > Reduce Colours... asks this for the number of colours (2 to 256,
    // 256 offered first); none: cancelled. Without it the item does nothing.
    void AskColourCount(std::function<std::optional<int>()> ask) { askColours_ = std::move(ask); }
    // The runner's `merge NAME #RRGGBB #RRGGBB` and a drag in the colour
    // panel: every pixel of `from` on target NAME's sheet takes `to`, as one
    // step; the status line says what the engine hides then.
    EventResult MergeColours(std::string_view target, Pixel from, Pixel to);
    // Edit > Pick Transparent Colour waits for its click.
    bool PickingTransparent() const { return pickingTransparent_; }
    // That click on a swatch of the colour panel: `colour` becomes the
    // transparent colour of the sheet in front, as one step.
    void PickTransparentColour(Pixel colour);
    // `show Colours`, for the page in front.
    std::string ColoursLine() const;

    // Used by the pages to wire their handlers.
    void OnClick(std::string name, Handler h) { click_[std::move(name)] = std::move(h); }
    void OnMouseDown(std::string name, MouseHandler h) { down_[std::move(name)] = std::move(h); }
    void OnMouseMove(std::string name, MouseHandler h) { move_[std::move(name)] = std::move(h); }
    void OnTimer(std::string name, Handler h) { timer_[std::move(name)] = std::move(h); }

private:
    // The Edit menu names the steps the page in front can undo and redo;
    // File > Revert to Saved follows its sheet.
    void UpdateEditMenu();
    // File > Save: the sheet in front to its own file, else the save dialog.
    void Save();
    // File > Revert to Saved: the sheet's file loaded again, as one step.
    void Revert();
    // The status line's sentence for what a load or save did to `page`'s target.
    void TellOutcome(const PageInfo& page, bool save);
    // After a load or save through `surface`: the recent files, a warning.
    void TookFile(const std::string& surface);
    // File > Recent Files > item `index`: that file, loaded again into its
    // surface by the surface's load button.
    void Reopen(size_t index);
    void UpdateRecentMenu();
    // Animation > Facing and Speed: one item of each choice is checked.
    void Choose(std::span<const char* const> items, size_t chosen);
    void UpdateAnimationMenu();
    Sheet& SheetOf(const PageInfo& page);
    // The whole sheet becomes `picture`, as one step of its history; `key`
    // is its transparent colour when the picture's file says which.
    void Replace(Sheet& sheet, EditKind kind, Picture picture, TransparentKey key = {});
    // The sheet shown by a target surface; null for any other name.
    Sheet* SheetOfTarget(std::string_view surface);
    // Takes the colour at (x, y) of the sheet, if the sheet holds that pixel.
    void TakeTransparent(Sheet& sheet, float x, float y);
    // Ends the wait for the click that picks the transparent colour.
    void StopPicking();
    Page& Front() const;
    // The page whose source is `name` and scrolls, or nullptr.
    Page* ScrollingPage(std::string_view name) const;
    // Where the file routines put a loaded picture: a source's surfaces, or
    // a target's sheet as an edit.
    std::vector<modTWFunc::PictureSink> LoadInto(std::string_view surface);
    EventResult Mouse(std::unordered_map<std::string, MouseHandler>& table, std::string_view name,
                      int button, int shift, float x, float y);

    frmMain form_;
    // The bound on all sheets' histories together; the sheets add theirs to it.
    EditHistories edits_;
    std::vector<std::unique_ptr<Sheet>> sheets_;  // in the page table's order
    modTWFunc files_;
    StatusLine status_{form_};
    AboutHost& about_;
    std::unique_ptr<frmAbout> aboutWindow_;
    std::vector<std::unique_ptr<Page>> pages_;
    TabControl& tab1_;
    MenuItem& undoItem_;
    MenuItem& redoItem_;
    MenuItem& revertItem_;
    RecentFiles recent_;
    double speed_ = 1;
    bool onionSkin_ = false;
    int previewSize_ = 1;
    PreviewGround ground_ = PreviewGround::Window;
    MenuItem* stepItems_[4] = {};  // Animation > Step: target forward, back, source forward, back
    std::vector<RecentFile> shownRecent_;
    std::function<void(const std::string&, const std::string&)> loadWarning_;
    std::function<void(const Sheet&)> replacing_;
    // The step a target load makes: a load, or a revert to the saved file.
    EditKind targetLoad_ = EditKind::LoadTarget;
    MemoryClipboard ownClipboard_;
    Clipboard* clipboard_ = &ownClipboard_;
    // The steps the two items name now; empty until they are first set.
    std::optional<std::optional<EditKind>> shownUndo_, shownRedo_;
    std::unordered_map<std::string, Handler> click_, timer_;
    std::unordered_map<std::string, MouseHandler> down_, move_;
    // Edit > Pick Transparent Colour was chosen: the next left click on a
    // target takes a colour instead of stamping.
    bool pickingTransparent_ = false;
    std::function<std::optional<int>()> askColours_;
    // The source surface and page of a Shift + left press, until the release.
    std::optional<std::pair<std::string, int>> blockDrag_;
};

}  // namespace tw
