#pragma once
// What a bench gives the program in place of the window: a file dialog that
// is always cancelled and an About box that closes at once.

#include "platform/file_dialog.h"
#include "editors/program.h"

namespace tw::bench {

class NoDialog : public FileDialog {
public:
    int ShowOpen() override { return kCancelError; }
    int ShowSave() override { return kCancelError; }
};

class NoAbout : public AboutHost {
public:
    void ShowModal(frmAbout& about) override { about.Unloaded = true; }
};

}  // namespace tw::bench
