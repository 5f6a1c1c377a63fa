// How long the window waits on a clipboard owner that stopped answering:
// what an event costs now (the clipboard's change noted, the Paste item's
// state read), what it cost when every event asked the owner whether it held
// a picture, and what Paste itself waits. Run by bench/hostile/clipboard.sh
// on Xvfb with a stopped xclip owning the clipboard.

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QMimeData>
#include <cstdio>
#include <functional>

#include "gui/window/qt_clipboard.h"

namespace {

double Seconds(const std::function<void()>& f) {
    QElapsedTimer t;
    t.start();
    f();
    return t.nsecsElapsed() / 1e9;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    tw::QtClipboard clipboard;
    bool may = false;
    const double event = Seconds([&] {
        clipboard.Changed();
        may = clipboard.MayHoldImage();
    });
    std::printf("an event (change noted, Paste's state read): %8.3f s, Paste offered: %s\n", event,
                may ? "yes" : "no");
    bool had = false;
    const double asked = Seconds([&] {
        const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
        had = mime && mime->hasImage();
    });
    std::printf("an event as before (the owner asked):        %8.3f s, picture: %s\n", asked,
                had ? "yes" : "no");
    bool got = false;
    const double paste = Seconds([&] { got = clipboard.Image(480, 256).has_value(); });
    std::printf("Paste (the owner asked for its picture):     %8.3f s, picture: %s\n", paste,
                got ? "yes" : "no");
    return 0;
}
