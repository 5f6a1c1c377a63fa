#pragma once
// A picture file's width and height, read from its header alone: enough to
// decide which page a file belongs to before anything is decoded.

#include <optional>
#include <string>

namespace tw {

struct PictureDimensions {
    int width, height;
};

// The size the file's header declares, by the format its name picks; nothing
// when the name's format is unknown or the header cannot be read.
std::optional<PictureDimensions> PictureSizeOf(const std::string& fileName);

}  // namespace tw
