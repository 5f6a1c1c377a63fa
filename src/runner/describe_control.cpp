#include "runner/describe_control.h"

#include <cstdio>
#include <sstream>

#include "platform/controls.h"
#include "platform/source_canvas.h"
#include "platform/surface.h"

namespace tw {
namespace {

std::string PictureSize(const Picture& p) {
    if (p.IsEmpty()) return "none";
    return std::to_string(p.Width()) + "x" + std::to_string(p.Height());
}

std::string Quoted(const std::string& s) {
    std::string out = "\"";
    for (char c : s) {
        if (c == '"' || c == '\\') out += '\\';
        out += c;
    }
    return out + "\"";
}

}  // namespace

std::string DescribeControl(const Control& c) {
    std::ostringstream o;
    o << c.Name();
    switch (c.Kind()) {
        case ControlKind::PictureBox: {
            const auto& s = static_cast<const Surface&>(c);
            char color[8];
            std::snprintf(color, sizeof color, "#%06X", s.BackColor() & 0xFFFFFFu);
            o << " client=" << s.ClientWidth() << "x" << s.ClientHeight()
              << " outer=" << s.OuterWidthTwips() << "x" << s.OuterHeightTwips()
              << " backcolor=" << color << " picture=" << PictureSize(s.GetPicture());
            // Only a source that has been scrolled says where its view stands.
            if (const auto* source = dynamic_cast<const SourceCanvas*>(&s);
                source && (source->OriginX() != 0 || source->OriginY() != 0))
                o << " origin=" << source->OriginX() << "," << source->OriginY();
            break;
        }
        case ControlKind::Shape: {
            const auto& s = static_cast<const Outline&>(c);
            o << " left=" << s.Left() << " top=" << s.Top() << " width=" << s.Width()
              << " height=" << s.Height();
            break;
        }
        case ControlKind::Image:
            o << " picture=" << PictureSize(static_cast<const ImageView&>(c).GetPicture());
            break;
        case ControlKind::Button: {
            const auto& b = static_cast<const Button&>(c);
            o << " enabled=" << b.Enabled() << " fontbold=" << b.FontBold();
            break;
        }
        case ControlKind::OptionButton:
            o << " value=" << static_cast<const OptionButton&>(c).Value();
            break;
        case ControlKind::Label:
            o << " backcolor=" << static_cast<const Label&>(c).BackColor();
            break;
        case ControlKind::Timer: {
            const auto& t = static_cast<const Timer&>(c);
            o << " enabled=" << t.Enabled() << " interval=" << t.Interval();
            break;
        }
        case ControlKind::Frame:
            o << " caption=" << Quoted(static_cast<const Frame&>(c).Caption());
            break;
        case ControlKind::TabControl: {
            const auto& t = static_cast<const TabControl&>(c);
            o << " tab=" << t.Tab() << " tabs=" << t.Captions().size();
            break;
        }
        case ControlKind::MenuItem: {
            const auto& m = static_cast<const MenuItem&>(c);
            o << " caption=" << Quoted(m.Caption()) << " enabled=" << m.Enabled();
            if (m.Checkable()) o << " checked=" << m.Checked();
            break;
        }
        case ControlKind::CommonDialog:
            o << " kind=common-dialog";
            break;
    }
    return o.str();
}

std::string DescribeCurrentImage(const ImageDescriptor& image) {
    if (!image.bmh) return "CurrentImage none";
    std::ostringstream o;
    o << "CurrentImage width=" << image.bmh->biWidth << " height=" << image.bmh->biHeight
      << " bpp=" << image.bmh->biBitCount;
    return o.str();
}

std::string DescribeStatusBar(const std::string& outcomeText) {
    return "StatusBar text=" + Quoted(outcomeText);
}

std::string DescribeTitle(const std::string& title) { return "Title text=" + Quoted(title); }

}  // namespace tw
