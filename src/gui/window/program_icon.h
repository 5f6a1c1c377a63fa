#pragma once
// The program's window icon: the project's own art at 48, 32 and 16 pixels.

#include <QIcon>

namespace tw {

QIcon ProgramIcon();

}  // namespace tw
