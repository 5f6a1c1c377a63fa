#pragma once
// The common part of every control of a window: its name, kind, container and
// place. Positions and sizes are pixels relative to the container; a fraction
// means the stored twip value is not a multiple of 15.

#include <cstdint>
#include <string>

namespace tw {

enum class ControlKind {
    PictureBox,
    Shape,
    Image,
    Frame,
    Button,
    OptionButton,
    Label,
    Timer,
    CommonDialog,
    TabControl,
    MenuItem,
};

const char* KindName(ControlKind kind);

struct Placement {
    double left = 0, top = 0, width = 0, height = 0;
};

class Control {
public:
    Control(std::string name, ControlKind kind, std::string container, Placement place)
        : name_(std::move(name)), kind_(kind), container_(std::move(container)), place_(place) {}
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const std::string& Name() const { return name_; }
    ControlKind Kind() const { return kind_; }
    const std::string& Container() const { return container_; }
    const Placement& Place() const { return place_; }

    // Bumped on every visible change, so a view repaints only what changed.
    uint64_t Version() const { return version_; }

    // The page of the container tab control the control sits on; -1 when the
    // container is not a tab control.
    int TabPage = -1;

protected:
    void Touch() { ++version_; }

private:
    std::string name_;
    ControlKind kind_;
    std::string container_;

protected:
    Placement place_;

private:
    uint64_t version_ = 1;
};

}  // namespace tw
