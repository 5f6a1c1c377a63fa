#include "gui/window/page_shortcuts.h"

#include <QAction>
#include <QKeySequence>
#include <QShortcut>
#include <functional>

#include "editors/page_table.h"
#include "editors/program.h"
#include "gui/window/main_window.h"
#include "gui/window/tab_container.h"

namespace tw {
namespace {

void OnKeys(MainWindow& window, const QKeySequence& keys, std::function<void()> f) {
    auto* s = new QShortcut(keys, &window);
    s->setContext(Qt::WindowShortcut);
    QObject::connect(s, &QShortcut::activated, &window, std::move(f));
}

// The button's tooltip ends with its key.
void NameKey(MainWindow& window, const char* button, const QKeySequence& keys) {
    QWidget* w = button ? window.Widget(button) : nullptr;
    if (!w) return;
    const QString key = keys.toString(QKeySequence::NativeText);
    w->setToolTip(w->toolTip().isEmpty() ? key : w->toolTip() + " (" + key + ")");
}

// Brings page `index` of Tab1 (wrapping round) to the front, as a click on its tab.
void ShowPage(MainWindow& window, int index) {
    TabContainer* tabs = window.Tabs("Tab1");
    if (!tabs || tabs->Count() == 0) return;
    tabs->SetCurrent(((index % tabs->Count()) + tabs->Count()) % tabs->Count());
}

// Ctrl+Tab: on a page with two sides on Tab2 it first goes from the source
// side to the target side (backwards the other way), then to the next page.
void Step(MainWindow& window, Program& program, int by) {
    const PageInfo& page = program.FrontPage();
    TabContainer* sides = window.Tabs("Tab2");
    if (sides && page.sourceTab >= 0 && page.targetTab >= 0) {
        const int from = by > 0 ? page.sourceTab : page.targetTab;
        if (sides->Current() == from) return sides->SetCurrent(by > 0 ? page.targetTab : page.sourceTab);
    }
    ShowPage(window, window.Tabs("Tab1")->Current() + by);
}

}  // namespace

void AddPageShortcuts(MainWindow& window, Program& program) {
    struct FileKey {
        QKeySequence keys;
        const char* PageInfo::*button = nullptr;
        const char* PageSide::*sideButton = nullptr;
        bool target = false;
        bool menuOwnsKey = false;
    };
    // The load and save keys belong to the File menu's items, which click
    // these buttons; the buttons' tooltips name them all the same.
    const FileKey fileKeys[] = {
        {QKeySequence(Qt::CTRL | Qt::Key_O), nullptr, &PageSide::loadButton, false, true},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O), nullptr, &PageSide::loadButton, true, true},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), &PageInfo::saveButton, nullptr, false, true},
        {QKeySequence(Qt::CTRL | Qt::Key_N), &PageInfo::newButton},
    };
    for (const FileKey& k : fileKeys) {
        const auto buttonOf = [k](const PageInfo& p) {
            return k.button ? p.*(k.button) : (k.target ? p.target : p.source).*(k.sideButton);
        };
        for (const PageInfo& p : Pages()) NameKey(window, buttonOf(p), k.keys);
        if (k.menuOwnsKey) continue;
        OnKeys(window, k.keys, [&window, &program, buttonOf] {
            if (const char* b = buttonOf(program.FrontPage())) window.Click(b);
        });
    }

    OnKeys(window, QKeySequence(Qt::CTRL | Qt::Key_Tab), [&window, &program] { Step(window, program, 1); });
    // Qt finds Ctrl+Shift+Tab for the keyboard's Ctrl+Backtab too.
    OnKeys(window, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab),
           [&window, &program] { Step(window, program, -1); });
    OnKeys(window, QKeySequence(Qt::CTRL | Qt::Key_PageDown),
           [&window] { ShowPage(window, window.Tabs("Tab1")->Current() + 1); });
    OnKeys(window, QKeySequence(Qt::CTRL | Qt::Key_PageUp),
           [&window] { ShowPage(window, window.Tabs("Tab1")->Current() - 1); });
    // The source in front, a pane at a time.
    OnKeys(window, QKeySequence(Qt::Key_PageDown), [&window] { window.PageSource(1); });
    OnKeys(window, QKeySequence(Qt::Key_PageUp), [&window] { window.PageSource(-1); });
    for (int i = 0; i < static_cast<int>(Pages().size()); ++i)
        OnKeys(window, QKeySequence(Qt::ALT | (Qt::Key_1 + i)), [&window, i] { ShowPage(window, i); });

    const std::pair<const char*, QKeySequence> itemKeys[] = {
        {"mnuFlipH", QKeySequence(Qt::Key_H)},
        {"mnuFlipV", QKeySequence(Qt::Key_V)},
        {"mnuCopy", QKeySequence::Copy},
        {"mnuPaste", QKeySequence::Paste},
    };
    for (const auto& [item, keys] : itemKeys)
        if (QAction* a = window.MenuAction(item)) a->setShortcut(keys);
}

}  // namespace tw
