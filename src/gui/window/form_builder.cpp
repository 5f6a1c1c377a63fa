#include "gui/window/form_builder.h"

#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <cmath>
#include <vector>

#include "gui/window/drop_loads.h"
#include "gui/window/image_view_widget.h"
#include "gui/window/raster_image.h"
#include "platform/controls.h"
#include "platform/surface.h"

namespace tw {

QRect PixelRect(const Placement& p) {
    const auto px = [](double v) { return static_cast<int>(std::lround(v)); };
    return QRect(px(p.left), px(p.top), px(p.width), px(p.height));
}

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

class Builder {
public:
    Builder(const frmMain& form, QWidget* client, UserActions& actions, ViewSync& sync,
            FormWidgets& out)
        : form_(form), client_(client), actions_(actions), sync_(sync), out_(out) {}

    void Build() {
        for (const auto& c : form_.Controls()) Add(*c);
        WatchOutlines();
    }

private:
    QWidget* ParentOf(const Control& c) const {
        if (c.Container() == "frmMain") return client_;
        if (auto t = out_.tabs.find(c.Container()); t != out_.tabs.end())
            return t->second->Page(c.TabPage);
        if (auto w = out_.byName.find(c.Container()); w != out_.byName.end()) return w->second;
        return nullptr;
    }

    void Place(QWidget* w, const Control& c) {
        w->setObjectName(Q(c.Name()));
        w->setGeometry(PixelRect(c.Place()));
        out_.byName[c.Name()] = w;
    }

    void Add(const Control& c) {
        QWidget* parent = ParentOf(c);
        switch (c.Kind()) {
            case ControlKind::TabControl:
                AddTabs(static_cast<const TabControl&>(c), parent);
                break;
            case ControlKind::PictureBox:
                AddSurface(static_cast<const Surface&>(c), parent);
                break;
            case ControlKind::Image:
                AddImage(static_cast<const ImageView&>(c), parent);
                break;
            case ControlKind::Frame:
                AddFrame(static_cast<const Frame&>(c), parent);
                break;
            case ControlKind::Button:
                AddButton(static_cast<const Button&>(c), parent);
                break;
            case ControlKind::OptionButton:
                AddOption(static_cast<const OptionButton&>(c), parent);
                break;
            case ControlKind::Label:
                AddLabel(static_cast<const Label&>(c), parent);
                break;
            case ControlKind::Shape:
                outlines_.push_back(static_cast<const Outline*>(&c));
                break;
            // Timers, the file dialog and the menu have no place on a page.
            case ControlKind::Timer:
            case ControlKind::CommonDialog:
            case ControlKind::MenuItem:
                break;
        }
    }

    void AddTabs(const TabControl& t, QWidget* parent) {
        QStringList captions;
        for (const auto& c : t.Captions()) captions << Q(c);
        const QRect r = PixelRect(t.Place());
        auto* tabs = new TabContainer(captions, r.size(), parent);
        Place(tabs, t);
        out_.tabs[t.Name()] = tabs;
        const std::string name = t.Name();
        QObject::connect(tabs, &TabContainer::CurrentChanged, tabs,
                         [a = &actions_, name](int page) { a->TabChanged(name, page); });
        sync_.Watch(t, [tabs, &t] {
            if (tabs->Current() != t.Tab()) tabs->SetCurrent(t.Tab());
        });
    }

    void AddSurface(const Surface& s, QWidget* parent) {
        if (s.Border() != BorderStyle::Flat1) {
            // A buffer: it only serves the editing; its image view shows it.
            auto* hidden = new QWidget(parent);
            Place(hidden, s);
            hidden->hide();
            sync_.Watch(s, [hidden, &s] { hidden->setGeometry(PixelRect(s.Place())); });
            return;
        }
        auto* w = new SurfaceWidget(s.BorderPixels(), parent);
        Place(w, s);
        out_.surfaces[s.Name()] = w;
        const std::string name = s.Name();
        w->OnMouseDown([a = &actions_, name](int b, int sh, float x, float y) {
            a->MouseDown(name, b, sh, x, y);
        });
        w->OnMouseUp([a = &actions_, name](int b, int sh, float x, float y) {
            a->MouseUp(name, b, sh, x, y);
        });
        w->OnMouseMove([a = &actions_, name](int b, int sh, float x, float y) {
            a->MouseMove(name, b, sh, x, y);
        });
        w->OnDragSpan([a = &actions_, name](float x, float y) { return a->DragSpan(name, x, y); });
        if (LoadButtonForDrop(name))
            w->OnDropFile([a = &actions_, name](const QString& path) {
                a->DropFile(name, QFile::encodeName(path).toStdString());
            });
        const auto* source = dynamic_cast<const SourceCanvas*>(&s);
        if (!source) {
            sync_.Watch(s, [w, &s] { w->SetImage(s.View()); });
            return;
        }
        w->OnScrollBy([a = &actions_, name](int columns, int rows) { a->ScrollBy(name, columns, rows); });
        w->OnScrollTo([a = &actions_, name](int x, int y) { a->ScrollTo(name, x, y); });
        sync_.Watch(s, [w, source] {
            w->SetScrollState(QPoint(source->OriginX(), source->OriginY()),
                              QSize(source->KeptWidth(), source->KeptHeight()));
            w->SetImage(source->View());
        });
    }

    void AddImage(const ImageView& v, QWidget* parent) {
        auto* w = new ImageViewWidget(true, parent);
        Place(w, v);
        if (!v.ToolTip.empty()) w->setToolTip(Q(v.ToolTip));
        sync_.Watch(v, [w, &v] { w->SetPicture(v.GetPicture()); });
    }

    void AddFrame(const Frame& f, QWidget* parent) {
        Place(new QGroupBox(Q(f.Caption()), parent), f);
    }

    void AddButton(const Button& b, QWidget* parent) {
        auto* w = new QPushButton(Q(b.Caption()), parent);
        Place(w, b);
        const std::string name = b.Name();
        QObject::connect(w, &QPushButton::clicked, w, [a = &actions_, name] { a->Click(name); });
        sync_.Watch(b, [w, &b] {
            w->setEnabled(b.Enabled());
            QFont font = w->font();
            font.setBold(b.FontBold());
            w->setFont(font);
        });
    }

    void AddOption(const OptionButton& o, QWidget* parent) {
        auto* w = new QRadioButton(Q(o.Caption()), parent);
        Place(w, o);
        // The model decides which of a pair is selected, not Qt's grouping.
        w->setAutoExclusive(false);
        const std::string name = o.Name();
        QObject::connect(w, &QRadioButton::clicked, w, [a = &actions_, name] { a->Click(name); });
        sync_.WatchAlways([w, &o] {
            if (w->isChecked() != o.Value()) w->setChecked(o.Value());
        });
    }

    void AddLabel(const Label& l, QWidget* parent) {
        auto* w = new QLabel(Q(l.Caption), parent);
        Place(w, l);
        if (!l.ToolTip.empty()) w->setToolTip(Q(l.ToolTip));
        w->setAutoFillBackground(!l.Transparent);
        sync_.Watch(l, [w, &l] {
            QPalette p = w->palette();
            p.setColor(QPalette::Window, FromWindowsColor(l.BackColor()));
            w->setPalette(p);
        });
    }

    // Each surface draws the outlines that the model puts on it. A source's
    // outline sits on its picture, so it moves with the view.
    void WatchOutlines() {
        std::unordered_map<std::string, std::vector<const Outline*>> bySurface;
        for (const Outline* o : outlines_) bySurface[o->Container()].push_back(o);
        for (auto& [surface, list] : bySurface) {
            auto it = out_.surfaces.find(surface);
            if (it == out_.surfaces.end()) continue;
            SurfaceWidget* w = it->second;
            const auto* source = dynamic_cast<const SourceCanvas*>(form_.Find(surface));
            const auto apply = [w, list, source] {
                const QPoint origin = source ? QPoint(source->OriginX(), source->OriginY()) : QPoint();
                std::vector<QRect> rects;
                for (const Outline* o : list)
                    rects.emplace_back(o->Left() - origin.x(), o->Top() - origin.y(), o->Width(),
                                       o->Height());
                w->SetOutlines(std::move(rects));
            };
            for (const Outline* o : list) sync_.Watch(*o, apply);
            if (source) sync_.Watch(*source, apply);
        }
    }

    const frmMain& form_;
    QWidget* client_;
    UserActions& actions_;
    ViewSync& sync_;
    FormWidgets& out_;
    std::vector<const Outline*> outlines_;
};

}  // namespace

FormWidgets BuildForm(const frmMain& form, QWidget* client, UserActions& actions, ViewSync& sync) {
    FormWidgets out;
    Builder(form, client, actions, sync, out).Build();
    return out;
}

}  // namespace tw
