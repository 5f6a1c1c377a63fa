// Animation > Step on the charset and battle previews: N steps forward while
// stopped show exactly what Play and N ticks show from the same base, steps
// back retrace them, and the module state is left alone; a facing keeps the
// walk in one row for the timer and the steps alike.

#include "editors/page_table.h"
#include "support/editor.h"
#include "support/image_files.h"
#include "support/run_batch.h"

namespace tw::test {
namespace {

struct Preview {
    const char* name;
    std::string setup;  // pictures loaded, the page in front, a base picked
    const char *view, *timer, *play, *forward, *back;
};

TEST(Animation, StepsShowWhatPlayAndTicksShow) {
    const std::string charset = "tab Tab1 1\nfile src.bmp\nclick LoadQChar\nfile tgt.bmp\nclick LoadZChar\n";
    const std::string battle = "tab Tab1 4\nfile big.bmp\nclick LoadQBattle\nfile big.bmp\nclick LoadZBattle\n";
    const Preview previews[] = {
        {"charset source", charset + "down RQ 1 100 140\n", "imgQAni", "tmrCharQAni", "optRplay",
         "mnuStepQForward", "mnuStepQBack"},
        {"charset target", charset + "down RZ 1 30 40\n", "imgZani", "tmrCharZAni", "optZplay",
         "mnuStepZForward", "mnuStepZBack"},
        {"battle source", battle, "imgBQAni", "tmrBattleQAni", "optQBplay", "mnuStepQForward", "mnuStepQBack"},
        {"battle target", battle, "imgBZAni", "tmrBattleZAni", "optZBplay", "mnuStepZForward", "mnuStepZBack"},
    };
    for (const char* facing : {"mnuFaceAll", "mnuFaceUp", "mnuFaceRight", "mnuFaceDown", "mnuFaceLeft"})
        for (const Preview& p : previews) {
            const bool isCharset = std::string(p.view).find("BQ") == std::string::npos &&
                                   std::string(p.view).find("BZ") == std::string::npos;
            if (!isCharset && std::string(facing) != "mnuFaceAll") continue;
            SCOPED_TRACE(std::string(p.name) + ", " + facing);
            ScratchDir dir;
            ASSERT_EQ(DumpRaster(NoisePicture(288, 256, 1), dir / "src.bmp"), "");
            ASSERT_EQ(DumpRaster(NoisePicture(288, 256, 2), dir / "tgt.bmp"), "");
            ASSERT_EQ(DumpRaster(NoisePicture(480, 480, 3), dir / "big.bmp"), "");
            const std::string start = "click " + std::string(facing) + "\n" + p.setup;
            constexpr int kSteps = 24;  // past a turn of the charset walk
            std::string stepped = start + "state\n", played = start + "click " + std::string(p.play) + "\n";
            for (int i = 1; i <= kSteps; ++i) {
                stepped += "click " + std::string(p.forward) + "\ndump " + p.view + " s" + std::to_string(i) + ".bmp\n";
                played += "tick " + std::string(p.timer) + "\ndump " + p.view + " p" + std::to_string(i) + ".bmp\n";
            }
            for (int i = kSteps - 1; i >= 1; --i)
                stepped += "click " + std::string(p.back) + "\ndump " + p.view + " b" + std::to_string(i) + ".bmp\n";
            stepped += "state\n";
            const Outcome s = RunBatch(dir, stepped);
            ASSERT_EQ(s.status, 0) << s.err;
            const size_t half = s.out.size() / 2;
            EXPECT_EQ(s.out.substr(0, half), s.out.substr(half)) << "the steps changed the module state";
            const Outcome r = RunBatch(dir, played);
            ASSERT_EQ(r.status, 0) << r.err;
            for (int i = 1; i <= kSteps; ++i) {
                const std::string n = std::to_string(i);
                ASSERT_EQ(ReadText(dir / ("s" + n + ".bmp")), ReadText(dir / ("p" + n + ".bmp"))) << "step " << i;
                if (i < kSteps) {
                    ASSERT_EQ(ReadText(dir / ("b" + n + ".bmp")), ReadText(dir / ("p" + n + ".bmp"))) << "back " << i;
                }
            }
            EXPECT_NE(ReadText(dir / "p1.bmp"), ReadText(dir / "p2.bmp"));
        }
}

// A facing keeps both the timer and the steps in its row; the steps are
// greyed while the preview plays, and a click that moves the base starts
// them again from there.
TEST(Animation, FacingGreyingAndRestart) {
    ScratchDir dir;
    ASSERT_EQ(DumpRaster(NoisePicture(288, 256, 1), dir / "src.bmp"), "");
    const Outcome r = RunBatch(dir,
                               "tab Tab1 1\nfile src.bmp\nclick LoadQChar\nclick mnuFaceLeft\nshow mnuFaceLeft\n"
                               "show mnuFaceAll\nclick optRplay\nshow mnuStepQForward\ntick tmrCharQAni 25\n"
                               "state\nclick optRStop\nshow mnuStepQForward\ndown RQ 1 100 140\n"
                               "click mnuStepQForward\nclick mnuStepQForward\ndown RQ 1 170 10\n"
                               "click mnuStepQForward\ndump imgQAni moved.bmp\nclick mnuSpeedDouble\n"
                               "show mnuSpeedDouble\nshow tmrCharQAni\n");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("mnuFaceLeft caption=\"&Left\" enabled=1 checked=1\nmnuFaceAll caption=\"&All\" "
                         "enabled=1 checked=0\nmnuStepQForward caption=\"Step Source F&orward\" enabled=0\n"),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("CharQAniY=96\n"), std::string::npos) << "the left-facing row: " << r.out;
    EXPECT_NE(r.out.find("mnuStepQForward caption=\"Step Source F&orward\" enabled=1\n"), std::string::npos);
    EXPECT_NE(r.out.find("mnuSpeedDouble caption=\"2x\" enabled=1 checked=1\ntmrCharQAni enabled=0 interval=300\n"),
              std::string::npos)
        << r.out;
    // From the base at (168, 0): Play snaps it to the character at (144, 0),
    // and the first tick shows its second frame in the left row.
    EXPECT_TRUE(SameRaster(ReadPicture(dir / "moved.bmp"), Block(NoisePicture(288, 256, 1), 168, 96, 24, 32, 0)));
}

}  // namespace
}  // namespace tw::test
