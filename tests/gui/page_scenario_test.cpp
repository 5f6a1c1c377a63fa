// One user session per page, through the window's widgets: load a source and
// a target, move, pick, stamp, play and stop the previews, make a new
// template, save. The same script through tilewright-batch must give the
// same files and the same preview pictures.

#include <gtest/gtest.h>

#include <QColorSpace>
#include <QDir>
#include <QTemporaryDir>
#include <sstream>
#include <vector>

#include "support/gui_session.h"
#include "support/run_batch.h"
#include "runner/script_line.h"

namespace tw::test {
namespace {

struct Scenario {
    const char* page;
    int sw, sh, tw, th;  // sizes of src.png and tgt.png
    // Batch lines separated by ";"; file names are in the run's own folder.
    std::string script;
    std::vector<QString> outputs;
};

void PrintTo(const Scenario& s, std::ostream* os) { *os << s.page; }

// Only the pixels: the two writers differ in the colour-space note they add.
QImage PixelsOf(const QString& path) {
    QImage pixels = QImage(path).convertToFormat(QImage::Format_RGB32);
    pixels.setColorSpace(QColorSpace());
    return pixels;
}

class PageScenario : public ::testing::TestWithParam<Scenario> {
protected:
    // The script's lines played on the widgets as the user would. The batch
    // button codes 1, 2 and 4 are Qt's left, right and middle buttons.
    void RunInWindow(const QString& dir) {
        GuiSession s;
        std::istringstream lines(GetParam().script);
        for (std::string line; std::getline(lines, line, ';');) {
            std::string error;
            const auto t = SplitScriptLine(line, error).value_or(std::vector<std::string>{});
            long b = 0;
            float x = 0, y = 0;
            const auto at = [&](size_t n) {
                return t.size() >= n && ParseScriptInt(t[2], b) && ParseScriptCoordinate(t[3], x) &&
                       ParseScriptCoordinate(t[4], y);
            };
            const std::string cmd = t.empty() ? "" : t[0];
            const std::string name = t.size() > 1 ? t[1] : "";
            if (cmd == "file" && t.size() == 2) {
                s.dialog.QueueFile((dir + "/" + QString::fromStdString(name)).toStdString());
            } else if (cmd == "click" && t.size() == 2) {
                s.Click(name);
            } else if (cmd == "down" && at(5)) {
                s.Press(name, Qt::MouseButton(b), int(x), int(y));
                s.Release(name, Qt::MouseButton(b), int(x), int(y));
            } else if (cmd == "move" && at(5)) {
                s.Move(name, int(x), int(y), Qt::MouseButtons(Qt::MouseButton(b)));
            } else if (cmd == "tick" && t.size() == 3 && ParseScriptInt(t[2], b)) {
                for (long i = 0; i < b; ++i) ASSERT_TRUE(s.Timeout(name)) << name;
            } else if (cmd == "dump" && t.size() == 3) {
                // What the user sees in the view, not only what the model holds.
                const QImage shown = s.ViewImage(name);
                ASSERT_FALSE(shown.isNull()) << name;
                shown.save(dir + "/" + QString::fromStdString(t[2]));
            } else {
                FAIL() << "bad step: " << line << " " << error;
            }
        }
        EXPECT_FALSE(s.dialog.HasQueued());
    }

    void RunInBatch(const QString& dir) {
        const Outcome o = RunBatch(dir.toStdString(),
                                   QString::fromStdString(GetParam().script).replace(";", "\n").toStdString());
        EXPECT_EQ(o.status, 0) << o.err;
    }

    QTemporaryDir temp;
};

TEST_P(PageScenario, WindowAndBatchGiveTheSamePictures) {
    const Scenario& sc = GetParam();
    for (const QString side : {"gui", "batch"}) {
        ASSERT_TRUE(QDir(temp.path()).mkdir(side));
        Pattern(sc.sw, sc.sh, 7).save(temp.filePath(side + "/src.png"));
        Pattern(sc.tw, sc.th, 8).save(temp.filePath(side + "/tgt.png"));
    }
    RunInWindow(temp.filePath("gui"));
    if (HasFatalFailure()) return;
    RunInBatch(temp.filePath("batch"));
    for (const QString& name : sc.outputs) {
        SCOPED_TRACE(name.toStdString());
        const QImage gui = PixelsOf(temp.filePath("gui/" + name));
        ASSERT_FALSE(gui.isNull());
        EXPECT_EQ(gui, PixelsOf(temp.filePath("batch/" + name)));
    }
}

INSTANTIATE_TEST_SUITE_P(
    EveryPage, PageScenario,
    ::testing::Values(
        Scenario{"Chip", 480, 256, 480, 256,
                 "file src.png;click LoadQChip;file tgt.png;click LoadZChip;move CQ 0 130 70;"
                 "down CQ 1 130 70;move CZ 0 40 40;down CZ 1 40 40;down CZ 2 200 100;"
                 "move CZ 1 300 200;click cmdSelGR;down CQ 1 64 64;down CZ 1 129 130;"
                 "file a.png;click SaveZChip;click cmdNew;down CZ 1 0 0;file b.bmp;click SaveZChip",
                 {"a.png", "b.bmp"}},
        Scenario{"Char", 288, 256, 288, 256,
                 "file src.png;click LoadQChar;file tgt.png;click LoadZChar;move RQ 0 100 127;"
                 "down RQ 1 100 127;down RZ 1 30 32;click optRplay;tick tmrCharQAni 3;"
                 "dump imgQAni q.png;click optZplay;tick tmrCharZAni 2;dump imgZani z.png;"
                 "click optRStop;click optZstop;click cmdCompleteSet;file a.png;click SaveZChar;"
                 "click cmdRnew;down RZ 1 80 200;file b.gif;click SaveZChar",
                 {"a.png", "b.gif", "q.png", "z.png"}},
        Scenario{"Face", 192, 192, 192, 192,
                 "file src.png;click LoadQFace;file tgt.png;click LoadZFace;down FQ 1 100 47;"
                 "move FZ 0 150 144;down FZ 1 150 144;file a.png;click SaveZFace;click cmdFnew;"
                 "down FZ 1 50 5;file b.jpg;click SaveZFace",
                 {"a.png", "b.jpg"}},
        Scenario{"System", 160, 80, 160, 80,
                 "file src.png;click LoadQSystem;file tgt.png;click LoadZSystem;down SQ 1 40 20;"
                 "click ySelSize;down SQ 1 70 33;down SZ 1 17 50;file a.png;click SaveZSystem;"
                 "click cmdSnew;down SZ 1 100 0;file b.bmp;click SaveZSystem",
                 {"a.png", "b.bmp"}},
        Scenario{"Battle", 480, 480, 480, 480,
                 "file src.png;click LoadQBattle;down BQ 1 200 95;click optQBplay;"
                 "tick tmrBattleQAni 4;dump imgBQAni q.png;click optQBStop;file tgt.png;"
                 "click LoadZBattle;down BZ 1 100 96;click optZBplay;tick tmrBattleZAni 6;"
                 "dump imgBZAni z.png;click optZBStop;file a.png;click SaveZBattle;click cmdBnew;"
                 "down BZ 1 390 0;file b.png;click SaveZBattle",
                 {"a.png", "b.png", "q.png", "z.png"}},
        Scenario{"Converter", 256, 1024, 480, 256,
                 "file src.png;click CLoadQr;file tgt.png;click LoadRChip;down OQ 1 20 300;"
                 "down OZ 1 48 16;click cmdChange;click cmdChange;down OQ 1 100 500;"
                 "click optModRPG2K;move OZ 0 300 100;down OZ 1 300 100;file a.png;"
                 "click SaveRChip;click cmdOnew;down OZ 1 8 8;file b.bmp;click SaveRChip",
                 {"a.png", "b.bmp"}}),
    [](const auto& info) { return std::string(info.param.page); });

}  // namespace
}  // namespace tw::test
