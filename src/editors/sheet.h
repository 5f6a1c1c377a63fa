#pragma once
// A page's target sheet as a document: its pixels and assigned picture (held
// by the page's target surface, which the window draws), its history, its
// file and its transparent colour. It changes only through Apply(edit), which
// keeps the step in the history and makes the change in one call, so no
// change of a sheet can forget its undo or its recovery copy.

#include <string>
#include <unordered_map>
#include <variant>
#include <vector>

#include "editors/colour_tally.h"
#include "editors/edit_history.h"
#include "imagefiles/file_result.h"
#include "platform/surface.h"

namespace tw {

struct PageInfo;

// The edits a sheet knows.
namespace edit {

// The w x h block at (fromX, fromY) of `from` copied to (x, y): a stamp.
struct Copy {
    int x, y, w, h;
    const Raster& from;
    int fromX = 0, fromY = 0;
};
// The fromW x fromH block at the corner of `from` shrunk into the w x h block
// at (x, y), the pixels that meet combined as a stretched copy combines them:
// the converter's 1:2 stamp.
struct HalvedCopy {
    int x, y, w, h;
    const Raster& from;
    int fromW, fromH;
};
// The whole sheet takes the colour of pixel (px, py) of `from`, cleared to
// its picture first when `clearFirst`: New Template.
struct Fill {
    const Raster& from;
    int px, py;
    bool clearFirst;
};
// The whole sheet becomes `picture`: a loaded file, a reverted one, a
// recovered sheet; `key` is the transparent colour it comes with.
struct Replace {
    EditKind kind;
    Picture picture;
    TransparentKey key{};
};
// The sheet's transparent colour becomes `colour`, chosen by the user.
struct ChooseTransparent {
    Pixel colour;
};
// Every pixel of a colour the map names takes the colour it maps to, as one
// step of `kind`: a reduction, colours merged. The transparent colour stays.
using ColourMap = std::unordered_map<Pixel, Pixel>;
struct Recolour {
    EditKind kind;
    ColourMap map;
};

}  // namespace edit

using SheetEdit = std::variant<edit::Copy, edit::HalvedCopy, edit::Fill, edit::Replace,
                               edit::ChooseTransparent, edit::Recolour>;

// The file a sheet was last loaded from or saved to, when a save can write
// the sheet back there as it is; empty otherwise.
struct SheetFile {
    std::string path;
    std::string format;  // as FormatExtension gives it: "png", "bmp", ...
};

class Sheet {
public:
    Sheet(SheetSurface& surface, const PageInfo& page, EditHistories& budget);
    Sheet(const Sheet&) = delete;
    Sheet& operator=(const Sheet&) = delete;

    const PageInfo& Info() const { return page_; }
    // The target surface that shows the sheet.
    const Surface& Target() const { return surface_; }
    const Raster& Pixels() const { return surface_.View(); }

    // Keeps the step and makes the change.
    void Apply(const SheetEdit& edit);
    bool Undo();
    bool Redo();
    const EditHistory& History() const { return history_; }
    // Changed since it was last loaded or saved, or since start-up.
    bool Modified() const { return history_.Modified(); }

    // After a load or save of this sheet: one that worked makes the sheet as
    // it stands unchanged, and the file the sheet's own, unless saving back
    // there would lose something (a JPG, lossy; a picture larger than the
    // sheet, cut).
    void Took(const FileResult& result);
    // The file a picture of `width` x `height` came from becomes the
    // sheet's own by the same rule as a load, the sheet staying unsaved:
    // an old picture put back, which a save writes over its file again.
    void TakeFileOf(const std::string& path, int width, int height);
    const SheetFile& File() const { return file_; }

    // The colour the engine shows as transparent: the one the sheet keeps
    // (from its palette file, or chosen), else that of the pixel the page
    // keeps it in (0 when the sheet is too small to hold that pixel).
    Pixel TransparentColour() const;
    // That colour and where it came from.
    TransparentKey Transparent() const { return {key_.origin, TransparentColour()}; }
    // The colour a save writes at index 0 when the sheet keeps its own;
    // none while it comes from the pixel.
    std::optional<Pixel> KeptTransparentColour() const;

    // The sheet's palette as a save writes it: the transparent colour first
    // (even where no pixel has it), then the other colours in the order a
    // row-by-row reading meets them. More than 256 entries means a save
    // writes true colour.
    std::vector<Pixel> Palette() const;
    // Its length, without building it.
    int ColourCount() const;
    // The colours the pixels hold (the transparent one only where a pixel has it).
    int PixelColours() const { return static_cast<int>(Tally().Size()); }
    // How many pixels have `colour`.
    uint32_t PixelsOf(Pixel colour) const { return Tally().PixelsOf(colour); }

private:
    void Make(const edit::Copy& e);
    void Make(const edit::HalvedCopy& e);
    void Make(const edit::Fill& e);
    void Make(const edit::Replace& e);
    void Make(const edit::ChooseTransparent& e);
    void Make(const edit::Recolour& e);
    // The colours follow each change of a block by taking the block's
    // pixels out before and back in after; a change of the whole sheet
    // counts again when next asked.
    void Uncount(int x, int y, int w, int h);
    void Recount(int x, int y, int w, int h);
    const ColourTally& Tally() const;
    // Undo or redo: the history exchanges its kept pixels with the sheet's.
    bool Exchange(bool (EditHistory::*step)(EditHistory::SheetState));

    SheetSurface& surface_;
    const PageInfo& page_;
    EditHistory history_;
    SheetFile file_;
    TransparentKey key_;
    mutable ColourTally tally_;
};

}  // namespace tw
