#pragma once
// What became of one load or save: the picture's facts when it worked, the
// reason in the user's words when it did not.

#include <cstdint>
#include <string>

namespace tw {

struct FileResult {
    enum class Outcome { None, Loaded, Saved, Cancelled, Failed };

    Outcome outcome = Outcome::None;
    bool saving = false;  // a save rather than a load
    std::string fileName{};
    int width = 0, height = 0, bitsPerPixel = 0, colours = 0;
    bool reduced = false;  // a save reduced the sheet to 256 colours
    // A loaded palette picture: its index-0 colour, and whether pixels of
    // other indices show that colour too.
    bool palette = false;
    uint32_t indexZero = 0;
    bool indexZeroRepeated = false;
    std::string reason{};  // why it failed, e.g. "not a PNG file"

    bool Failed() const { return outcome == Outcome::Failed; }
    // "load PATH: reason" or "save PATH: reason".
    std::string Message() const { return (saving ? "save " : "load ") + fileName + ": " + reason; }
};

}  // namespace tw
