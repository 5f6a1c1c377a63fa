// The control-name table of the manual page and the README: every name a
// script can use is in it exactly once, on the right page and under the
// right kind, and nothing a script cannot name is.

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "platform/control.h"
#include "runner/control_names.h"
#include "shell/frm_main.h"

namespace tw {
namespace {

struct Place {
    std::string page, kind;
};

std::map<std::string, Place> Listed(const std::vector<NameGroup>& groups, int& entries) {
    std::map<std::string, Place> at;
    entries = 0;
    for (const auto& g : groups)
        for (const auto& r : g.rows)
            for (const auto& n : r.names) {
                at[n] = {g.title, r.kind};
                ++entries;
            }
    return at;
}

TEST(ControlNames, EveryScriptNameOnceOnItsPage) {
    const frmMain form;
    int entries = 0;
    const auto at = Listed(ScriptControlNames(form), entries);
    EXPECT_EQ(entries, static_cast<int>(at.size())) << "a name is listed twice";

    const struct {
        const char* name;
        const char* page;
        const char* kind;
    } cases[] = {
        {"CQ", "Chip Sets", "Surfaces"},
        {"Cins", "Chip Sets", "Outlines"},
        {"picCsel", "Chip Sets", "Buffers"},
        {"imgC2", "Chip Sets", "Image views"},
        {"cmdCompleteSet", "Char Sets", "Buttons"},
        {"optRplay", "Char Sets", "Option buttons"},
        {"tmrCharZAni", "Char Sets", "Timers"},
        {"SaveZFace", "Face Sets", "Buttons"},
        {"ySelSize", "System Sets", "Buttons"},
        // The battle page's controls sit on Tab2, inside Tab1's fifth page.
        {"BQ", "Battle Animation Sets", "Surfaces"},
        {"BZ", "Battle Animation Sets", "Surfaces"},
        {"tmrBattleQAni", "Battle Animation Sets", "Timers"},
        {"LoadQBattle", "Battle Animation Sets", "Buttons"},
        {"Tab2", "Battle Animation Sets", "Tab controls"},
        {"OQ", "RPG95 zu RPG2K (Chip)", "Surfaces"},
        {"s3", "RPG95 zu RPG2K (Chip)", "Labels"},
        {"picTemp", "RPG95 zu RPG2K (Chip)", "Buffers"},
        {"mnuBeenden", "Menu", "Menu items"},
        {"mnuRedo", "Menu", "Menu items"},
        {"Tab1", "Whole window", "Tab controls"},
        {"StatusBar", "Whole window", "Other names"},
        {"CurrentImage", "Whole window", "Other names"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto it = at.find(c.name);
        ASSERT_NE(it, at.end());
        EXPECT_EQ(it->second.page, c.page);
        EXPECT_EQ(it->second.kind, c.kind);
    }
    // Every control but the containers and the dialog is listed.
    for (const auto& c : form.Controls()) {
        const bool container = c->Kind() == ControlKind::Frame || c->Kind() == ControlKind::CommonDialog;
        EXPECT_EQ(at.count(c->Name()), container ? 0u : 1u) << c->Name();
    }
}

TEST(ControlNames, RoffAndMarkdownCarryEveryName) {
    const frmMain form;
    const auto groups = ScriptControlNames(form);
    const std::string md = ControlNamesMarkdown(groups), roff = ControlNamesRoff(groups);
    for (const auto& g : groups)
        for (const auto& r : g.rows)
            for (const auto& n : r.names) {
                EXPECT_NE(md.find("`" + n + "`"), std::string::npos) << n;
                EXPECT_NE(roff.find("\\fB" + n + "\\fR"), std::string::npos) << n;
            }
    // A roff line starting with a dot or quote would be read as a request.
    for (size_t at = 0; (at = roff.find('\n', at)) != std::string::npos && at + 1 < roff.size(); ++at) {
        const char next = roff[at + 1];
        const bool request = roff.compare(at + 1, 4, ".SS ") == 0 || roff.compare(at + 1, 4, ".TP\n") == 0;
        EXPECT_TRUE(request || (next != '.' && next != '\'')) << roff.substr(at + 1, 20);
    }
}

}  // namespace
}  // namespace tw
