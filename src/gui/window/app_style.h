#pragma once
// One look on every desktop: the Fusion style and a small font, so that the
// captions fit the fixed button and tab sizes of the window.

class QApplication;

namespace tw {

void ApplyAppStyle(QApplication& app);

}  // namespace tw
