#pragma once
// Shows the About window modally over the main window. Tests put a hook in
// place of the modal run: they get the shown window and close it themselves.

#include <functional>

#include "editors/program.h"
#include "gui/window/about_dialog.h"

namespace tw {

class QtAboutHost : public AboutHost {
public:
    void SetOwner(QWidget* owner) { owner_ = owner; }
    void SetShownHook(std::function<void(AboutDialog&)> hook) { hook_ = std::move(hook); }
    void ShowModal(frmAbout& about) override;

private:
    QWidget* owner_ = nullptr;
    std::function<void(AboutDialog&)> hook_;
};

}  // namespace tw
