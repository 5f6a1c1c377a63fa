#pragma once
// What the user does to the main window's controls, by the model's names. The
// widgets report here; the window turns each report into a call of the model.

#include <QRect>
#include <string>

namespace tw {

class UserActions {
public:
    virtual ~UserActions() = default;
    // A click on a button, option button or menu item.
    virtual void Click(const std::string& name) = 0;
    // Mouse events of a surface: button code 1/2/4 (for a move, the mask of
    // held buttons), shift mask (Shift 1, Ctrl 2, Alt 4), client-area pixels.
    virtual void MouseDown(const std::string& surface, int button, int shift, float x, float y) = 0;
    virtual void MouseMove(const std::string& surface, int buttons, int shift, float x,
                           float y) = 0;
    // A button released over a surface (the one pressed there).
    virtual void MouseUp(const std::string& surface, int button, int shift, float x, float y) = 0;
    // While a Shift + left drag that picks a block goes on over `surface`:
    // the block of cells a release at (x, y) would pick, in client pixels;
    // otherwise an empty rectangle.
    virtual QRect DragSpan(const std::string& surface, float x, float y) const = 0;
    // The wheel, a key or a held drag moves a source's view by whole cells
    // (columns across, rows down); its scroll bar moves it to (x, y) of the
    // picture, rounded down to whole cells.
    virtual void ScrollBy(const std::string& surface, int columns, int rows) = 0;
    virtual void ScrollTo(const std::string& surface, int x, int y) = 0;
    // A local file dropped on a surface.
    virtual void DropFile(const std::string& surface, const std::string& path) = 0;
    // The user brought another page of a tab control to the front.
    virtual void TabChanged(const std::string& tabControl, int page) = 0;
};

}  // namespace tw
