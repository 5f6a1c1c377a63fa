#pragma once
// A picture file by the format its name picks: what its header declares,
// read without decoding (enough to decide which page a file belongs to, or to
// allocate the image a load fills), and then its pixels.

#include <optional>
#include <string>

struct ImageDescriptor;

namespace tw {

struct PictureHeader {
    int width, height;
    int bitsPerPixel;  // the depth the format's load routine delivers
};

// The header of the file, by the format its name picks; nothing when the
// name's format is unknown or the header cannot be read.
std::optional<PictureHeader> ReadPictureHeader(const std::string& fileName);

// Decodes the file (a TIFF's first page) into `image`, allocated from its
// header; the format's load result (0 when it loaded).
int LoadPictureBody(const std::string& fileName, ImageDescriptor* image);

}  // namespace tw
