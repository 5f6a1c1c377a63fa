#pragma once
// A started program for the editor, runner and platform tests, with a scratch
// folder and a file dialog that answers from a queue.

#include <gtest/gtest.h>

#include <string>

#include "editors/program.h"
#include "imagefiles/dump_picture.h"
#include "platform/queued_file_dialog.h"
#include "support/image_files.h"
#include "support/pictures.h"
#include "support/scratch_dir.h"

namespace tw::test {

class ClosingAbout : public AboutHost {
public:
    void ShowModal(frmAbout& about) override { about.Unloaded = true; }
};

// A started program (load handler run) whose dialogs answer from a queue, with
// a scratch folder for its files.
class Editor {
public:
    ScratchDir dir;
    QueuedFileDialog dialog;
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
        dialog.QueueFile(Write(picture, name));
        Click(button);
    }
    void Cancel(const char* button) {
        dialog.QueueCancel();
        Click(button);
    }
    void Click(const char* name) { ASSERT_EQ(program.Click(name), EventResult::Handled) << name; }
    void Down(const char* s, int button, float x, float y) { program.MouseDown(s, button, 0, x, y); }
    void Move(const char* s, int buttons, float x, float y) { program.MouseMove(s, buttons, 0, x, y); }
    void Tick(const char* timer) { ASSERT_EQ(program.Tick(timer), EventResult::Handled) << timer; }
};

}  // namespace tw::test
