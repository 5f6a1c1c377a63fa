#pragma once
// Every control name a script can use, grouped by page and by kind, read from
// the main window's model itself. The manual page of tilewright-batch and the
// README print this same table, so neither can fall behind the window.

#include <string>
#include <vector>

namespace tw {

class frmMain;

struct NameRow {
    std::string kind;                // "Surfaces", "Buttons", ...
    std::vector<std::string> names;  // in the order of the window's layout
};

struct NameGroup {
    std::string title;  // a page caption, "Menu" or "Whole window"
    std::vector<NameRow> rows;
};

std::vector<NameGroup> ScriptControlNames(const frmMain& form);

// The table as Markdown (one table, a row per page and kind) and as roff for
// a manual page (a subsection per page).
std::string ControlNamesMarkdown(const std::vector<NameGroup>& groups);
std::string ControlNamesRoff(const std::vector<NameGroup>& groups);

}  // namespace tw
