#include "gui/window/about_host.h"

namespace tw {

void QtAboutHost::ShowModal(frmAbout& about) {
    AboutDialog dialog(about, owner_);
    if (hook_) {
        dialog.show();
        hook_(dialog);
    } else {
        dialog.exec();
    }
    // However it was closed, the window is gone: the next "About" makes it anew.
    about.Unloaded = true;
}

}  // namespace tw
