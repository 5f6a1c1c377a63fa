// Frame times of the window on the offscreen platform: from a synthetic event
// to the end of the repaint it causes, the median of 100, each beside a plain
// QLabel of the same size repainting the same pixels. Goal: at most twice the
// plain repaint. bench/gui/run.sh runs it on a screen large enough for 4x.
// One argument (move, wheel or zoom) runs that case alone, for a profiler.

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "editors/program.h"
#include "gui/magnifier/client_zoom.h"
#include "gui/window/about_host.h"
#include "gui/window/main_window.h"
#include "gui/window/qt_file_dialog.h"
#include "gui/window/raster_image.h"
#include "imagefiles/dump_picture.h"

namespace {

using namespace tw;

constexpr int kRuns = 100;

Raster Noise(int w, int h, uint32_t seed) {
    Raster r(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            seed = seed * 1664525u + 1013904223u;
            r.Set(x, y, seed >> 8);
        }
    return r;
}

// The median time in microseconds of `step(i)` and all the painting it asks for.
template <class Step>
double MedianMicros(Step step) {
    std::vector<double> times;
    for (int i = 0; i < kRuns; ++i) {
        QElapsedTimer clock;
        clock.start();
        step(i);
        QCoreApplication::processEvents();
        times.push_back(clock.nsecsElapsed() / 1000.0);
    }
    std::nth_element(times.begin(), times.begin() + kRuns / 2, times.end());
    return times[kRuns / 2];
}

// A QLabel showing `pixels` at `zoom`, repainted whole. Like the zoomed
// window it enlarges the pixels at every repaint, rather than once before.
double PlainMicros(const QImage& pixels, int zoom) {
    QLabel label;
    label.setPixmap(QPixmap::fromImage(pixels));
    label.setScaledContents(true);
    label.resize(pixels.size() * zoom);
    label.show();
    (void)QTest::qWaitForWindowExposed(&label);
    return MedianMicros([&](int) { label.update(); });
}

void Report(const char* what, double window, double plain, bool& met) {
    const double ratio = window / plain;
    met = met && ratio <= 2;
    std::printf("%-46s %9.0f us %9.0f us %7.2f\n", what, window, plain, ratio);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const std::string tall = dir.filePath("tall.bmp").toStdString();
    const std::string sheet = dir.filePath("sheet.bmp").toStdString();
    if (!DumpRaster(Noise(480, 2048, 1), tall).empty() || !DumpRaster(Noise(480, 256, 2), sheet).empty())
        return 2;

    QtFileDialog dialog;
    dialog.SetInteractive(false);
    QtAboutHost about;
    Program program(dialog, about);
    program.Load();
    MainWindow window(program, dialog);
    window.show();
    (void)QTest::qWaitForWindowExposed(&window);
    dialog.QueueFile(tall);
    window.Click("LoadQChip");
    dialog.QueueFile(sheet);
    window.Click("LoadZChip");
    QCoreApplication::processEvents();

    SurfaceWidget* target = window.Surface("CZ");
    SurfaceWidget* source = window.Surface("CQ");
    // Each move lands on another cell, so every one moves the insert outline.
    const auto move = [&](int i) {
        const QPointF at(1 + (i * 37) % 480, 1 + (i * 13) % 256);
        QMouseEvent e(QEvent::MouseMove, at, target->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                      Qt::NoModifier);
        QApplication::sendEvent(target, &e);
    };
    // Down and up in turn: every step moves the view one row.
    const auto wheel = [&](int i) {
        const QPointF at(100, 100);
        QWheelEvent e(at, source->mapToGlobal(at), QPoint(), QPoint(0, i % 2 ? 120 : -120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(source, &e);
    };
    const QImage targetPixels = target->grab().toImage();
    const QImage sourcePixels = source->grab().toImage();

    const std::string only = argc > 1 ? argv[1] : "";
    const auto runs = [&only](const char* name) { return only.empty() || only == name; };
    bool met = true;
    std::printf("frame time, median of %d, offscreen             %12s %12s %7s\n", kRuns, "window",
                "plain QLabel", "ratio");
    if (runs("move"))
        Report("pointer move over the chipset target, 1x", MedianMicros(move), PlainMicros(targetPixels, 1),
               met);
    if (runs("wheel"))
        Report("wheel step over a 480 x 2048 source, 1x", MedianMicros(wheel), PlainMicros(sourcePixels, 1),
               met);
    if (!runs("zoom")) {
    } else if (window.Zoom().SetFactor(4) == 4) {
        QCoreApplication::processEvents();
        Report("pointer move over the chipset target, 4x", MedianMicros(move), PlainMicros(targetPixels, 4),
               met);
    } else {
        std::printf("4x: the screen is too small for the window at 4x\n");
    }
    std::printf("goal: at most 2x the plain repaint: %s\n", met ? "met" : "NOT met");
    return met ? 0 : 1;
}
