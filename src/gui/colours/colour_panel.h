#pragma once
// View > Colours: a dock beside the main window with the colours of the
// sheet in front as a save lists them (index 0, the transparent colour,
// first), their count, and a "Similar" toggle that puts near duplicates side
// by side. Resting on a swatch outlines its pixels on the target and names it
// in the status line; a click on it answers Pick Transparent Colour; a drag
// onto another swatch merges the two colours. Closed at start; where it was
// and its size are kept between runs.

#include <QDockWidget>
#include <cstdint>
#include <string>

#include "editors/transparent_key.h"

class QCheckBox;
class QLabel;
class QMainWindow;

namespace tw {

class MainWindow;
class Program;
class Sheet;
class SwatchGrid;

class ColourPanel : public QDockWidget {
    Q_OBJECT
public:
    ColourPanel(Program& program, MainWindow& window);

    // Shows the panel where it was last, or docked on the right the first time.
    void Open();
    // Follows the sheet in front, when shown: after every event.
    void Refresh();
    // Remembers where the panel is, for the next run.
    void KeepPlace() const;

    SwatchGrid& Grid() const { return *grid_; }
    QCheckBox& SimilarBox() const { return *similar_; }
    QLabel& CountLabel() const { return *count_; }
    QLabel& TransparentLabel() const { return *transparent_; }

protected:
    void showEvent(QShowEvent*) override;
    void hideEvent(QHideEvent*) override;

private:
    const Sheet& FrontSheet() const;
    // The swatch at `position` hovered (-1: none): its pixels outlined on the
    // target, its words in the status line.
    void Hover(int position);
    void ClearOutline();
    void Click(int position);
    void Drop(int from, int to);

    Program& program_;
    MainWindow& window_;
    SwatchGrid* grid_;
    QCheckBox* similar_;
    QLabel* count_;
    QLabel* transparent_;
    // What the swatches show now, so that an event that changed nothing
    // redraws nothing.
    struct Shown {
        const void* sheet = nullptr;
        uint64_t version = 0;
        TransparentKey key;
        bool similar = false;
        bool operator==(const Shown&) const = default;
    } shown_;
    std::string outlined_;  // the target surface that shows an outline
    bool placed_ = false;
};

}  // namespace tw
