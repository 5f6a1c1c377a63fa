#include "gui/colours/colour_panel.h"

#include <QCheckBox>
#include <QLabel>
#include <QScrollArea>
#include <QVBoxLayout>
#include <numeric>

#include "editors/colour_order.h"
#include "editors/program.h"
#include "editors/sheet_colours.h"
#include "gui/colours/colour_outline.h"
#include "gui/colours/swatch_grid.h"
#include "gui/magnifier/view_prefs.h"
#include "gui/window/main_window.h"
#include "gui/window/surface_widget.h"

namespace tw {
namespace {

constexpr int kEngineColours = 256;

QString Q(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

ColourPanel::ColourPanel(Program& program, MainWindow& window)
    : QDockWidget(tr("Colours"), &window), program_(program), window_(window) {
    setObjectName("colourPanel");
    auto* body = new QWidget(this);
    auto* rows = new QVBoxLayout(body);
    rows->setContentsMargins(4, 4, 4, 4);
    count_ = new QLabel(body);
    count_->setObjectName("coloursCount");
    transparent_ = new QLabel(body);
    transparent_->setObjectName("coloursTransparent");
    transparent_->setWordWrap(true);
    similar_ = new QCheckBox(tr("&Similar"), body);
    similar_->setObjectName("coloursSimilar");
    similar_->setToolTip(tr("Put colours that lie close together side by side"));
    grid_ = new SwatchGrid;
    grid_->setObjectName("coloursSwatches");
    auto* scroll = new QScrollArea(body);
    scroll->setWidget(grid_);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    rows->addWidget(count_);
    rows->addWidget(transparent_);
    rows->addWidget(similar_);
    rows->addWidget(scroll, 1);
    setWidget(body);

    connect(similar_, &QCheckBox::toggled, this, [this] { Refresh(); });
    connect(grid_, &SwatchGrid::Hovered, this, [this](int position) { Hover(position); });
    connect(grid_, &SwatchGrid::Clicked, this, [this](int position) { Click(position); });
    connect(grid_, &SwatchGrid::Dropped, this, [this](int from, int to) { Drop(from, to); });
    window.addDockWidget(Qt::RightDockWidgetArea, this);
    hide();  // closed at start: the window keeps its size
}

const Sheet& ColourPanel::FrontSheet() const {
    const Program& program = program_;
    return program.SheetOf(program.FrontPage());
}

void ColourPanel::Open() {
    if (!placed_) {
        placed_ = true;
        const ColoursPlace place = SavedColoursPlace();
        if (place.saved) {
            window_.addDockWidget(static_cast<Qt::DockWidgetArea>(place.area), this);
            setFloating(place.floating);
            if (place.floating)
                setGeometry(place.geometry);
            else
                window_.resizeDocks({this}, {place.size},
                                    place.area & (Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea)
                                        ? Qt::Horizontal
                                        : Qt::Vertical);
        }
    }
    show();
    raise();
}

void ColourPanel::KeepPlace() const {
    ColoursPlace place;
    place.saved = true;
    place.floating = isFloating();
    place.area = window_.dockWidgetArea(const_cast<ColourPanel*>(this));
    place.geometry = geometry();
    place.size = place.area & (Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea) ? width() : height();
    SaveColoursPlace(place);
}

void ColourPanel::showEvent(QShowEvent* e) {
    QDockWidget::showEvent(e);
    shown_ = {};
    Refresh();
}

void ColourPanel::hideEvent(QHideEvent* e) {
    KeepPlace();
    ClearOutline();
    QDockWidget::hideEvent(e);
}

void ColourPanel::Refresh() {
    if (!isVisible()) return;
    const Sheet& sheet = FrontSheet();
    const Shown now{&sheet, sheet.Target().Version(), sheet.Transparent(), similar_->isChecked()};
    if (now == shown_) return;
    shown_ = now;
    ClearOutline();
    const std::vector<Pixel> palette = sheet.Palette();
    std::vector<int> order(palette.size());
    if (now.similar)
        order = SimilarOrder(palette);
    else
        std::iota(order.begin(), order.end(), 0);
    std::vector<Swatch> swatches;
    swatches.reserve(order.size());
    for (int i : order) swatches.push_back({i, palette[i]});
    grid_->SetSwatches(std::move(swatches));

    const int count = static_cast<int>(palette.size());
    if (count > kEngineColours) {
        count_->setText(tr("%1 colours: over the 256 the engine takes").arg(count));
        count_->setStyleSheet("color: #C00000; font-weight: bold");
    } else {
        count_->setText(count == 1 ? tr("1 colour") : tr("%1 colours").arg(count));
        count_->setStyleSheet("");
    }
    transparent_->setText(tr("Index 0 is transparent: %1, %2")
                              .arg(Q(HexColour(now.key.colour)), Q(TransparentOriginWords(sheet))));
}

void ColourPanel::ClearOutline() {
    if (outlined_.empty()) return;
    if (SurfaceWidget* target = window_.Surface(outlined_)) target->SetHighlight(QImage());
    outlined_.clear();
    program_.Status().PointerLeft();
    window_.Status().Refresh();
}

void ColourPanel::Hover(int position) {
    ClearOutline();
    if (position < 0) return;
    const Sheet& sheet = FrontSheet();
    const Swatch s = grid_->Swatches()[position];
    outlined_ = sheet.Info().target.surface;
    if (SurfaceWidget* target = window_.Surface(outlined_))
        target->SetHighlight(ColourOutline(sheet.Pixels(), s.colour));
    program_.Status().PointerOnSwatch(SwatchWords(sheet, s.index, s.colour));
    window_.Status().Refresh();
}

void ColourPanel::Click(int position) {
    if (!program_.PickingTransparent()) return;
    program_.PickTransparentColour(grid_->Swatches()[position].colour);
    window_.AfterEvent();
}

void ColourPanel::Drop(int from, int to) {
    program_.MergeColours(FrontSheet().Info().target.surface, grid_->Swatches()[from].colour,
                          grid_->Swatches()[to].colour);
    window_.AfterEvent();
}

}  // namespace tw
