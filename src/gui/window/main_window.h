#pragma once
// The main window: the model's controls as widgets, its menu and its timers.
// It holds no editing logic: every user action becomes a call of the model,
// after which the widgets whose controls changed are brought up to date.

#include <QMainWindow>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

#include "editors/program.h"
#include "gui/window/qt_clipboard.h"
#include "gui/window/form_builder.h"
#include "gui/window/qt_file_dialog.h"
#include "gui/window/timer_bridge.h"
#include "gui/window/user_actions.h"
#include "gui/window/view_sync.h"
#include "gui/window/window_status.h"

class QAction;
class QMenu;
class QTimer;

namespace tw {

class ClientZoom;
class ColourPanel;
class DrawingAids;
class MagnifierWindow;
class PreviewWindow;

class MainWindow : public QMainWindow, public UserActions {
    Q_OBJECT
public:
    MainWindow(Program& program, QtFileDialog& dialog, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The widget of a model control, or nullptr (timers, outlines, menus).
    QWidget* Widget(std::string_view name) const;
    SurfaceWidget* Surface(std::string_view name) const;
    TabContainer* Tabs(std::string_view name) const;
    QTimer* TimerOf(std::string_view name) const { return timers_->Find(std::string(name)); }
    QAction* MenuAction(std::string_view name) const;
    ClientZoom& Zoom() const { return *zoom_; }
    MagnifierWindow& Magnifier() const { return *magnifier_; }
    PreviewWindow& Previews() const { return *previews_; }
    ColourPanel& Colours() const { return *colours_; }
    WindowStatus& Status() const { return *status_; }
    // What a timer's timeout does: one tick of the model's handler.
    void Tick(const std::string& timer);

    void Click(const std::string& name) override;
    void MouseDown(const std::string& surface, int button, int shift, float x, float y) override;
    void MouseMove(const std::string& surface, int buttons, int shift, float x, float y) override;
    void MouseUp(const std::string& surface, int button, int shift, float x, float y) override;
    QRect DragSpan(const std::string& surface, float x, float y) const override;
    void ScrollBy(const std::string& surface, int columns, int rows) override;
    void ScrollTo(const std::string& surface, int x, int y) override;
    // PgUp / PgDn: the source in front moves by one pane, less what is not
    // a whole cell (pages: -1 up, 1 down).
    void PageSource(int pages);
    void DropFile(const std::string& surface, const std::string& path) override;
    // A drop's load without the refresh after it: many files, one refresh.
    void LoadDropped(const std::string& surface, const std::string& path);
    void TabChanged(const std::string& tabControl, int page) override;

    // After every event: repaint what changed; end when the model unloaded the window.
    void AfterEvent();

signals:
    // The model has handled a user action and the widgets show its outcome.
    void EventHandled();

private:
    void BuildMenu();
    // The menu items held by `container`, an item that holds items as a submenu.
    void AddMenuItems(QMenu* menu, const std::string& container);
    // The menu actions take their items' captions and enabled state.
    void SyncMenu();
    // True when some item of the submenu has a caption.
    bool InUse(const std::string& submenu) const;

    Program& program_;
    QtFileDialog& dialog_;
    ViewSync sync_;
    FormWidgets widgets_;
    std::unique_ptr<TimerBridge> timers_;
    ClientZoom* zoom_;
    MagnifierWindow* magnifier_;
    PreviewWindow* previews_;
    std::unique_ptr<DrawingAids> aids_;
    ColourPanel* colours_;
    WindowStatus* status_ = nullptr;  // owned by the window
    QtClipboard clipboard_;
    std::unordered_map<std::string, QAction*> actions_;  // the menu's, by item name
    std::unordered_map<std::string, QMenu*> submenus_;  // the menu's items that hold items
};

}  // namespace tw
