#pragma once
// The status line's sentence for what a load or save button did:
// "Loaded forest.png into the chipset target (480 x 256, 143 colours)",
// "Could not load notes.png: not a PNG file", "Saved chipset.png (8-bit
// palette, 143 colours)".

#include <optional>
#include <string>
#include <string_view>

#include "editors/page_table.h"
#include "imagefiles/file_result.h"

namespace tw {

// A page's button that loads into one side or saves the target.
struct FileButton {
    PageRef side;
    bool save;
};
std::optional<FileButton> FileButtonOf(std::string_view button);

// What a save of a sheet with that many colours writes in the format its
// name picks: "8-bit palette, 143 colours", "24 bits, 300 colours: ...".
std::string SavedDescription(std::string_view fileName, int colours);

// What a load did to a picture of w x h that went into `page`'s sheet, when
// it did not fit exactly: "charA.png is 300 x 260: 12 columns and 4 rows are
// outside the 288 x 256 sheet", or the part of the sheet still showing the
// empty surface, which a save writes. Empty for a picture of the sheet's size.
std::string LoadSizeNote(const std::string& fileName, int w, int h, const PageInfo& page);

// What a source keeps of a loaded picture larger than it holds:
// "; only its top-left 8192 x 8192 is kept". Empty for anything else.
std::string KeptPartNote(const FileResult& result, int keptSide);

// The sentence for a result of that button. `colours` counts the surface the
// file went to or came from. A cancel says nothing (""): nothing changed.
std::string FileOutcomeMessage(const FileResult& result, FileButton button, int colours);

}  // namespace tw
