#include "support/gui_session.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <vector>

#include "platform/controls.h"

namespace tw::test {

GuiSession::GuiSession() {
    dialog.SetInteractive(false);
    program = std::make_unique<Program>(dialog, about);
    program->Load();
    window = std::make_unique<MainWindow>(*program, dialog);
    about.SetOwner(window.get());
    window->show();
    (void)QTest::qWaitForWindowExposed(window.get());
}

GuiSession::~GuiSession() = default;

void GuiSession::ShowPageOf(const std::string& name) {
    // The chain of (tab control, page) from the control outwards.
    std::vector<std::pair<std::string, int>> chain;
    for (const Control* c = Form().Find(name); c;) {
        const Control* container = Form().Find(c->Container());
        if (container && container->Kind() == ControlKind::TabControl)
            chain.emplace_back(container->Name(), c->TabPage);
        c = container;
    }
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        QTabBar* bar = window->Tabs(it->first)->TabBar();
        QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->tabRect(it->second).center());
    }
}

void GuiSession::Click(const std::string& name) {
    ShowPageOf(name);
    QWidget* w = window->Widget(name);
    // An option button takes clicks on its round indicator.
    const QPoint at = Form().Find(name)->Kind() == ControlKind::OptionButton
                          ? QPoint(7, w->height() / 2)
                          : w->rect().center();
    QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, at);
}

void GuiSession::Press(const std::string& surface, Qt::MouseButton b, int x, int y,
                       Qt::KeyboardModifiers mods) {
    ShowPageOf(surface);
    QTest::mousePress(window->Surface(surface), b, mods, QPoint(x + 1, y + 1));
}

void GuiSession::Release(const std::string& surface, Qt::MouseButton b, int x, int y) {
    QTest::mouseRelease(window->Surface(surface), b, Qt::NoModifier, QPoint(x + 1, y + 1));
}

void GuiSession::Move(const std::string& surface, int x, int y, Qt::MouseButtons held) {
    // Sent straight to the widget: without a button held, QTest would only move the cursor.
    QWidget* w = window->Surface(surface);
    const QPointF at(x + 1, y + 1);
    QMouseEvent e(QEvent::MouseMove, at, w->mapToGlobal(at), Qt::NoButton, held, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

QImage GuiSession::ViewImage(const std::string& name) const {
    auto* view = window->findChild<ImageViewWidget*>(QString::fromStdString(name));
    return view ? view->Image() : QImage();
}

bool GuiSession::Timeout(const std::string& timer) {
    QTimer* t = window->TimerOf(timer);
    if (!t || !t->isActive()) return false;
    return QMetaObject::invokeMethod(t, "timeout");
}

QImage Pattern(int w, int h, int seed) { return ToImage(NoisePicture(w, h, uint32_t(seed))); }

std::string WritePattern(const QTemporaryDir& dir, const std::string& name, int w, int h,
                         int seed) {
    const QString path = dir.filePath(QString::fromStdString(name));
    Pattern(w, h, seed).save(path, "PNG");
    return path.toStdString();
}

}  // namespace tw::test
