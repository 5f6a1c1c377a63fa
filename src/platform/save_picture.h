#pragma once
// Writes a picture to a BMP file at 24 bits, as the platform writes a surface
// image; deletes a file. Both report success.

#include <string>

#include "platform/picture.h"

namespace tw {

bool SavePicture(const Picture& picture, const std::string& path);
bool DeleteFile(const std::string& path);
// The folder that holds the running program's executable.
std::string ProgramFolder();

}  // namespace tw
