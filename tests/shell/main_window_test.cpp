// The main window as it stands after start-up: every control of the layout
// with its kind, place and caption, the module state, the primed buffers and
// views, and the start state of buttons, options, indicators and timers.

#include <gtest/gtest.h>

#include <set>

#include "../editors/editor_fixture.h"
#include "shell/frm_main.h"

namespace tw {
namespace {

using K = ControlKind;

struct Row {
    const char* name;
    K kind;
    const char* in;
    int tabPage;  // page of the tab control it sits on, -1 inside any other container
    const char* caption;
    Placement place;  // -1 where the layout gives none
};

const Row kLayout[] = {
    {"Tab1", K::TabControl, "frmMain", -1, "", {0, 0, 689, 577}},
    {"Tab2", K::TabControl, "Tab1", 4, "", {8, 22.7, 673, 545}},
    {"CQ", K::PictureBox, "Tab1", 0, "", {8, 32, 482, 258}},
    {"Csel", K::Shape, "CQ", -1, "", {0, 0, 16, 16}},
    {"CZ", K::PictureBox, "Tab1", 0, "", {8, 302.7, 482, 258}},
    {"Cins", K::Shape, "CZ", -1, "", {0, 0, 16, 16}},
    {"q2", K::Frame, "Tab1", 0, "Source", {496, 22.7, 185, 265}},
    {"CommonDialog1", K::CommonDialog, "q2", -1, "", {-1, -1, -1, -1}},
    {"LoadQChip", K::Button, "q2", -1, "Load Source Chipset", {24, 160, 137, 25}},
    {"cmdSelGR", K::Button, "q2", -1, "Change Select-Size", {24, 192, 137, 25}},
    {"picCsel", K::PictureBox, "q2", -1, "", {8, 32, 20, 20}},
    {"imgC1", K::Image, "q2", -1, "", {32, 32, 120, 120}},
    {"z1", K::Frame, "Tab1", 0, "Target", {496, 294.7, 185, 265}},
    {"picCins", K::PictureBox, "z1", -1, "", {8, 24, 20, 20}},
    {"cmdNew", K::Button, "z1", -1, "New Template", {24, 216, 137, 25}},
    {"LoadZChip", K::Button, "z1", -1, "Load Target Chipset", {24, 184, 137, 25}},
    {"SaveZChip", K::Button, "z1", -1, "Save Target Chipset", {24, 152, 137, 25}},
    {"imgC2", K::Image, "z1", -1, "", {32, 24, 120, 120}},
    {"RQ", K::PictureBox, "Tab1", 1, "", {8, 30.7, 290, 258}},
    {"Rsel", K::Shape, "RQ", -1, "", {0, 0, 24, 32}},
    {"RZ", K::PictureBox, "Tab1", 1, "", {8, 302.7, 290, 258}},
    {"Rins", K::Shape, "RZ", -1, "", {0, 0, 24, 32}},
    {"q1", K::Frame, "Tab1", 1, "Source", {304, 22.7, 377, 265}},
    {"Frame5", K::Frame, "q1", -1, "Animation", {184, 16, 185, 241}},
    {"optRStop", K::OptionButton, "Frame5", -1, "Stop", {40, 208, 105, 17}},
    {"optRplay", K::OptionButton, "Frame5", -1, "Play", {40, 184, 105, 17}},
    {"picCharQAni", K::PictureBox, "Frame5", -1, "", {8, 64, 28, 36}},
    {"tmrCharQAni", K::Timer, "Frame5", -1, "", {-1, -1, -1, -1}},
    {"imgQAni", K::Image, "Frame5", -1, "", {40, 32, 104, 132}},
    {"LoadQChar", K::Button, "q1", -1, "Load Source Charset", {16, 152, 153, 25}},
    {"picRsel", K::PictureBox, "q1", -1, "", {16, 24, 28, 36}},
    {"cmdCompleteSet", K::Button, "q1", -1, "Complete Charset", {16, 184, 153, 25}},
    {"imgR1", K::Image, "q1", -1, "", {56, 24, 80, 100}},
    {"z2", K::Frame, "Tab1", 1, "Target", {304, 294.7, 377, 265}},
    {"Frame6", K::Frame, "z2", -1, "Animation", {184, 16, 185, 241}},
    {"optZstop", K::OptionButton, "Frame6", -1, "Stop", {40, 208, 97, 17}},
    {"optZplay", K::OptionButton, "Frame6", -1, "Play", {40, 184, 97, 17}},
    {"picCharZani", K::PictureBox, "Frame6", -1, "", {8, 64, 28, 36}},
    {"tmrCharZAni", K::Timer, "Frame6", -1, "", {-1, -1, -1, -1}},
    {"imgZani", K::Image, "Frame6", -1, "", {40, 32, 104, 132}},
    {"cmdRnew", K::Button, "z2", -1, "New Template", {16, 216, 153, 25}},
    {"LoadZChar", K::Button, "z2", -1, "Load Target Charset", {16, 184, 153, 25}},
    {"SaveZChar", K::Button, "z2", -1, "Save Target Charset", {16, 152, 153, 25}},
    {"picRins", K::PictureBox, "z2", -1, "", {16, 24, 28, 36}},
    {"imgR2", K::Image, "z2", -1, "", {56, 24, 80, 100}},
    {"FQ", K::PictureBox, "Tab1", 2, "", {8, 30.7, 194, 194}},
    {"Fsel", K::Shape, "FQ", -1, "", {0, 0, 48, 48}},
    {"FZ", K::PictureBox, "Tab1", 2, "", {8, 302.7, 194, 194}},
    {"Fins", K::Shape, "FZ", -1, "", {0, 0, 48, 48}},
    {"q3", K::Frame, "Tab1", 2, "Source", {208, 22.7, 473, 265}},
    {"Frame9", K::Frame, "q3", -1, "", {152, 16, 313, 241}},
    {"LoadQFace", K::Button, "q3", -1, "Load Source Faceset", {16, 152, 129, 25}},
    {"picFsel", K::PictureBox, "q3", -1, "", {8, 16, 52, 52}},
    {"imgF1", K::Image, "q3", -1, "", {32, 32, 97, 97}},
    {"z3", K::Frame, "Tab1", 2, "Target", {208, 294.7, 473, 265}},
    {"Frame10", K::Frame, "z3", -1, "", {152, 16, 313, 241}},
    {"cmdFnew", K::Button, "z3", -1, "New Template", {16, 216, 129, 25}},
    {"LoadZFace", K::Button, "z3", -1, "Load Target Faceset", {16, 184, 129, 25}},
    {"SaveZFace", K::Button, "z3", -1, "Save Target Faceset", {16, 152, 129, 25}},
    {"picFins", K::PictureBox, "z3", -1, "", {16, 16, 52, 52}},
    {"imgF2", K::Image, "z3", -1, "", {32, 32, 97, 97}},
    {"SQ", K::PictureBox, "Tab1", 3, "", {16, 30.7, 162, 82}},
    {"Ssel", K::Shape, "SQ", -1, "", {0, 0, 16, 16}},
    {"SZ", K::PictureBox, "Tab1", 3, "", {16, 302.7, 162, 82}},
    {"Sins", K::Shape, "SZ", -1, "", {0, 0, 16, 16}},
    {"q4", K::Frame, "Tab1", 3, "Source", {184, 22.7, 497, 265}},
    {"Frame11", K::Frame, "q4", -1, "", {176, 16, 313, 241}},
    {"LoadQSystem", K::Button, "q4", -1, "Load Source Systemset", {16, 152, 137, 25}},
    {"picSsel", K::PictureBox, "q4", -1, "", {8, 24, 20, 20}},
    {"ySelSize", K::Button, "q4", -1, "Change Select-Size", {16, 184, 137, 25}},
    {"imgS1", K::Image, "q4", -1, "", {32, 24, 105, 105}},
    {"z4", K::Frame, "Tab1", 3, "Target", {184, 294.7, 497, 265}},
    {"Frame12", K::Frame, "z4", -1, "", {176, 16, 313, 241}},
    {"cmdSnew", K::Button, "z4", -1, "New Template", {16, 216, 137, 25}},
    {"LoadZSystem", K::Button, "z4", -1, "Load Target Systemset", {16, 184, 137, 25}},
    {"SaveZSystem", K::Button, "z4", -1, "Save  Target Systemset", {16, 152, 137, 25}},
    {"picSins", K::PictureBox, "z4", -1, "", {8, 24, 20, 20}},
    {"imgS2", K::Image, "z4", -1, "", {32, 24, 105, 105}},
    {"BQ", K::PictureBox, "Tab2", 0, "", {8, 40, 482, 482}},
    {"Bsel", K::Shape, "BQ", -1, "", {0, 0, 96, 96}},
    {"q5", K::Frame, "Tab2", 0, "Source", {496, 32, 169, 489}},
    {"Frame13", K::Frame, "q5", -1, "Animation", {8, 248, 153, 233}},
    {"optQBStop", K::OptionButton, "Frame13", -1, "Stop", {16, 192, 121, 13}},
    {"optQBplay", K::OptionButton, "Frame13", -1, "Play", {16, 168, 121, 17}},
    {"picBattleQAni", K::PictureBox, "Frame13", -1, "", {8, 16, 100, 100}},
    {"tmrBattleQAni", K::Timer, "Frame13", -1, "", {-1, -1, -1, -1}},
    {"imgBQAni", K::Image, "Frame13", -1, "", {16, 24, 120, 120}},
    {"LoadQBattle", K::Button, "q5", -1, "Load Source Aniset", {16, 152, 137, 25}},
    {"picBsel", K::PictureBox, "q5", -1, "", {8, 16, 100, 100}},
    {"imgB1", K::Image, "q5", -1, "", {32, 24, 105, 105}},
    {"BZ", K::PictureBox, "Tab2", 1, "", {8, 40, 482, 482}},
    {"Bins", K::Shape, "BZ", -1, "", {0, 0, 96, 96}},
    {"z5", K::Frame, "Tab2", 1, "Target", {496, 32, 169, 489}},
    {"Frame14", K::Frame, "z5", -1, "Animation", {8, 248, 153, 233}},
    {"optZBStop", K::OptionButton, "Frame14", -1, "Stop", {16, 192, 121, 13}},
    {"optZBplay", K::OptionButton, "Frame14", -1, "Play", {16, 168, 121, 13}},
    {"picBattleZAni", K::PictureBox, "Frame14", -1, "", {8, 16, 100, 100}},
    {"tmrBattleZAni", K::Timer, "Frame14", -1, "", {-1, -1, -1, -1}},
    {"imgBZAni", K::Image, "Frame14", -1, "", {16, 24, 120, 120}},
    {"cmdBnew", K::Button, "z5", -1, "New Template", {16, 216, 137, 25}},
    {"LoadZBattle", K::Button, "z5", -1, "Load Target Aniset", {16, 184, 137, 25}},
    {"SaveZBattle", K::Button, "z5", -1, "Save Target Aniset", {16, 152, 137, 25}},
    {"picBins", K::PictureBox, "z5", -1, "", {8, 16, 100, 100}},
    {"imgB2", K::Image, "z5", -1, "", {32, 24, 105, 105}},
    {"OQ", K::PictureBox, "Tab1", 5, "", {32, 30.7, 130, 514}},
    {"Osel", K::Shape, "OQ", -1, "", {0, 0, 16, 16}},
    {"OZ", K::PictureBox, "Tab1", 5, "", {200, 30.7, 482, 258}},
    {"Oins", K::Shape, "OZ", -1, "", {0, 0, 16, 16}},
    {"q6", K::Frame, "Tab1", 5, "Source", {200, 294.7, 305, 265}},
    {"optModOneToOne", K::OptionButton, "q6", -1, "Copy Tiles 1:1", {32, 240, 241, 17}},
    {"optModRPG2K", K::OptionButton, "q6", -1, "Copy Tiles 1:2", {32, 216, 241, 17}},
    {"picOsel", K::PictureBox, "q6", -1, "", {32, 24, 20, 20}},
    {"CLoadQr", K::Button, "q6", -1, "Load Source Chipset", {24, 144, 121, 25}},
    {"cmdChange", K::Button, "q6", -1, "Change Section", {160, 144, 129, 25}},
    {"cmdOSelGr", K::Button, "q6", -1, "Change Select-Size", {24, 176, 121, 25}},
    {"imgO1", K::Image, "q6", -1, "", {32, 24, 106.7, 106.7}},
    {"s4", K::Label, "q6", -1, "", {224, 72, 33, 49}},
    {"s3", K::Label, "q6", -1, "", {192, 72, 33, 49}},
    {"s2", K::Label, "q6", -1, "", {224, 24, 33, 49}},
    {"s1", K::Label, "q6", -1, "", {192, 24, 33, 49}},
    {"z6", K::Frame, "Tab1", 5, "Target", {512, 294.7, 169, 265}},
    {"cmdOnew", K::Button, "z6", -1, "New Template", {24, 208, 121, 25}},
    {"LoadRChip", K::Button, "z6", -1, "Load Target Chipset", {24, 176, 121, 25}},
    {"SaveRChip", K::Button, "z6", -1, "Save Target Chipset", {24, 144, 121, 25}},
    {"picOins", K::PictureBox, "z6", -1, "", {32, 24, 20, 20}},
    {"imgO2", K::Image, "z6", -1, "", {32, 24, 107, 107}},
    {"picChip", K::PictureBox, "Tab1", 5, "", {168, 350.7, 12, 17}},
    {"picTemp", K::PictureBox, "Tab1", 5, "", {168, 302.7, 25, 33}},
};

// The source and target surfaces have a 1-pixel border, every other picture
// box the 2-pixel one.
const std::set<std::string> kFlatSurfaces = {"CQ", "CZ", "RQ", "RZ", "FQ", "FZ",
                                             "SQ", "SZ", "BQ", "BZ", "OQ", "OZ"};

TEST(MainWindow, EveryControlOfTheLayoutIsInPlace) {
    frmMain form;
    form.Form_Load();
    for (const Row& r : kLayout) {
        SCOPED_TRACE(r.name);
        const Control* c = form.Find(r.name);
        ASSERT_NE(c, nullptr);
        EXPECT_EQ(c->Kind(), r.kind);
        EXPECT_EQ(c->Container(), r.in);
        if (r.tabPage >= 0) {
            EXPECT_EQ(c->TabPage, r.tabPage);
        }
        if (r.place.width >= 0 && r.kind != K::Shape) {
            EXPECT_NEAR(c->Place().left, r.place.left, 0.05);
            EXPECT_NEAR(c->Place().top, r.place.top, 0.05);
            EXPECT_NEAR(c->Place().width, r.place.width, 0.05);
            EXPECT_NEAR(c->Place().height, r.place.height, 0.05);
        }
        switch (r.kind) {
            case K::Button: EXPECT_EQ(form.Cmd(r.name).Caption(), r.caption); break;
            case K::OptionButton: EXPECT_EQ(form.Opt(r.name).Caption(), r.caption); break;
            case K::Frame: EXPECT_EQ(static_cast<const Frame*>(c)->Caption(), r.caption); break;
            case K::Shape: {
                const Outline& o = form.Shape(r.name);
                EXPECT_EQ(o.Left(), r.place.left);
                EXPECT_EQ(o.Top(), r.place.top);
                EXPECT_EQ(o.Width(), r.place.width);
                EXPECT_EQ(o.Height(), r.place.height);
                break;
            }
            case K::PictureBox: {
                const Surface& s = form.Pic(r.name);
                const int border = kFlatSurfaces.count(r.name) ? 2 : 4;
                EXPECT_EQ(s.ClientWidth(), r.place.width - border);
                EXPECT_EQ(s.ClientHeight(), r.place.height - border);
                EXPECT_EQ(s.OuterWidthTwips(), r.place.width * 15);
                EXPECT_EQ(s.OuterHeightTwips(), r.place.height * 15);
                break;
            }
            default: break;
        }
    }
    EXPECT_EQ(form.Get<TabControl>("Tab1").Captions(),
              (std::vector<std::string>{"Chip Sets", "Char Sets", "Face Sets", "System Sets",
                                        "Battle Animation Sets", "RPG95 zu RPG2K (Chip)"}));
    EXPECT_EQ(form.Get<TabControl>("Tab2").Captions(),
              (std::vector<std::string>{"Quellbild", "Zielbild"}));
    EXPECT_EQ(form.Get<TabControl>("Tab1").Tab(), 0);
    EXPECT_EQ(form.Get<TabControl>("Tab2").Tab(), 0);
    EXPECT_EQ(form.Get<MenuItem>("mnuBeenden").Caption(), "&Exit");
    EXPECT_TRUE(form.Get<MenuItem>("mnuLeer3").IsSeparator());
    EXPECT_EQ(form.Get<MenuItem>("mnuInfo").Caption(), "&About");
    // The converter's swatch: 2 x 2 pixels of red 255, green 103, blue 139.
    const Picture& chip = form.Pic("picChip").GetPicture();
    ASSERT_FALSE(chip.IsEmpty());
    EXPECT_TRUE(test::SameRaster(*chip.raster(), Raster(2, 2, Rgb(255, 103, 139))));
}

TEST(MainWindow, ModuleStateIsZeroAtProgramStartAndSetByTheLoadHandler) {
    frmMain form;
    for (const auto& [name, value] : form.State.Items()) EXPECT_EQ(value, 0) << name;
    form.Form_Load();
    const std::vector<std::pair<std::string, int>> expected = {
        {"ChipSelSize", 16},  {"CharFrameW", 24},    {"CharFrameH", 32},    {"SysSelSize", 16},
        {"BattleQAniX", 0},   {"BattleQAniY", 0},    {"BattleZAniX", 0},    {"BattleZAniY", 0},
        {"ConvSelSize", 16},  {"ConvCellSize", 16},  {"CharQAniX", 0},      {"CharQAniY", 0},
        {"CharQAniTick", 0},  {"CharQAniBaseX", 0},  {"CharQAniBaseY", 0},  {"CharZAniX", 0},
        {"CharZAniY", 0},     {"CharZAniTick", 0},   {"CharZAniBaseX", 0},  {"CharZAniBaseY", 0},
        {"BattleQAniWrap", 0}, {"BattleZAniWrap", 0},
    };
    std::vector<std::pair<std::string, int>> actual;
    for (const auto& [name, value] : form.State.Items()) actual.emplace_back(name, value);
    EXPECT_EQ(actual, expected);
}

TEST(MainWindow, StartStateOfBuffersViewsAndButtons) {
    test::Editor editor;
    frmMain& form = editor.form();
    EXPECT_EQ(editor.program.Files().CurrentImage.bmh, nullptr);

    // Every buffer and view holds the blank top-left corner of its surface.
    struct Prime {
        const char *surface, *buffer, *view;
        int w, h;
    };
    const Prime primes[] = {
        {"CQ", "picCsel", "imgC1", 16, 16},  {"CZ", "picCins", "imgC2", 16, 16},
        {"RQ", "picRsel", "imgR1", 24, 32},  {"RZ", "picRins", "imgR2", 24, 32},
        {"FQ", "picFsel", "imgF1", 48, 48},  {"FZ", "picFins", "imgF2", 48, 48},
        {"SQ", "picSsel", "imgS1", 16, 16},  {"SZ", "picSins", "imgS2", 16, 16},
        {"BQ", "picBsel", "imgB1", 96, 96},  {"BZ", "picBins", "imgB2", 96, 96},
        {"OQ", "picOsel", "imgO1", 16, 16},  {"OZ", "picOins", "imgO2", 16, 16},
    };
    for (const Prime& p : primes) {
        SCOPED_TRACE(p.buffer);
        const Raster blank(p.w, p.h, form.Pic(p.surface).BackColor());
        EXPECT_TRUE(test::SameRaster(form.Pic(p.buffer).View(), blank));
        const Raster* shown = editor.Shown(p.view);
        ASSERT_NE(shown, nullptr);
        EXPECT_TRUE(test::SameRaster(*shown, blank));
    }
    for (const char* view : {"imgQAni", "imgZani", "imgBQAni", "imgBZAni"})
        EXPECT_TRUE(form.Img(view).GetPicture().IsEmpty()) << view;

    for (const char* on : {"optRStop", "optZstop", "optQBStop", "optZBStop", "optModOneToOne"})
        EXPECT_TRUE(form.Opt(on).Value()) << on;
    for (const char* off : {"optRplay", "optZplay", "optQBplay", "optZBplay", "optModRPG2K"})
        EXPECT_FALSE(form.Opt(off).Value()) << off;
    for (const auto& c : form.Controls())
        if (c->Kind() == K::Button) {
            EXPECT_EQ(form.Cmd(c->Name()).Enabled(), c->Name() != "cmdChange") << c->Name();
        }
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
