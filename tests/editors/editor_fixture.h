#pragma once
// What the editor and runner tests share: a started program with a scratch
// folder and a file dialog that answers from a queue, generated pictures,
// and plain reference copies to compare the surfaces against.

#include <gtest/gtest.h>
#include <unistd.h>

#include <deque>
#include <filesystem>
#include <optional>
#include <string>

#include "editors/program.h"
#include "imagefiles/dib.h"
#include "imagefiles/mod_tw_func.h"
#include "imagefiles/dump_picture.h"

namespace tw::test {

namespace fs = std::filesystem;

// Answers open and save dialogs from a queue; an empty queue or a nullopt cancels.
class QueueDialog : public FileDialog {
public:
    std::deque<std::optional<std::string>> answers;
    int ShowOpen() override { return Answer(); }
    int ShowSave() override { return Answer(); }

private:
    int Answer() {
        const std::optional<std::string> a = answers.empty() ? std::nullopt : answers.front();
        if (!answers.empty()) answers.pop_front();
        if (!a) return kCancelError;
        FileName = *a;
        return 0;
    }
};

class ClosingAbout : public AboutHost {
public:
    void ShowModal(frmAbout& about) override { about.Unloaded = true; }
};

// A fresh scratch folder, removed again at the end.
struct ScratchDir {
    fs::path path;
    ScratchDir() {
        std::string t = (fs::temp_directory_path() / "tw-test-XXXXXX").string();
        path = ::mkdtemp(t.data());
    }
    ~ScratchDir() {
        std::error_code ec;
        fs::remove_all(path, ec);
    }
    std::string operator/(const std::string& name) const { return (path / name).string(); }
};

// Pixels that differ from their neighbours and from one seed to the next, so
// that any misplaced, lost or mixed pixel shows.
inline Raster NoisePicture(int w, int h, uint32_t seed) {
    Raster r(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint32_t v = static_cast<uint32_t>(x) * 73856093u ^ static_cast<uint32_t>(y) * 19349663u ^
                         (seed + 1) * 83492791u;
            v ^= v >> 13;
            v *= 0x5bd1e995u;
            r.Set(x, y, (v ^ v >> 15) & 0xFFFFFFu);
        }
    return r;
}

// The w x h block at (x, y) of r; pixels outside r take `outside`.
inline Raster Block(const Raster& r, int x, int y, int w, int h, Pixel outside) {
    Raster out(w, h, outside);
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i)
            if (r.Contains(x + i, y + j)) out.Set(i, j, r.At(x + i, y + j));
    return out;
}

// r with the w x h block at (0, 0) of `cell` put at (x, y), clipped to both.
inline Raster Stamped(Raster r, int x, int y, const Raster& cell, int w, int h) {
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i)
            if (cell.Contains(i, j) && r.Contains(x + i, y + j)) r.Set(x + i, y + j, cell.At(i, j));
    return r;
}

// Where two rasters first differ, for a readable failure.
inline ::testing::AssertionResult SameRaster(const Raster& actual, const Raster& expected) {
    if (actual.Width() != expected.Width() || actual.Height() != expected.Height())
        return ::testing::AssertionFailure() << "size " << actual.Width() << "x" << actual.Height()
                                             << ", expected " << expected.Width() << "x"
                                             << expected.Height();
    for (int y = 0; y < actual.Height(); ++y)
        for (int x = 0; x < actual.Width(); ++x)
            if (actual.At(x, y) != expected.At(x, y))
                return ::testing::AssertionFailure()
                       << "pixel (" << x << ", " << y << ") is " << std::hex << actual.At(x, y)
                       << ", expected " << expected.At(x, y);
    return ::testing::AssertionSuccess();
}

// Reads a picture file back through the imaging layer; empty when it cannot.
inline Raster ReadPicture(const std::string& path) {
    const std::string ext = FormatExtension(path);
    ImageDescriptor image{};
    int w = 0, h = 0, bpp = 0, rc = -1;
    if (ext == "png") {
        PngInfo i{};
        if (pnginfo(path.c_str(), &i) == 0) w = i.width, h = i.length, bpp = i.vbitcount, rc = 0;
    } else if (ext == "bmp") {
        BITMAPINFOHEADER i{};
        if (bmpinfo(path.c_str(), &i) == 0) w = i.biWidth, h = i.biHeight, bpp = i.biBitCount, rc = 0;
    }
    if (rc != 0 || allocimage(&image, w, h, bpp) != 0) return Raster();
    rc = ext == "png" ? loadpng(path.c_str(), &image) : loadbmp(path.c_str(), &image);
    Raster out = rc == 0 ? ImageToRaster(image) : Raster();
    freeimage(&image);
    return out;
}

// A started program (load handler run) whose dialogs answer from a queue, with
// a scratch folder for its files.
class Editor {
public:
    ScratchDir dir;
    QueueDialog dialog;
    ClosingAbout about;
    Program program;

    Editor() : program(dialog, about) { program.Load(); }

    frmMain& form() { return program.Form(); }
    ModuleState& state() { return program.Form().State; }
    const Raster& View(const char* surface) { return form().Pic(surface).View(); }
    const Raster* Shown(const char* view) { return form().Img(view).GetPicture().raster(); }

    // Writes `picture` as a BMP into the scratch folder.
    std::string Write(const Raster& picture, const std::string& name) {
        const std::string path = dir / name;
        EXPECT_EQ(DumpRaster(picture, path), "") << path;
        return path;
    }
    // Answers the next dialog with `picture` and clicks `button`.
    void Load(const char* button, const Raster& picture, const std::string& name = "in.bmp") {
        dialog.answers.push_back(Write(picture, name));
        Click(button);
    }
    void Cancel(const char* button) {
        dialog.answers.push_back(std::nullopt);
        Click(button);
    }
    void Click(const char* name) { ASSERT_EQ(program.Click(name), EventResult::Handled) << name; }
    void Down(const char* s, int button, float x, float y) { program.MouseDown(s, button, 0, x, y); }
    void Move(const char* s, int buttons, float x, float y) { program.MouseMove(s, buttons, 0, x, y); }
    void Tick(const char* timer) { ASSERT_EQ(program.Tick(timer), EventResult::Handled) << timer; }
};

}  // namespace tw::test
