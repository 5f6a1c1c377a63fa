#include "gui/window/window_status.h"

#include <QEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QMainWindow>
#include <QStatusBar>
#include <QTabBar>
#include <algorithm>
#include <utility>

#include "editors/surface_hint.h"
#include "gui/window/surface_widget.h"
#include "gui/window/tab_container.h"

namespace tw {
namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

// A one-line label that never asks for more width than the window has: a long
// text is shortened with an ellipsis instead of widening the window.
QLabel* Line(QWidget* parent) {
    auto* l = new QLabel(parent);
    l->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    l->setTextFormat(Qt::PlainText);
    return l;
}

// Shortening a text measures it glyph by glyph: `shown` keeps the text and
// width last shortened, so a line whose text did not change costs nothing.
void SetElided(QLabel* label, const QString& text, std::pair<QString, int>& shown) {
    const int width = label->width() > 0 ? label->width() : label->parentWidget()->width();
    if (shown.first == text && shown.second == width) return;
    shown = {text, width};
    label->setText(label->fontMetrics().elidedText(text, Qt::ElideRight, width));
}

}  // namespace

WindowStatus::WindowStatus(QMainWindow& window, StatusLine& status, const FormWidgets& widgets)
    : QObject(&window), status_(status) {
    bar_ = new QStatusBar(&window);
    bar_->setObjectName("StatusBar");
    bar_->setSizeGripEnabled(false);
    // Two fixed lines, so the window's height never changes with the text.
    // The lines are placed by hand and each has a fixed size: a new text then
    // repaints its line only, where a layout would lay out the whole window
    // again at every pointer move.
    box_ = new QWidget(bar_);
    message_ = Line(box_);
    where_ = Line(box_);
    lineHeight_ = message_->sizeHint().height();
    box_->setFixedHeight(2 * lineHeight_);
    box_->installEventFilter(this);
    bar_->addWidget(box_, 1);
    window.setStatusBar(bar_);

    for (const auto& [name, widget] : widgets.surfaces) {
        const std::optional<PageRef> ref = PageOfSurface(name);
        if (!ref) continue;
        widget->setToolTip(Q(SurfaceHint(*ref)));
        widget->installEventFilter(this);
    }
    for (const auto& [name, tabs] : widgets.tabs) {
        QTabBar* bar = tabs->TabBar();
        for (int i = 0; i < bar->count(); ++i) {
            const std::string hint = TabHint(bar->tabText(i).toStdString());
            if (!hint.empty()) bar->setTabToolTip(i, Q(hint));
        }
    }
    Refresh();
}

void WindowStatus::PlaceLines() {
    // Two pixels of room at either end, the lines one under the other.
    const int width = std::max(0, box_->width() - 4);
    message_->setGeometry(2, 0, width, lineHeight_);
    message_->setFixedSize(width, lineHeight_);
    where_->setGeometry(2, lineHeight_, width, lineHeight_);
    where_->setFixedSize(width, lineHeight_);
}

bool WindowStatus::eventFilter(QObject* watched, QEvent* event) {
    if (watched == box_) {
        if (event->type() == QEvent::Resize) PlaceLines();
        return QObject::eventFilter(watched, event);
    }
    if (event->type() == QEvent::Leave) {
        status_.PointerLeft();
        Refresh();
    }
    return QObject::eventFilter(watched, event);
}

void WindowStatus::Refresh() {
    const QString message = Q(status_.OutcomeText());
    std::string where = status_.PointerPart();
    if (!where.empty()) where += "  |  ";
    where += status_.SheetPart();
    text_ = message + '\n' + Q(where);
    SetElided(message_, message, shownMessage_);
    SetElided(where_, Q(where), shownWhere_);
    bar_->setToolTip(text_);
}

}  // namespace tw
