#include "runner/control_names.h"

#include <algorithm>
#include <array>

#include "platform/controls.h"
#include "platform/surface.h"
#include "shell/frm_main.h"

namespace tw {
namespace {

// The kinds a script line can name, in the order a reader meets them. Frames
// and the common dialog only hold other controls; a `file` or `cancel` line
// answers the dialog.
enum Column { Surfaces, Outlines, Buffers, Views, Buttons, Options, Timers, Labels, Tabs, Menu, Other, kColumns };
constexpr std::array<const char*, kColumns> kColumnNames{
    "Surfaces", "Outlines", "Buffers", "Image views", "Buttons", "Option buttons",
    "Timers", "Labels", "Tab controls", "Menu items", "Other names"};

int ColumnOf(const Control& c) {
    switch (c.Kind()) {
        case ControlKind::PictureBox:
            // Sheets have the flat border; the small raised ones are buffers.
            return static_cast<const Surface&>(c).Border() == BorderStyle::Flat1 ? Surfaces : Buffers;
        case ControlKind::Shape: return Outlines;
        case ControlKind::Image: return Views;
        case ControlKind::Button: return Buttons;
        case ControlKind::OptionButton: return Options;
        case ControlKind::Timer: return Timers;
        case ControlKind::Label: return Labels;
        case ControlKind::TabControl: return Tabs;
        case ControlKind::MenuItem: return Menu;
        default: return -1;
    }
}

// The Tab1 page a control sits on, found through its containers; -1 for the
// controls outside the pages (the menu, Tab1 itself).
int PageOf(const frmMain& form, const Control& c) {
    const Control* at = &c;
    for (int depth = 0; at && depth < 16; ++depth) {
        if (at->Container() == "Tab1") return at->TabPage;
        at = form.Find(at->Container());
    }
    return -1;
}

std::string Joined(const std::vector<std::string>& names, const char* open, const char* close) {
    std::string out;
    for (const std::string& n : names) {
        if (!out.empty()) out += ", ";
        out += open + n + close;
    }
    return out;
}

}  // namespace

std::vector<NameGroup> ScriptControlNames(const frmMain& form) {
    const auto& pages = form.Get<TabControl>("Tab1").Captions();
    // One group per page, then the menu, then the names of the whole window.
    std::vector<std::array<std::vector<std::string>, kColumns>> cells(pages.size() + 2);
    const size_t menuGroup = pages.size(), windowGroup = pages.size() + 1;
    for (const auto& c : form.Controls()) {
        const int column = ColumnOf(*c);
        if (column < 0) continue;
        const int page = PageOf(form, *c);
        const size_t group = column == Menu ? menuGroup
                             : page >= 0    ? static_cast<size_t>(page)
                                            : windowGroup;
        cells[group][column].push_back(c->Name());
    }
    // The names `show` and `dump` know besides the controls.
    cells[windowGroup][Other].push_back("Colours");
    cells[windowGroup][Other].push_back("CurrentImage");
    cells[windowGroup][Other].push_back("StatusBar");
    cells[windowGroup][Other].push_back("Title");

    std::vector<NameGroup> groups;
    for (size_t g = 0; g < cells.size(); ++g) {
        NameGroup group{g < pages.size() ? pages[g] : g == menuGroup ? "Menu" : "Whole window", {}};
        for (int col = 0; col < kColumns; ++col)
            if (!cells[g][col].empty()) group.rows.push_back({kColumnNames[col], cells[g][col]});
        groups.push_back(std::move(group));
    }
    return groups;
}

std::string ControlNamesMarkdown(const std::vector<NameGroup>& groups) {
    std::string out = "| page | kind | names |\n|---|---|---|\n";
    for (const NameGroup& g : groups)
        for (const NameRow& r : g.rows)
            out += "| " + g.title + " | " + r.kind + " | " + Joined(r.names, "`", "`") + " |\n";
    return out;
}

std::string ControlNamesRoff(const std::vector<NameGroup>& groups) {
    std::string out;
    for (const NameGroup& g : groups) {
        out += ".SS \"" + g.title + "\"\n";
        for (const NameRow& r : g.rows) {
            out += ".TP\n" + r.kind + "\n";
            out += Joined(r.names, "\\fB", "\\fR") + "\n";
        }
    }
    return out;
}

}  // namespace tw
