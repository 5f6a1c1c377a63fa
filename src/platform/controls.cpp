#include "platform/controls.h"

namespace tw {

const char* KindName(ControlKind kind) {
    switch (kind) {
        case ControlKind::PictureBox: return "picture box";
        case ControlKind::Shape: return "outline";
        case ControlKind::Image: return "image view";
        case ControlKind::Frame: return "frame";
        case ControlKind::Button: return "button";
        case ControlKind::OptionButton: return "option button";
        case ControlKind::Label: return "label";
        case ControlKind::Timer: return "timer";
        case ControlKind::CommonDialog: return "common dialog";
        case ControlKind::TabControl: return "tab control";
        case ControlKind::MenuItem: return "menu item";
    }
    return "control";
}

Outline::Outline(std::string name, std::string container, Placement place)
    : Control(std::move(name), ControlKind::Shape, std::move(container), place),
      left_(static_cast<int>(place.left)), top_(static_cast<int>(place.top)),
      width_(static_cast<int>(place.width)), height_(static_cast<int>(place.height)) {}

void Outline::Move(int left, int top) {
    if (left == left_ && top == top_) return;
    left_ = left;
    top_ = top;
    Touch();
}

void Outline::Resize(int width, int height) {
    width_ = width;
    height_ = height;
    Touch();
}

void OptionButton::Select() {
    value_ = true;
    Touch();
    if (partner_ && partner_->value_) {
        partner_->value_ = false;
        partner_->Touch();
    }
}

}  // namespace tw
