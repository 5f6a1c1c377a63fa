#pragma once
// The window's status bar under the client area and the tooltips that explain
// the surfaces and the German tab captions. The words come from the model's
// status line; this only shows them and reports when the pointer leaves a
// surface.

#include <QObject>
#include <QString>
#include <utility>

#include "editors/status_line.h"
#include "gui/window/form_builder.h"

class QLabel;
class QMainWindow;
class QStatusBar;
class QWidget;

namespace tw {

class WindowStatus : public QObject {
    Q_OBJECT
public:
    WindowStatus(QMainWindow& window, StatusLine& status, const FormWidgets& widgets);

    // Shows the status line as it is now; called after every event.
    void Refresh();
    QStatusBar* Bar() const { return bar_; }
    // The text shown, both lines, unshortened.
    QString Text() const { return text_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Gives both lines the box's width, less the room at the ends.
    void PlaceLines();

    StatusLine& status_;
    QStatusBar* bar_;
    QWidget* box_;
    int lineHeight_ = 0;
    QLabel* message_;  // the outcome and the unsaved changes
    QLabel* where_;    // the pointer and the sheet in front
    QString text_;
    // Each line's text and width as last shortened.
    std::pair<QString, int> shownMessage_, shownWhere_;
};

}  // namespace tw
