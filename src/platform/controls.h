#pragma once
// The plain controls of a window: outlines, image views, buttons, option
// buttons, labels, frames, timers, tab controls and menu items.

#include <string>
#include <vector>

#include "platform/control.h"
#include "platform/picture.h"

namespace tw {

// A rectangle shape on a surface: solid 1-pixel yellow border, transparent
// inside; position and size in the surface's pixels.
class Outline : public Control {
public:
    static constexpr uint32_t kColor = 0xFFFF00;  // RGB 255, 255, 0
    Outline(std::string name, std::string container, Placement place);
    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void Move(int left, int top);
    void Resize(int width, int height);

private:
    int left_, top_, width_, height_;
};

// An image control: shows its picture stretched to its own size.
class ImageView : public Control {
public:
    ImageView(std::string name, std::string container, Placement place)
        : Control(std::move(name), ControlKind::Image, std::move(container), place) {}
    const Picture& GetPicture() const { return picture_; }
    void SetPicture(Picture p) { picture_ = std::move(p); Touch(); }
    void Refresh() { Touch(); }
    std::string ToolTip;

private:
    Picture picture_;
};

class Button : public Control {
public:
    Button(std::string name, std::string container, Placement place, std::string caption)
        : Control(std::move(name), ControlKind::Button, std::move(container), place),
          caption_(std::move(caption)) {}
    const std::string& Caption() const { return caption_; }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool on) { enabled_ = on; Touch(); }
    bool FontBold() const { return fontBold_; }
    void SetFontBold(bool on) { fontBold_ = on; Touch(); }

private:
    std::string caption_;
    bool enabled_ = true;
    bool fontBold_ = false;
};

// Option buttons come in exclusive pairs: selecting one deselects its partner.
class OptionButton : public Control {
public:
    OptionButton(std::string name, std::string container, Placement place, std::string caption)
        : Control(std::move(name), ControlKind::OptionButton, std::move(container), place),
          caption_(std::move(caption)) {}
    const std::string& Caption() const { return caption_; }
    bool Value() const { return value_; }
    void Select();
    static void Pair(OptionButton& a, OptionButton& b) { a.partner_ = &b; b.partner_ = &a; }

private:
    std::string caption_;
    bool value_ = false;
    OptionButton* partner_ = nullptr;
};

class Label : public Control {
public:
    Label(std::string name, std::string container, Placement place, long backColor)
        : Control(std::move(name), ControlKind::Label, std::move(container), place),
          backColor_(backColor) {}
    // Windows colour order: 255 is pure red, 16777215 white.
    long BackColor() const { return backColor_; }
    void SetBackColor(long c) { backColor_ = c; Touch(); }
    std::string Caption, ToolTip;
    bool Transparent = false;

private:
    long backColor_;
};

class Frame : public Control {
public:
    Frame(std::string name, std::string container, Placement place, std::string caption)
        : Control(std::move(name), ControlKind::Frame, std::move(container), place),
          caption_(std::move(caption)) {}
    const std::string& Caption() const { return caption_; }

private:
    std::string caption_;
};

class Timer : public Control {
public:
    Timer(std::string name, std::string container, int intervalMs)
        : Control(std::move(name), ControlKind::Timer, std::move(container), {}),
          interval_(intervalMs) {}
    int Interval() const { return interval_; }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool on) { enabled_ = on; Touch(); }

private:
    int interval_;
    bool enabled_ = false;
};

class TabControl : public Control {
public:
    TabControl(std::string name, std::string container, Placement place,
               std::vector<std::string> captions)
        : Control(std::move(name), ControlKind::TabControl, std::move(container), place),
          captions_(std::move(captions)) {}
    const std::vector<std::string>& Captions() const { return captions_; }
    int Tab() const { return tab_; }
    void SetTab(int t) { tab_ = t; Touch(); }

private:
    std::vector<std::string> captions_;
    int tab_ = 0;
};

class MenuItem : public Control {
public:
    MenuItem(std::string name, std::string container, std::string caption)
        : Control(std::move(name), ControlKind::MenuItem, std::move(container), {}),
          caption_(std::move(caption)) {}
    const std::string& Caption() const { return caption_; }
    bool IsSeparator() const { return caption_ == "-"; }
    // Edit menu items name their step and are disabled while there is none.
    void SetCaption(std::string caption) {
        if (caption == caption_) return;
        caption_ = std::move(caption);
        Touch();
    }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool on) {
        if (on == enabled_) return;
        enabled_ = on;
        Touch();
    }
    // An item that is one of a choice (Animation > Facing, Speed) shows a check.
    bool Checkable() const { return checkable_; }
    bool Checked() const { return checked_; }
    void SetChecked(bool on) {
        checkable_ = true;
        if (on == checked_) return;
        checked_ = on;
        Touch();
    }

private:
    std::string caption_;
    bool enabled_ = true;
    bool checkable_ = false, checked_ = false;
};

}  // namespace tw
