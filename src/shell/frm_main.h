#pragma once
// The main window's model: every control by name in its design state, the
// module state, and the load handler.

#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/controls.h"
#include "platform/file_dialog.h"
#include "platform/source_canvas.h"
#include "platform/surface.h"
#include "shell/module_state.h"

namespace tw {

class frmMain {
public:
    static constexpr const char* kCaption = "Ravelins RPG2K Tilewright (Version 2.5)";
    static constexpr int kClientWidth = 689;   // 10335 twips
    static constexpr int kClientHeight = 577;  // 8655 twips
    static constexpr Pixel kDesktopColor = 0x3A6EA5;
    static constexpr Pixel kButtonFace = 0xD4D0C8;
    static constexpr long kWhite = 16777215;
    static constexpr long kRed = 255;

    frmMain();

    // The load handler's first step: the module state's start values. The
    // program then primes every page's buffers and views (Program::Load).
    void Form_Load();

    ModuleState State;
    // Set when the window has been unloaded ("&Exit"): the program ends.
    bool Unloaded = false;

    Control* Find(std::string_view name) const;
    // The control of that name and kind; throws std::out_of_range otherwise.
    template <class T>
    T& Get(std::string_view name) const {
        T* c = dynamic_cast<T*>(Find(name));
        if (!c) throw std::out_of_range("no such control: " + std::string(name));
        return *c;
    }
    // Any picture box, to read.
    const Surface& Pic(std::string_view n) const { return Get<Surface>(n); }
    // A source, buffer or picTemp, to draw into; a target sheet throws.
    Canvas& Drawable(std::string_view n) const { return Get<Canvas>(n); }
    // A page's target sheet, which only its Sheet draws into.
    SheetSurface& SheetPic(std::string_view n) const { return Get<SheetSurface>(n); }
    Outline& Shape(std::string_view n) const { return Get<Outline>(n); }
    ImageView& Img(std::string_view n) const { return Get<ImageView>(n); }
    Button& Cmd(std::string_view n) const { return Get<Button>(n); }
    OptionButton& Opt(std::string_view n) const { return Get<OptionButton>(n); }
    Label& Lbl(std::string_view n) const { return Get<Label>(n); }
    Timer& Tmr(std::string_view n) const { return Get<Timer>(n); }

    // Every control in the order of the layout tables.
    const std::vector<std::unique_ptr<Control>>& Controls() const { return controls_; }

private:
    template <class T, class... Args>
    T& Add(int tabPage, Args&&... args);
    void BuildChipsetPage();
    void BuildCharsetPage();
    void BuildFacesetPage();
    void BuildSystemsetPage();
    void BuildBattlePage();
    void BuildConverterPage();
    void BuildMenu();

    std::vector<std::unique_ptr<Control>> controls_;
    std::unordered_map<std::string, Control*> byName_;
};

}  // namespace tw
