// The main window as it stands after start-up: the module state, the sizes
// the handlers work with, the primed buffers and views, and the start state
// of buttons, options, indicators and timers.

#include <gtest/gtest.h>

#include <map>

#include "../editors/editor_fixture.h"
#include "editors/page_table.h"
#include "shell/frm_main.h"

namespace tw {
namespace {

TEST(MainWindow, ModuleStateIsZeroAtProgramStartAndSetByTheLoadHandler) {
    frmMain form;
    for (const auto& [name, value] : form.State.Items()) EXPECT_EQ(value, 0) << name;
    form.Form_Load();
    const std::map<std::string, int> set = {{"ChipSelSize", 16}, {"CharFrameW", 24},
                                            {"CharFrameH", 32},  {"SysSelSize", 16},
                                            {"ConvSelSize", 16}, {"ConvCellSize", 16}};
    for (const auto& [name, value] : form.State.Items())
        EXPECT_EQ(value, set.count(name) ? set.at(name) : 0) << name;
}

TEST(MainWindow, StartStateOfSurfacesBuffersViewsAndButtons) {
    test::Editor editor;
    frmMain& form = editor.form();
    EXPECT_EQ(editor.program.Files().CurrentImage.bmh, nullptr);

    // Every buffer and view holds the blank top-left corner of its surface,
    // at the start cell; every target surface is as large as its sheet.
    for (const PageInfo& page : Pages()) {
        const Size cell = page.cells.front();
        EXPECT_EQ(form.Pic(page.target.surface).ClientWidth(), page.sheet.w) << page.name;
        EXPECT_EQ(form.Pic(page.target.surface).ClientHeight(), page.sheet.h) << page.name;
        for (Side side : {Side::Source, Side::Target}) {
            const PageSide& p = page.Of(side);
            SCOPED_TRACE(p.buffer);
            EXPECT_EQ(form.Pic(p.buffer).OuterWidthTwips(), (cell.w + 4) * 15);
            const Raster blank(cell.w, cell.h, form.Pic(p.surface).BackColor());
            EXPECT_TRUE(test::SameRaster(form.Pic(p.buffer).View(), blank));
            const Raster* shown = editor.Shown(p.view);
            ASSERT_NE(shown, nullptr);
            EXPECT_TRUE(test::SameRaster(*shown, blank));
        }
    }
    for (const char* view : {"imgQAni", "imgZani", "imgBQAni", "imgBZAni"})
        EXPECT_TRUE(form.Img(view).GetPicture().IsEmpty()) << view;

    for (const char* on : {"optRStop", "optZstop", "optQBStop", "optZBStop", "optModOneToOne"})
        EXPECT_TRUE(form.Opt(on).Value()) << on;
    for (const char* off : {"optRplay", "optZplay", "optQBplay", "optZBplay", "optModRPG2K"})
        EXPECT_FALSE(form.Opt(off).Value()) << off;
    for (const auto& c : form.Controls())
        if (c->Kind() == ControlKind::Button) {
            EXPECT_EQ(form.Cmd(c->Name()).Enabled(), c->Name() != "cmdChange") << c->Name();
        }
    EXPECT_EQ(editor.program.Click("cmdChange"), EventResult::Ignored);  // disabled: no handler runs
    EXPECT_FALSE(form.Cmd("cmdCompleteSet").FontBold());
    for (const char* s : {"s1", "s2", "s3", "s4"}) EXPECT_EQ(form.Lbl(s).BackColor(), 16777215) << s;

    const std::pair<const char*, int> timers[] = {
        {"tmrCharQAni", 300}, {"tmrCharZAni", 300}, {"tmrBattleQAni", 150}, {"tmrBattleZAni", 300}};
    for (const auto& [name, interval] : timers) {
        EXPECT_FALSE(form.Tmr(name).Enabled()) << name;
        EXPECT_EQ(form.Tmr(name).Interval(), interval) << name;
        EXPECT_EQ(editor.program.Tick(name), EventResult::Ignored) << name;
    }
}

}  // namespace
}  // namespace tw
