// The animation previews of the charset and battle pages, tick by tick.

#include "support/editor.h"

namespace tw::test {
namespace {

struct CharSide {
    const char *surface, *play, *stop, *timer, *buffer, *view, *load;
    int16_t ModuleState::*x, ModuleState::*y, ModuleState::*tick, ModuleState::*baseX,
        ModuleState::*baseY;
};

const CharSide kCharSides[] = {
    {"RQ", "optRplay", "optRStop", "tmrCharQAni", "picCharQAni", "imgQAni", "LoadQChar",
     &ModuleState::CharQAniX, &ModuleState::CharQAniY, &ModuleState::CharQAniTick,
     &ModuleState::CharQAniBaseX, &ModuleState::CharQAniBaseY},
    {"RZ", "optZplay", "optZstop", "tmrCharZAni", "picCharZani", "imgZani", "LoadZChar",
     &ModuleState::CharZAniX, &ModuleState::CharZAniY, &ModuleState::CharZAniTick,
     &ModuleState::CharZAniBaseX, &ModuleState::CharZAniBaseY},
};

// "Play" moves the base to the character block that holds the clicked frame;
// a base outside the table of blocks stays where it is.
TEST(CharsetPreview, PlaySnapsTheBaseToTheCharacterBlock) {
    struct Case {
        float x, y;
        int baseX, baseY;
    };
    std::vector<Case> cases;
    for (int fy = 0; fy < 256; fy += 32)
        for (int fx = 0; fx < 288; fx += 24)
            cases.push_back({fx + 23.f, fy + 0.f, fx / 72 * 72, fy / 128 * 128});
    cases.insert(cases.end(), {{-30, -40, 0, 0},     // -24, -32: column and row 0
                               {-50, 10, -48, 0},    // column -1: x stays
                               {300, -70, 288, -64}, // column 13, row -1: both stay
                               {10, 260, 0, 256},    // row 9: y stays
                               {287, 255, 216, 128}});
    for (const CharSide& side : kCharSides) {
        Editor e;
        ModuleState& s = e.state();
        e.Click(side.play);  // right after start: the block at (0, 0)
        EXPECT_EQ(s.*side.baseX, 0);
        EXPECT_EQ(s.*side.baseY, 0);
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << side.surface << " (" << c.x << ", " << c.y << ")");
            e.Click(side.stop);
            e.Down(side.surface, 1, c.x, c.y);
            e.Click(side.play);
            EXPECT_EQ(s.*side.baseX, c.baseX);
            EXPECT_EQ(s.*side.baseY, c.baseY);
            EXPECT_EQ(s.*side.x, c.baseX);
            EXPECT_EQ(s.*side.y, c.baseY);
            EXPECT_TRUE(e.form().Tmr(side.timer).Enabled());
        }
    }
}

// Frame by frame against the played surface: every tick the next of three
// frames, every tenth tick the next of four directions. The tick counter
// survives Stop and Play; a click while playing picks or stamps but leaves
// the base alone.
TEST(CharsetPreview, LongTickSequencesOnBothSides) {
    Editor e;
    ModuleState& s = e.state();
    frmMain& f = e.form();
    e.Load("LoadQChar", NoisePicture(288, 256, 5), "q.bmp");
    e.Load("LoadZChar", NoisePicture(288, 256, 6), "z.bmp");
    const CharSide& q = kCharSides[0];
    const CharSide& z = kCharSides[1];
    // The frame that tick n after Play shows, the counter at c0 when Play was clicked.
    const auto check = [&](const CharSide& side, int baseX, int baseY, int n, int c0) {
        const int x = baseX + 24 * (n % 3), y = baseY + 32 * ((c0 + n) / 10 % 4);
        SCOPED_TRACE(testing::Message() << side.surface << " tick " << n);
        ASSERT_EQ(s.*side.x, x);
        ASSERT_EQ(s.*side.y, y);
        ASSERT_EQ(s.*side.tick, (c0 + n) % 10);
        const Raster frame = Block(f.Pic(side.surface).View(), x, y, 24, 32, 0);
        ASSERT_TRUE(SameRaster(f.Pic(side.buffer).View(), frame));
        ASSERT_TRUE(SameRaster(*e.Shown(side.view), frame));
    };
    // The source plays the block at (72, 128) (frame (120, 160) clicked), the
    // target the block at (216, 0): their direction rows differ.
    e.Down("RQ", 1, 120, 160);
    e.Down("RZ", 1, 230, 40);
    e.Click("optRplay");
    e.Click("optZplay");
    for (int n = 1; n <= 97; ++n) {
        e.Tick(q.timer);
        check(q, 72, 128, n, 0);
        e.Tick(z.timer);
        check(z, 216, 0, n, 0);
        if (n == 50) {
            e.Down("RQ", 1, 0, 0);  // picks, but the base stays
            e.Down("RQ", 2, 200, 200);
        }
        if (n == 60) e.Down("RZ", 1, 240, 32);  // a stamp the next ticks show
    }
    EXPECT_EQ(s.CharQAniBaseX, 72);
    EXPECT_EQ(s.CharZAniBaseX, 216);
    EXPECT_TRUE(SameRaster(e.View("picRsel"), Block(e.View("RQ"), 0, 0, 24, 32, 0)));

    // 97 ticks: counter 7. Stop, click a frame of block (144, 128), Play: the
    // first direction change comes at the third tick.
    const Raster lastFrame = e.View("picCharQAni");
    e.Click("optRStop");
    EXPECT_FALSE(f.Tmr("tmrCharQAni").Enabled());
    EXPECT_EQ(s.CharQAniTick, 7);
    EXPECT_EQ(s.CharQAniX | s.CharQAniY | s.CharQAniBaseX | s.CharQAniBaseY, 0);
    EXPECT_TRUE(f.Img("imgQAni").GetPicture().IsEmpty());
    EXPECT_TRUE(SameRaster(e.View("picCharQAni"), lastFrame));
    EXPECT_EQ(e.program.Tick("tmrCharQAni"), EventResult::Ignored);
    EXPECT_TRUE(SameRaster(e.View("picCharQAni"), lastFrame));
    e.Down("RQ", 1, 200, 200);  // frame (192, 192)
    e.Click("optRplay");
    EXPECT_TRUE(f.Img("imgQAni").GetPicture().IsEmpty());  // nothing until the first tick
    for (int n = 1; n <= 25; ++n) {
        e.Tick("tmrCharQAni");
        check(q, 144, 128, n, 7);
    }
    // The target went on untouched by the source side's Stop and Play.
    EXPECT_EQ(s.CharZAniBaseX, 216);
    EXPECT_TRUE(f.Tmr("tmrCharZAni").Enabled());
}

// The battle previews play the 25 cells 2, 3, 4, 5, 1, 7, ..., 21 (numbered
// row by row from 1), advancing before they draw what the surface shows:
// stamps at once, and the background outside a small picture.
TEST(BattlePreview, PlaysTheTwentyFiveCellCycleOnBothSides) {
    const int order[] = {2,  3,  4,  5,  1,  7,  8,  9,  10, 6,  12, 13, 14,
                         15, 11, 17, 18, 19, 20, 16, 22, 23, 24, 25, 21, 2};
    struct Side {
        const char *surface, *play, *timer, *buffer, *view;
        int16_t ModuleState::*x, ModuleState::*y, ModuleState::*wrap;
    };
    const Side sides[] = {
        {"BQ", "optQBplay", "tmrBattleQAni", "picBattleQAni", "imgBQAni",
         &ModuleState::BattleQAniX, &ModuleState::BattleQAniY, &ModuleState::BattleQAniWrap},
        {"BZ", "optZBplay", "tmrBattleZAni", "picBattleZAni", "imgBZAni",
         &ModuleState::BattleZAniX, &ModuleState::BattleZAniY, &ModuleState::BattleZAniWrap},
    };
    for (const Side& side : sides) {
        Editor e;
        const Raster pic = NoisePicture(480, 480, 9);
        e.Load("LoadQBattle", pic);
        e.Load("LoadZBattle", NoisePicture(200, 150, 10), "z.bmp");
        e.Click(side.play);
        for (int t = 0; t < 26; ++t) {
            SCOPED_TRACE(testing::Message() << side.surface << " tick " << t + 1);
            const int cx = (order[t] - 1) % 5 * 96, cy = (order[t] - 1) / 5 * 96;
            if (t == 12) {  // a stamp into the cell this tick shows
                e.Down("BQ", 1, 10, 10);
                e.Down("BZ", 1, cx, cy);
            }
            e.Tick(side.timer);
            EXPECT_EQ(e.state().*side.x, cx);
            EXPECT_EQ(e.state().*side.y, cy);
            EXPECT_EQ(e.state().*side.wrap, cx == 0 ? -1 : 0);
            const Raster cell = Block(e.View(side.surface), cx, cy, 96, 96, 0);
            if (&side == sides) {
                ASSERT_TRUE(SameRaster(cell, Block(pic, cx, cy, 96, 96, 0)));
            }
            ASSERT_TRUE(SameRaster(e.View(side.buffer), cell));
            ASSERT_TRUE(SameRaster(*e.Shown(side.view), cell));
        }
    }
}

TEST(BattlePreview, StopDropsOnlyThePendingRowChange) {
    Editor e;
    ModuleState& s = e.state();
    const Raster pic = NoisePicture(480, 480, 10);
    e.Load("LoadQBattle", pic);
    const auto tickShows = [&](int cx, int cy) {
        e.Tick("tmrBattleQAni");
        EXPECT_EQ(s.BattleQAniX, cx);
        EXPECT_EQ(s.BattleQAniY, cy);
        EXPECT_TRUE(SameRaster(*e.Shown("imgBQAni"), Block(pic, cx, cy, 96, 96, 0)));
    };
    e.Click("optQBplay");
    for (int t = 0; t < 9; ++t) e.Tick("tmrBattleQAni");  // ... (0, 0), (96, 96), ..., (384, 96)
    tickShows(0, 96);                                      // the row ends
    const Raster last = e.View("picBattleQAni");
    e.Click("optQBStop");
    EXPECT_EQ(s.BattleQAniWrap, 0);
    EXPECT_FALSE(e.form().Tmr("tmrBattleQAni").Enabled());
    EXPECT_TRUE(e.form().Img("imgBQAni").GetPicture().IsEmpty());
    EXPECT_TRUE(SameRaster(e.View("picBattleQAni"), last));
    e.Click("optQBplay");
    tickShows(96, 96);  // the row just ended plays once more
    tickShows(192, 96);
    e.Click("optQBStop");
    e.Click("optQBplay");
    tickShows(288, 96);
}

}  // namespace
}  // namespace tw::test
