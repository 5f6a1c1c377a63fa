#include "editors/transparent_key.h"

#include <cstdio>

namespace tw {

const char* OriginName(TransparentOrigin origin) {
    switch (origin) {
        case TransparentOrigin::Pixel: return "pixel";
        case TransparentOrigin::File: return "file";
        case TransparentOrigin::Chosen: return "chosen";
    }
    return "";
}

std::string HexColour(Pixel colour) {
    char text[8];
    std::snprintf(text, sizeof text, "#%06X", static_cast<unsigned>(colour & 0xFFFFFFu));
    return text;
}

}  // namespace tw
