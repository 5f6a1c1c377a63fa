// One user session per page, through the window's widgets: load a source and
// a target, move, pick, stamp, play and stop the previews, make a new
// template, save. The same steps through tilewright-batch must give the same
// files and the same preview pictures.

#include <gtest/gtest.h>

#include <QColorSpace>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>
#include <vector>

#include "gui_session.h"

namespace tw::test {
namespace {

struct Step {
    enum Kind { Open, Save, Click, Down, Move, Tick, View };
    Kind kind = Open;
    std::string name;  // a control; for Open the input file
    int button = 0;
    int x = 0, y = 0;
    int count = 1;
    std::string file;  // Save: the output file; its save button is `name`
};

using S = Step;
Step Open(std::string file) { return {.kind = S::Open, .name = std::move(file)}; }
Step Save(std::string button, std::string out) {
    return {.kind = S::Save, .name = std::move(button), .count = 0, .file = std::move(out)};
}
Step Click(std::string n) { return {.kind = S::Click, .name = std::move(n)}; }
Step Down(std::string n, int b, int x, int y) {
    return {.kind = S::Down, .name = std::move(n), .button = b, .x = x, .y = y};
}
Step Move(std::string n, int held, int x, int y) {
    return {.kind = S::Move, .name = std::move(n), .button = held, .x = x, .y = y};
}
Step Ticks(std::string n, int count) { return {.kind = S::Tick, .name = std::move(n), .count = count}; }
Step View(std::string n) { return {.kind = S::View, .name = std::move(n)}; }

struct Scenario {
    const char* page;
    struct Input {
        const char* file;
        int w, h;
    } source, target;
    std::vector<Step> steps;  // Open/Save names are file names in the temp folder
    std::vector<std::string> outputs;
};

Qt::MouseButton QtButton(int code) {
    return code == 1 ? Qt::LeftButton : code == 2 ? Qt::RightButton : Qt::MiddleButton;
}

Qt::MouseButtons QtButtons(int mask) {
    Qt::MouseButtons b;
    if (mask & 1) b |= Qt::LeftButton;
    if (mask & 2) b |= Qt::RightButton;
    if (mask & 4) b |= Qt::MiddleButton;
    return b;
}

// Only the pixels: the two writers differ in the colour-space note they add.
QImage PixelsOf(const QImage& image) {
    QImage pixels = image.convertToFormat(QImage::Format_RGB32);
    pixels.setColorSpace(QColorSpace());
    return pixels;
}

void PrintTo(const Scenario& s, std::ostream* os) { *os << s.page; }

class PageScenario : public ::testing::TestWithParam<Scenario> {
protected:
    std::string Path(const std::string& prefix, const std::string& name) const {
        return temp.filePath(QString::fromStdString(prefix + name)).toStdString();
    }

    void RunInWindow() {
        GuiSession s(temp.path().toStdString());
        for (const Step& st : GetParam().steps) {
            switch (st.kind) {
                case S::Open:
                    s.dialog.QueueFile(Path("", st.name));
                    break;
                case S::Save:
                    s.dialog.QueueFile(Path("gui-", st.file));
                    s.Click(st.name);
                    break;
                case S::Click:
                    s.Click(st.name);
                    break;
                case S::Down:
                    s.Press(st.name, QtButton(st.button), st.x, st.y);
                    s.Release(st.name, QtButton(st.button), st.x, st.y);
                    break;
                case S::Move:
                    s.Move(st.name, st.x, st.y, QtButtons(st.button));
                    break;
                case S::Tick:
                    for (int i = 0; i < st.count; ++i) ASSERT_TRUE(s.Timeout(st.name)) << st.name;
                    break;
                case S::View: {
                    // What the user sees in the view, not only what the model holds.
                    auto* view =
                        s.window->findChild<ImageViewWidget*>(QString::fromStdString(st.name));
                    ASSERT_NE(view, nullptr);
                    ASSERT_FALSE(view->Image().isNull()) << st.name;
                    view->Image().save(QString::fromStdString(Path("gui-", st.name + ".png")));
                    break;
                }
            }
        }
        EXPECT_FALSE(s.dialog.HasQueued());
    }

    void RunInBatch() {
        QFile script(temp.filePath("script.twb"));
        ASSERT_TRUE(script.open(QIODevice::WriteOnly | QIODevice::Text));
        QTextStream out(&script);
        const auto quoted = [](const std::string& p) {
            return "\"" + QString::fromStdString(p) + "\"";
        };
        for (const Step& st : GetParam().steps) {
            const QString n = QString::fromStdString(st.name);
            switch (st.kind) {
                case S::Open:
                    out << "file " << quoted(Path("", st.name)) << "\n";
                    break;
                case S::Save:
                    out << "file " << quoted(Path("batch-", st.file)) << "\nclick " << n << "\n";
                    break;
                case S::Click:
                    out << "click " << n << "\n";
                    break;
                case S::Down:
                    out << "down " << n << " " << st.button << " " << st.x << " " << st.y << "\n";
                    break;
                case S::Move:
                    out << "move " << n << " " << st.button << " " << st.x << " " << st.y << "\n";
                    break;
                case S::Tick:
                    out << "tick " << n << " " << st.count << "\n";
                    break;
                case S::View:
                    out << "dump " << n << " " << quoted(Path("batch-", st.name + ".png")) << "\n";
                    break;
            }
        }
        script.close();
        QProcess batch;
        batch.start(TW_BATCH_EXE, {script.fileName()});
        ASSERT_TRUE(batch.waitForFinished(60000));
        EXPECT_EQ(batch.exitCode(), 0) << batch.readAllStandardError().toStdString();
    }

    QTemporaryDir temp;
};

TEST_P(PageScenario, WindowAndBatchGiveTheSamePictures) {
    const Scenario& sc = GetParam();
    Pattern(sc.source.w, sc.source.h, 7).save(temp.filePath(sc.source.file));
    Pattern(sc.target.w, sc.target.h, 8).save(temp.filePath(sc.target.file));
    RunInWindow();
    if (HasFatalFailure()) return;
    RunInBatch();
    for (const std::string& name : sc.outputs) {
        SCOPED_TRACE(name);
        const QImage gui(QString::fromStdString(Path("gui-", name)));
        const QImage batch(QString::fromStdString(Path("batch-", name)));
        ASSERT_FALSE(gui.isNull());
        ASSERT_FALSE(batch.isNull());
        EXPECT_EQ(PixelsOf(gui), PixelsOf(batch));
    }
}

std::vector<Scenario> Scenarios() {
    return {
        {"Chip",
         {"src.png", 480, 256},
         {"tgt.png", 480, 256},
         {Open("src.png"), Click("LoadQChip"), Open("tgt.png"), Click("LoadZChip"),
          Move("CQ", 0, 130, 70), Down("CQ", 1, 130, 70), Move("CZ", 0, 40, 40),
          Down("CZ", 1, 40, 40), Down("CZ", 2, 200, 100), Move("CZ", 1, 300, 200),
          Click("cmdSelGR"), Down("CQ", 1, 64, 64), Down("CZ", 1, 129, 130),
          Save("SaveZChip", "a.png"), Click("cmdNew"), Down("CZ", 1, 0, 0),
          Save("SaveZChip", "b.bmp")},
         {"a.png", "b.bmp"}},
        {"Char",
         {"src.png", 288, 256},
         {"tgt.png", 288, 256},
         {Open("src.png"),         Click("LoadQChar"),         Open("tgt.png"),
          Click("LoadZChar"),      Move("RQ", 0, 100, 127),    Down("RQ", 1, 100, 127),
          Down("RZ", 1, 30, 32),   Click("optRplay"),          Ticks("tmrCharQAni", 3),
          View("imgQAni"),         Click("optZplay"),          Ticks("tmrCharZAni", 2),
          View("imgZani"),         Click("optRStop"),          Click("optZstop"),
          Click("cmdCompleteSet"), Save("SaveZChar", "a.png"), Click("cmdRnew"),
          Down("RZ", 1, 80, 200),  Save("SaveZChar", "b.gif")},
         {"a.png", "b.gif", "imgQAni.png", "imgZani.png"}},
        {"Face",
         {"src.png", 192, 192},
         {"tgt.png", 192, 192},
         {Open("src.png"), Click("LoadQFace"), Open("tgt.png"), Click("LoadZFace"),
          Down("FQ", 1, 100, 47), Move("FZ", 0, 150, 144), Down("FZ", 1, 150, 144),
          Save("SaveZFace", "a.png"), Click("cmdFnew"), Down("FZ", 1, 50, 5),
          Save("SaveZFace", "b.jpg")},
         {"a.png", "b.jpg"}},
        {"System",
         {"src.png", 160, 80},
         {"tgt.png", 160, 80},
         {Open("src.png"), Click("LoadQSystem"), Open("tgt.png"), Click("LoadZSystem"),
          Down("SQ", 1, 40, 20), Click("ySelSize"), Down("SQ", 1, 70, 33), Down("SZ", 1, 17, 50),
          Save("SaveZSystem", "a.png"), Click("cmdSnew"), Down("SZ", 1, 100, 0),
          Save("SaveZSystem", "b.bmp")},
         {"a.png", "b.bmp"}},
        {"Battle",
         {"src.png", 480, 480},
         {"tgt.png", 480, 480},
         {Open("src.png"), Click("LoadQBattle"), Down("BQ", 1, 200, 95), Click("optQBplay"),
          Ticks("tmrBattleQAni", 4), View("imgBQAni"), Click("optQBStop"), Open("tgt.png"),
          Click("LoadZBattle"), Down("BZ", 1, 100, 96), Click("optZBplay"),
          Ticks("tmrBattleZAni", 6), View("imgBZAni"), Click("optZBStop"),
          Save("SaveZBattle", "a.png"), Click("cmdBnew"), Down("BZ", 1, 390, 0),
          Save("SaveZBattle", "b.png")},
         {"a.png", "b.png", "imgBQAni.png", "imgBZAni.png"}},
        {"Converter",
         {"src.png", 256, 1024},
         {"tgt.png", 480, 256},
         {Open("src.png"), Click("CLoadQr"), Open("tgt.png"), Click("LoadRChip"),
          Down("OQ", 1, 20, 300), Down("OZ", 1, 48, 16), Click("cmdChange"), Click("cmdChange"),
          Down("OQ", 1, 100, 500), Click("optModRPG2K"), Move("OZ", 0, 300, 100),
          Down("OZ", 1, 300, 100), Save("SaveRChip", "a.png"), Click("cmdOnew"),
          Down("OZ", 1, 8, 8), Save("SaveRChip", "b.bmp")},
         {"a.png", "b.bmp"}},
    };
}

INSTANTIATE_TEST_SUITE_P(EveryPage, PageScenario, ::testing::ValuesIn(Scenarios()),
                         [](const auto& info) { return std::string(info.param.page); });

}  // namespace
}  // namespace tw::test
