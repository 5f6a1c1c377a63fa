#pragma once
// Shows the window's client area at a whole zoom factor. At 1x the client is
// the window's central widget, exactly as without zoom. Above 1x it moves into
// a graphics view that scales it: every control, caption and surface grows
// together, sheet pixels become exact squares, and the surfaces still receive
// positions that they floor to whole sheet pixels. The menu bar stays outside
// the view, so menus and dialogs keep their normal size.

#include <QObject>
#include <QSize>
#include <QString>

class QGraphicsProxyWidget;
class QGraphicsView;
class QMainWindow;
class QWidget;

namespace tw {

class ClientZoom : public QObject {
    Q_OBJECT
public:
    static constexpr int kMaxFactor = 4;

    ClientZoom(QMainWindow& window, QWidget* client);
    ~ClientZoom() override;

    int Factor() const { return factor_; }
    // The largest factor whose window fits the screen's available area (at least 1).
    int FitFactor() const;
    // The available screen area the window needs at `factor`.
    QSize ScreenNeeded(int factor) const;
    // Why Zoom In cannot go on from the factor shown ("2x needs a screen of
    // 1378 x 1252; F2 opens the magnifier"); empty while it can, or at the
    // largest factor.
    QString ZoomInLimit() const;
    // Sets the factor, limited to 1..FitFactor(); returns the factor set.
    int SetFactor(int factor);
    // The client area, at 1x size and in its own coordinates at every factor.
    QWidget* Client() const { return client_; }
    // The graphics view while zoomed, else nullptr.
    QGraphicsView* View() const { return view_; }

signals:
    void FactorChanged(int factor);

private:
    void Embed();
    void Unembed();
    void KeepOnScreen();

    QMainWindow& window_;
    QWidget* client_;
    QGraphicsView* view_ = nullptr;
    QGraphicsProxyWidget* proxy_ = nullptr;
    int factor_ = 1;
};

}  // namespace tw
