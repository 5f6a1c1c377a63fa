#pragma once
// The colours the engine takes, as the program watches and changes them on a
// sheet: the warnings a stamp earns when it changes the transparent colour or
// takes the sheet past 256 colours, Edit > Reduce Colours, and the line
// `show Colours` prints.

#include <string>

#include "editors/sheet.h"

namespace tw {

// The facts a stamp's warning compares: taken before, compared after.
struct ColourWatch {
    TransparentKey key;
    int count = 0;
};
ColourWatch WatchColours(const Sheet& sheet);

// What the change since `before` did that the engine will show, with Ctrl+Z
// as the way back: the transparent pixel of a sheet whose colour comes from
// it now holds another colour; the sheet went past 256 colours. "" when
// neither happened.
std::string ColourWarning(const Sheet& sheet, const ColourWatch& before);

// The sheet reduced to at most `colours` colours as one step, the
// transparent colour exact and alone at index 0. The status line's words:
// the counts before and after and how close the picture stayed.
std::string ReduceSheetColours(Sheet& sheet, int colours);

// Every pixel of `from` takes `to`, as one step ("Merge Colours"). The status
// line's words: how many pixels changed, and what the engine hides now when
// `from` or `to` was the transparent colour; a merge that changes nothing
// makes no step and says why.
std::string MergeSheetColours(Sheet& sheet, Pixel from, Pixel to);

// Where the transparent colour came from: "from the file", "chosen",
// "from pixel 288, 128".
std::string TransparentOriginWords(const Sheet& sheet);

// A swatch of the colour panel named in the status line: "Colour 5 of 143:
// #102030, 1234 pixels"; index 0 adds "transparent, " and its origin, an
// index past the engine's 256 says the engine cannot take it.
std::string SwatchWords(const Sheet& sheet, int index, Pixel colour);

// "Colours sheet=CZ count=143 transparent=#FF00FF from=file".
std::string DescribeColours(const Sheet& sheet);

}  // namespace tw
