#include "gui/window/main_window.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QInputDialog>
#include <QKeySequence>
#include <QLayout>
#include <QMenuBar>
#include <QScreen>
#include <cmath>

#include "gui/colours/colour_panel.h"
#include "gui/magnifier/client_zoom.h"
#include "gui/magnifier/magnifier_window.h"
#include "gui/magnifier/view_menu.h"
#include "gui/window/drop_loads.h"
#include "gui/window/page_shortcuts.h"
#include "gui/window/program_icon.h"
#include "gui/preview/preview_window.h"
#include "gui/window/drawing_aids.h"
#include "platform/controls.h"

namespace tw {

MainWindow::MainWindow(Program& program, QtFileDialog& dialog, QWidget* parent)
    : QMainWindow(parent), program_(program), dialog_(dialog) {
    setWindowTitle(frmMain::kCaption);
    setWindowIcon(ProgramIcon());
    dialog_.SetOwner(this);

    auto* client = new QWidget(this);
    client->setFixedSize(frmMain::kClientWidth, frmMain::kClientHeight);
    setCentralWidget(client);
    widgets_ = BuildForm(program_.Form(), client, *this, sync_);
    timers_ = std::make_unique<TimerBridge>(program_.Form(), this, sync_,
                                            [this](const std::string& name) { Tick(name); });
    BuildMenu();
    // Edit > Reduce Colours... asks for the number in a spin box.
    program_.AskColourCount([this]() -> std::optional<int> {
        bool ok = false;
        const int n = QInputDialog::getInt(
            this, "Reduce Colours", "Colours the sheet keeps (2 to 256):", 256, 2, 256, 1, &ok);
        return ok ? std::optional<int>(n) : std::nullopt;
    });
    AddPageShortcuts(*this, program_);
    program_.UseClipboard(&clipboard_);
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, [this] {
        clipboard_.Changed();
        program_.ClipboardChanged();
        SyncMenu();
    });
    zoom_ = new ClientZoom(*this, client);
    magnifier_ = new MagnifierWindow(program_.Form(), this);
    previews_ = new PreviewWindow(program_, this);
    // Closing the enlarged previews is choosing 1x.
    connect(previews_, &PreviewWindow::Closed, this, [this] {
        if (program_.PreviewSize() != 1) Click("mnuPreviewOne");
    });
    aids_ = std::make_unique<DrawingAids>(program_, widgets_);
    colours_ = new ColourPanel(program_, *this);
    // Below the client area: the window grows by its height, nothing moves.
    status_ = new WindowStatus(*this, program_.Status(), widgets_);
    AddViewMenu(menuBar(), *zoom_, *magnifier_, *aids_, *colours_, status_->Bar());

    // Nothing on the window moves with its size: the size is fixed.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    adjustSize();
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

MainWindow::~MainWindow() {
    // The panel reaches the window's widgets while it goes: before they go.
    if (colours_->isVisible()) colours_->KeepPlace();
    delete colours_;
    program_.AskColourCount(nullptr);
    dialog_.SetOwner(nullptr);
    program_.UseClipboard(nullptr);
}

void MainWindow::AddMenuItems(QMenu* menu, const std::string& container) {
    const frmMain& form = program_.Form();
    const auto hasItems = [&form](const std::string& name) {
        for (const auto& c : form.Controls())
            if (c->Kind() == ControlKind::MenuItem && c->Container() == name) return true;
        return false;
    };
    for (const auto& item : form.Controls()) {
        if (item->Kind() != ControlKind::MenuItem || item->Container() != container) continue;
        const auto& m = static_cast<const MenuItem&>(*item);
        const QString caption = QString::fromStdString(m.Caption());
        QAction* action = nullptr;
        if (m.IsSeparator()) {
            action = menu->addSeparator();
        } else if (hasItems(m.Name())) {  // a submenu of the items it holds
            QMenu* sub = menu->addMenu(caption);
            sub->setObjectName(QString::fromStdString(m.Name()));
            submenus_[m.Name()] = sub;
            AddMenuItems(sub, m.Name());
            action = sub->menuAction();
            // While none of its items is in use it is an item itself (Edit >
            // Recover Unsaved Sheets with one sheet waiting).
            connect(action, &QAction::triggered, this, [this, name = m.Name()] { Click(name); });
        } else {
            action = menu->addAction(caption);
            connect(action, &QAction::triggered, this, [this, name = m.Name()] { Click(name); });
        }
        action->setObjectName(QString::fromStdString(m.Name()));
        actions_[m.Name()] = action;
    }
}

void MainWindow::BuildMenu() {
    const frmMain& form = program_.Form();
    for (const auto& c : form.Controls()) {
        if (c->Kind() != ControlKind::MenuItem || c->Container() != "frmMain") continue;
        QMenu* menu =
            menuBar()->addMenu(QString::fromStdString(static_cast<const MenuItem&>(*c).Caption()));
        menu->setObjectName(QString::fromStdString(c->Name()));
        AddMenuItems(menu, c->Name());
    }
    // Each key has one owner: Qt fires neither of two shortcuts on one key.
    const std::pair<const char*, QKeySequence> keys[] = {
        {"mnuOpenSource", QKeySequence(Qt::CTRL | Qt::Key_O)},
        {"mnuOpenTarget", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O)},
        {"mnuSave", QKeySequence(Qt::CTRL | Qt::Key_S)},
        {"mnuSaveAs", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)},
        {"mnuUndo", QKeySequence::Undo},
        {"mnuStepZForward", QKeySequence(Qt::Key_Period)},
        {"mnuStepZBack", QKeySequence(Qt::Key_Comma)},
        {"mnuStepQForward", QKeySequence(Qt::SHIFT | Qt::Key_Period)},
        {"mnuStepQBack", QKeySequence(Qt::SHIFT | Qt::Key_Comma)},
        {"mnuOnionSkin", QKeySequence(Qt::Key_O)},
    };
    for (const auto& [name, key] : keys)
        if (QAction* action = MenuAction(name)) action->setShortcut(key);
    if (QAction* redo = MenuAction("mnuRedo"))
        redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y),
                            QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    SyncMenu();
}

void MainWindow::SyncMenu() {
    for (const auto& c : program_.Form().Controls()) {
        if (c->Kind() != ControlKind::MenuItem) continue;
        const auto& m = static_cast<const MenuItem&>(*c);
        if (m.IsSeparator() || m.Container() == "frmMain") continue;
        QAction* action = MenuAction(m.Name());
        if (!action) continue;
        const QString caption = QString::fromStdString(m.Caption());
        if (action->text() != caption) action->setText(caption);
        if (action->isEnabled() != m.Enabled()) action->setEnabled(m.Enabled());
        if (m.Checkable()) {
            if (!action->isCheckable()) action->setCheckable(true);
            if (action->isChecked() != m.Checked()) action->setChecked(m.Checked());
        }
        // An item without a caption is not in use (Recent Files' spare ones).
        if (action->isVisible() != !caption.isEmpty()) action->setVisible(!caption.isEmpty());
        // This runs after every event: the submenus are kept by name, not searched for.
        if (const auto it = submenus_.find(m.Name()); it != submenus_.end()) {
            QMenu* sub = it->second;
            QMenu* shown = InUse(m.Name()) ? sub : nullptr;
            if (action->menu() != shown) action->setMenu(shown);
        }
    }
}

bool MainWindow::InUse(const std::string& submenu) const {
    for (const auto& c : program_.Form().Controls())
        if (c->Kind() == ControlKind::MenuItem && c->Container() == submenu &&
            !static_cast<const MenuItem&>(*c).Caption().empty())
            return true;
    return false;
}

QWidget* MainWindow::Widget(std::string_view name) const {
    auto it = widgets_.byName.find(std::string(name));
    return it == widgets_.byName.end() ? nullptr : it->second;
}

SurfaceWidget* MainWindow::Surface(std::string_view name) const {
    auto it = widgets_.surfaces.find(std::string(name));
    return it == widgets_.surfaces.end() ? nullptr : it->second;
}

TabContainer* MainWindow::Tabs(std::string_view name) const {
    auto it = widgets_.tabs.find(std::string(name));
    return it == widgets_.tabs.end() ? nullptr : it->second;
}

QAction* MainWindow::MenuAction(std::string_view name) const {
    // The model's items are looked up after every event: a search of the
    // widget tree for each would cost more than the event itself.
    if (const auto it = actions_.find(std::string(name)); it != actions_.end()) return it->second;
    // The View menu's items are the window's own, not the model's.
    return findChild<QAction*>(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
}

void MainWindow::AfterEvent() {
    sync_.Run();
    timers_->SetSpeed(program_.AnimationSpeed());
    magnifier_->Refresh();
    previews_->Refresh();
    aids_->Refresh();
    colours_->Refresh();
    status_->Refresh();
    if (const QString title = QString::fromStdString(program_.Title()); windowTitle() != title)
        setWindowTitle(title);
    SyncMenu();
    emit EventHandled();
    if (program_.Form().Unloaded) close();
}

void MainWindow::Click(const std::string& name) {
    program_.Click(name);
    AfterEvent();
}

void MainWindow::MouseDown(const std::string& surface, int button, int shift, float x, float y) {
    magnifier_->PointerAt(surface, QPoint(std::floor(x), std::floor(y)));
    program_.MouseDown(surface, button, shift, x, y);
    AfterEvent();
}

void MainWindow::MouseMove(const std::string& surface, int buttons, int shift, float x, float y) {
    magnifier_->PointerAt(surface, QPoint(std::floor(x), std::floor(y)));
    program_.MouseMove(surface, buttons, shift, x, y);
    AfterEvent();
}

void MainWindow::MouseUp(const std::string& surface, int button, int shift, float x, float y) {
    program_.MouseUp(surface, button, shift, x, y);
    AfterEvent();
}

QRect MainWindow::DragSpan(const std::string& surface, float x, float y) const {
    const std::optional<CellBlock> b = program_.DragSpan(surface, x, y);
    if (!b) return QRect();
    // The block is on the picture; the widget draws in its client area.
    const QPoint origin = Surface(surface) ? Surface(surface)->Origin() : QPoint();
    return QRect(b->x - origin.x(), b->y - origin.y(), b->w, b->h);
}

void MainWindow::ScrollBy(const std::string& surface, int columns, int rows) {
    const std::optional<Size> step = program_.ScrollStep(surface);
    const auto* source = dynamic_cast<const SourceCanvas*>(program_.Form().Find(surface));
    if (!step || !source) return;
    ScrollTo(surface, source->OriginX() + columns * step->w, source->OriginY() + rows * step->h);
}

void MainWindow::ScrollTo(const std::string& surface, int x, int y) {
    program_.Scroll(surface, x, y);
    AfterEvent();
}

void MainWindow::PageSource(int pages) {
    const char* name = program_.FrontPage().source.surface;
    const std::optional<Size> step = program_.ScrollStep(name);
    const auto* source = dynamic_cast<const SourceCanvas*>(program_.Form().Find(name));
    SurfaceWidget* widget = Surface(name);
    if (!step || !source || !widget || !widget->isVisible()) return;
    ScrollBy(name, 0, pages * std::max(1, source->ClientHeight() / step->h));
}

void MainWindow::Tick(const std::string& timer) {
    program_.Tick(timer);
    AfterEvent();
}

void MainWindow::DropFile(const std::string& surface, const std::string& path) {
    LoadDropped(surface, path);
    AfterEvent();
}

void MainWindow::LoadDropped(const std::string& surface, const std::string& path) {
    const char* button = LoadButtonForDrop(surface);
    if (!button) return;
    // The drop is the load button with the file as the dialog's answer.
    dialog_.ClearQueue();
    dialog_.QueueFile(path);
    program_.Click(button);
    dialog_.ClearQueue();
}

void MainWindow::TabChanged(const std::string& tabControl, int page) {
    program_.SelectTab(tabControl, page);
    magnifier_->PointerGone();
    AfterEvent();
}

}  // namespace tw
