// Files named when the program starts, or handed over by a second start,
// open in the page their size is made for, each as its load button loads it;
// and the file dialogs come up where they were last used.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <sstream>
#include <thread>

#include "editors/page_table.h"
#include "gui/startup/command_line_open.h"
#include "gui/startup/single_instance.h"
#include "gui/window/tab_container.h"
#include "gui/magnifier/view_prefs.h"
#include "gui_session.h"
#include "imagefiles/dib.h"
#include "imagefiles/vicdef32.h"

namespace tw::test {
namespace {

// A pattern of 256 colours, which an XYZ file holds exactly.
QImage PalettePattern(int w, int h, int seed) {
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int i = (x * 7 + y * 3 + seed * 40) & 255;
            image.setPixel(x, y, qRgb(i, (i * 53 + seed) & 255, 255 - i));
        }
    return image;
}

// That pattern written as the engine's own XYZ file.
std::string WriteXyz(const QTemporaryDir& dir, const std::string& name, int w, int h, int seed) {
    const std::string path = dir.filePath(QString::fromStdString(name)).toStdString();
    const std::string png = dir.filePath(QString::fromStdString(name + ".png")).toStdString();
    PalettePattern(w, h, seed).save(QString::fromStdString(png), "PNG");
    ImageDescriptor image{};
    PngInfo info{};
    EXPECT_EQ(pnginfo(png.c_str(), &info), 0);
    EXPECT_EQ(allocimage(&image, info.width, info.length, info.vbitcount), 0);
    EXPECT_EQ(loadpng(png.c_str(), &image), 0);
    EXPECT_EQ(savexyz(path.c_str(), &image), 0);
    freeimage(&image);
    return path;
}

// The top-left of a surface against the picture it should show.
void ExpectShows(GuiSession& s, const std::string& surface, const QImage& picture) {
    const QImage view = ToImage(s.Form().Pic(surface).View());
    const int w = std::min(picture.width(), view.width());
    const int h = std::min(picture.height(), view.height());
    EXPECT_EQ(view.copy(0, 0, w, h).convertToFormat(QImage::Format_RGB32),
              picture.copy(0, 0, w, h).convertToFormat(QImage::Format_RGB32))
        << surface;
}

TEST(OpenFiles, EachSizeGoesToItsPageAndTheFirstComesToTheFront) {
    QTemporaryDir temp;
    struct File {
        std::string path, surface;
        QImage picture;
    };
    std::vector<File> files;
    int seed = 1;
    for (const PageInfo& p : Pages()) {
        const bool converter = p.letter == 'O';
        const Size size = converter ? Size{256, 1024} : p.sheet;
        const bool xyz = seed % 2 == 0;
        const std::string name = std::string(1, p.letter) + (xyz ? ".xyz" : ".png");
        const std::string path = xyz ? WriteXyz(temp, name, size.w, size.h, seed)
                                     : WritePattern(temp, name, size.w, size.h, seed);
        files.push_back({path, converter ? p.source.surface : p.target.surface,
                         xyz ? PalettePattern(size.w, size.h, seed) : Pattern(size.w, size.h, seed)});
        ++seed;
    }
    // Any other size is a chipset source.
    files.push_back({WritePattern(temp, "odd.PNG", 100, 60, 9), "CQ", Pattern(100, 60, 9)});
    QFile broken(temp.filePath("broken.png"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("no picture here");
    broken.close();

    // chipset.png charset.xyz, then a broken file and the rest: the chipset
    // page comes to the front, the broken file is named, the files after it open.
    std::vector<std::string> args;
    for (const File& f : files) args.push_back(f.path);
    args.insert(args.begin() + 2, temp.filePath("broken.png").toStdString());
    GuiSession s;
    s.ShowPageOf("RZ");
    OpenFiles(*s.window, *s.program, args);
    for (const File& f : files) {
        EXPECT_EQ(SurfaceForFile(f.path), f.surface) << f.path;
        ExpectShows(s, f.surface, f.picture);
    }
    EXPECT_EQ(s.window->Tabs("Tab1")->Current(), PageByLetter('C').tab);
    const std::string status = s.program->Status().Outcome();
    EXPECT_EQ(status, "Loaded 7 files; not a PNG file: could not load broken.png");
    // Each load was its button's load: an undo step on the page in front.
    EXPECT_TRUE(s.window->MenuAction("mnuUndo")->isEnabled());
}

// Runs `hand` on a thread of its own, as a second start would, while this
// thread's event loop turns for the running window; gives its outcome.
SingleInstance::Handed HandOverMeanwhile(const QString& path, const std::vector<std::string>& files,
                                         std::string* log = nullptr, int busyMs = 0) {
    std::atomic<int> handed = -1;
    std::ostringstream out;
    std::thread second([&] { handed = static_cast<int>(SingleInstance(path).HandOver(files, out)); });
    if (busyMs) std::this_thread::sleep_for(std::chrono::milliseconds(busyMs));  // a busy window
    EXPECT_TRUE(QTest::qWaitFor([&] { return handed != -1; }, 20000));
    second.join();
    if (log) *log = out.str();
    return static_cast<SingleInstance::Handed>(handed.load());
}

TEST(OpenFiles, ASecondStartHandsItsFilesToTheRunningWindow) {
    QTemporaryDir temp;
    const QString path = temp.filePath("tilewright-:0");
    const std::vector<std::string> handed = {WritePattern(temp, "face.png", 192, 192, 5),
                                             WriteXyz(temp, "sys.xyz", 160, 80, 6)};
    std::ostringstream quiet;
    // No window running: nobody takes the files.
    EXPECT_EQ(SingleInstance(path).HandOver(handed, quiet), SingleInstance::Handed::NoWindow);

    GuiSession running;
    SingleInstance server(path);
    std::string problem;
    ASSERT_TRUE(server.Listen(
        [&](const std::vector<std::string>& files) { OpenHandedFiles(*running.window, *running.program, files); },
        &problem)) << problem;
    EXPECT_EQ(HandOverMeanwhile(path, handed), SingleInstance::Handed::Taken);
    QTest::qWait(50);
    ExpectShows(running, PageByLetter('F').target.surface, Pattern(192, 192, 5));
    ExpectShows(running, PageByLetter('S').target.surface, PalettePattern(160, 80, 6));
    EXPECT_EQ(running.window->Tabs("Tab1")->Current(), PageByLetter('F').tab);

    // Relative names reach the running window as absolute ones, byte for byte;
    // options are not files.
    const std::string cwd = QDir::currentPath().toStdString();
    EXPECT_EQ(FileArguments({"tilewright", "-x", "caf\xe9.png", "--", "-b.png"}),
              std::vector<std::string>({cwd + "/caf\xe9.png", cwd + "/-b.png"}));
    // Each display has a window of its own.
    qputenv("DISPLAY", ":1");
    const QString one = SingleInstance::DefaultPath();
    qputenv("DISPLAY", ":2");
    EXPECT_NE(one, SingleInstance::DefaultPath());
    EXPECT_TRUE(one.endsWith("/tilewright-:1")) << one.toStdString();
}

// Names with any bytes arrive whole; past 1 000 the window drops the rest and
// the second start says how many; a busy window is waited for, never replaced.
TEST(OpenFiles, HandOversCarryBytesAreBoundedAndWaitForABusyWindow) {
    QTemporaryDir temp;
    const QString path = temp.filePath("tilewright-test");
    std::vector<std::vector<std::string>> got;
    SingleInstance server(path);
    ASSERT_TRUE(server.Listen([&](const std::vector<std::string>& names) { got.push_back(names); }, nullptr));

    const std::vector<std::string> odd = {"/tmp/two\nlines.png", "/tmp/caf\xe9.png", "/tmp/\x01\xff.bmp"};
    EXPECT_EQ(HandOverMeanwhile(path, odd), SingleInstance::Handed::Taken);
    QTest::qWait(20);
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0], odd);

    std::vector<std::string> many;
    for (int i = 0; i < 40000; ++i) many.push_back("/tmp/picture-number-" + std::to_string(i) + ".png");
    std::string log;
    EXPECT_EQ(HandOverMeanwhile(path, many, &log), SingleInstance::Handed::Taken);
    QTest::qWait(20);
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[1].size(), SingleInstance::kMaxNames);
    EXPECT_EQ(got[1].front(), many.front());
    EXPECT_NE(log.find("dropped 39000 names"), std::string::npos) << log;

    EXPECT_EQ(HandOverMeanwhile(path, odd, &log, 3500), SingleInstance::Handed::Taken);
    EXPECT_NE(log.find("waiting for the window already open"), std::string::npos) << log;
    QTest::qWait(20);
    EXPECT_EQ(got.size(), 3u);
}

// Something else at the socket's path is named and left alone; a socket or a
// peer of another user gets nothing.
TEST(OpenFiles, AnotherUsersSocketOrFileAtThePathGetsNothing) {
    QTemporaryDir temp;
    const QString path = temp.filePath("tilewright-test");
    QFile squatter(path);
    ASSERT_TRUE(squatter.open(QIODevice::WriteOnly));
    squatter.close();
    std::ostringstream log;
    std::string why;
    EXPECT_EQ(SingleInstance(path).HandOver({"/tmp/a.png"}, log, &why), SingleInstance::Handed::Refused);
    EXPECT_NE(why.find("not a Tilewright socket"), std::string::npos) << why;
    EXPECT_FALSE(SingleInstance(path).Listen([](const std::vector<std::string>&) {}, &why));
    EXPECT_TRUE(QFile::exists(path)) << "a file that is not ours is never deleted";
    ASSERT_TRUE(QFile::remove(path));

    if (getuid() != 0) GTEST_SKIP() << "needs root to play another user";
    const QByteArray where = QFile::encodeName(path);
    // A socket bound first by another user: nothing is sent to it.
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    std::strncpy(addr.sun_path, where.constData(), sizeof addr.sun_path - 1);
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
    ASSERT_EQ(::listen(fd, 4), 0);
    ASSERT_EQ(::chown(where.constData(), 65534, 65534), 0);
    EXPECT_EQ(SingleInstance(path).HandOver({"/tmp/a.png"}, log, &why), SingleInstance::Handed::Refused);
    pollfd waiting{fd, POLLIN, 0};
    EXPECT_EQ(::poll(&waiting, 1, 100), 0) << "the squatter was connected to";
    ::close(fd);
    ::unlink(where.constData());

    // Our window, and a peer of another user: it is cut off unheard.
    std::vector<std::vector<std::string>> got;
    SingleInstance server(path);
    ASSERT_TRUE(server.Listen([&](const std::vector<std::string>& names) { got.push_back(names); }, nullptr));
    ::chmod(QFile::encodeName(temp.path()).constData(), 0777);
    ::chmod(where.constData(), 0777);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (setgid(65534) != 0 || setuid(65534) != 0) _exit(3);
        const int c = ::socket(AF_UNIX, SOCK_STREAM, 0);
        if (::connect(c, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) _exit(4);
        const char message[] = "TWH1\0\0\0\1\0\0\0\x0a/tmp/a.png";
        if (::write(c, message, sizeof message - 1) < 0) _exit(5);
        char answer[8];
        _exit(::read(c, answer, sizeof answer) > 0 ? 1 : 0);
    }
    int status = -1;
    EXPECT_TRUE(QTest::qWaitFor([&] { return waitpid(child, &status, WNOHANG) == child; }, 10000));
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
    EXPECT_TRUE(got.empty());
}

// The Edit menu follows the clipboard without asking its owner: a clipboard
// whose owner never answers is read by Paste alone.
TEST(OpenFiles, EventsNeverAskTheClipboardsOwner) {
    struct Stalled : Clipboard {
        mutable int reads = 0;
        bool MayHoldImage() const override { return true; }
        std::optional<Raster> Image(int, int) const override { return ++reads, std::nullopt; }
        void SetImage(const Raster&) override {}
    } stalled;
    GuiSession s;
    s.program->UseClipboard(&stalled);
    s.Move("CZ", 40, 40);
    s.Press("CZ", Qt::LeftButton, 40, 40);
    QTest::keyClick(s.window.get(), Qt::Key_H);
    s.Click("LoadZChip");
    EXPECT_EQ(stalled.reads, 0);
    EXPECT_TRUE(s.window->MenuAction("mnuPaste")->isEnabled());
    s.window->MenuAction("mnuPaste")->trigger();
    EXPECT_EQ(stalled.reads, 1);
    EXPECT_EQ(s.program->Status().Outcome(), "The clipboard holds no picture");
    s.program->UseClipboard(nullptr);
}

TEST(FileDialogPlaces, EachDialogStartsWhereItWasLastUsed) {
    QTemporaryDir temp;
    QDir(temp.path()).mkdir("sheets");
    QDir(temp.path()).mkdir("photos");
    const QString sheets = temp.filePath("sheets"), photos = temp.filePath("photos");
    QtFileDialog dialog;
    dialog.Filter = modTWFunc::kSaveFilter;
    {
        // First run: the save dialog starts on PNG, or on the sheet's own type.
        SaveDialogPlace(true, {});
        QFileDialog d;
        dialog.Prepare(d, true);
        EXPECT_EQ(d.selectedNameFilter(), "PNG (*.png *.PNG)");
        dialog.Format = "gif";
        QFileDialog own;
        dialog.Prepare(own, true);
        EXPECT_EQ(own.selectedNameFilter(), "GIF (*.gif *.GIF)");
        dialog.Format.clear();
    }
    QtFileDialog::Remember(true, sheets + "/chipset.png", "PNG (*.png *.PNG)");
    dialog.Filter = modTWFunc::kOpenFilter;
    QtFileDialog::Remember(false, photos + "/forest.jpeg", "All files (*)");
    struct Case {
        bool save;
        const char* filter;
        QString folder, nameFilter;
    };
    const Case cases[] = {
        {true, modTWFunc::kSaveFilter, sheets, "PNG (*.png *.PNG)"},
        {false, modTWFunc::kOpenFilter, photos, "All files (*)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.save ? "save" : "open");
        // A new dialog object, as after a restart: only the preferences remember.
        QtFileDialog fresh;
        fresh.Filter = c.filter;
        QFileDialog d;
        fresh.Prepare(d, c.save);
        EXPECT_EQ(d.directory().absolutePath(), QDir(c.folder).absolutePath());
        EXPECT_EQ(d.selectedNameFilter(), c.nameFilter);
    }
    // A remembered folder that is gone no longer counts; a filter not offered is ignored.
    QtFileDialog::Remember(true, temp.filePath("gone/x.png"), "WEBP (*.webp)");
    QtFileDialog fresh;
    fresh.Filter = modTWFunc::kSaveFilter;
    QFileDialog d;
    fresh.Prepare(d, true);
    EXPECT_NE(d.directory().absolutePath(), temp.filePath("gone"));
    EXPECT_EQ(d.selectedNameFilter(), "PNG (*.png *.PNG)");
}

// Save As onto an existing file asks Qt's standard question first, also for a
// name typed without its extension; "No" keeps the dialog open and the file.
TEST(FileDialogPlaces, SaveAsAsksBeforeReplacingAFile) {
    QTemporaryDir temp;
    QFile existing(temp.filePath("sheet.png"));
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.close();
    QtFileDialog dialog;
    dialog.Filter = modTWFunc::kSaveFilter;
    dialog.Format = "png";
    for (const char* typed : {"sheet", "sheet.png", "new"}) {
        SCOPED_TRACE(typed);
        QFileDialog d;
        dialog.Prepare(d, true);
        d.setDirectory(temp.path());
        d.selectFile(typed);
        QString asked;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            asked = box->text();
            box->button(QMessageBox::No)->click();
        });
        static_cast<QDialog&>(d).accept();  // the Save button
        QCoreApplication::processEvents();
        const bool exists = std::string(typed) != "new";
        EXPECT_EQ(asked.contains("sheet.png already exists"), exists) << asked.toStdString();
        EXPECT_EQ(d.result() == QDialog::Accepted, !exists);
        if (!exists) {
            EXPECT_EQ(d.selectedFiles().value(0), temp.filePath("new.png"));
        }
    }
}

}  // namespace
}  // namespace tw::test
