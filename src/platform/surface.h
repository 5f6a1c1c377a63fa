#pragma once
// A picture box: a surface with a fixed client size, a background colour, an
// assigned Picture and a persistent image that block copies draw into.
// Everyone may read a surface; who may draw into it depends on what it is:
// a Canvas (a source, a buffer) is drawn into by the editors directly, a
// SheetSurface (a page's target sheet) only by its Sheet, so that every change
// of a sheet is an edit that can be undone.

#include <memory>
#include <utility>

#include "platform/control.h"
#include "platform/picture.h"

namespace tw {

enum class BorderStyle {
    Flat1,    // source and target surfaces: client = outer - 2
    Raised2,  // buffers, picTemp, picChip: client = outer - 4
};

class Sheet;

class Surface : public Control {
public:

    int ClientWidth() const { return image_->Width(); }
    int ClientHeight() const { return image_->Height(); }
    Pixel BackColor() const { return backColor_; }
    BorderStyle Border() const { return border_; }
    // True for a surface that takes the size of its picture (picTemp).
    bool SizesToPicture() const { return autoSize_; }
    // True for a surface that keeps more of its picture than it shows (a
    // page's source, which scrolls over it).
    bool KeepsWholePicture() const { return keepsWhole_; }
    int BorderPixels() const { return border_ == BorderStyle::Flat1 ? 1 : 2; }

    // Outer size in twips (15 to the pixel), border included.
    int OuterWidthTwips() const { return (ClientWidth() + 2 * BorderPixels()) * 15; }
    int OuterHeightTwips() const { return (ClientHeight() + 2 * BorderPixels()) * 15; }
    const Picture& GetPicture() const { return picture_; }
    const Raster& View() const { return *image_; }
    // Shows the persistent image.
    void Refresh() { Touch(); }
    // A snapshot of the persistent image that later drawing does not change.
    Picture Image() const { return Picture(std::shared_ptr<const Raster>(image_)); }

protected:
    Surface(std::string name, std::string container, Placement place, BorderStyle border,
            Pixel backColor, bool autoSize);

    // Sets the outer size in twips; the client follows (outer / 15 - border),
    // keeping what the persistent image holds at its top left.
    void SetOuterTwips(int widthTwips, int heightTwips);
    // Assigns a picture: the persistent image becomes the background with the
    // picture at (0, 0). A size-to-picture surface takes the picture's size.
    void SetPicture(Picture picture);
    // Puts another picture in the assigned one's place without redrawing, and
    // returns the one it replaces: undo gives back a sheet's pixels and picture
    // together.
    Picture ExchangePicture(Picture picture) {
        std::swap(picture, picture_);
        return picture;
    }

    // Lets go of the picture and the persistent image, leaving an empty
    // client: a surface that holds a whole huge picture gives its memory
    // back before the next one is built.
    void ReleasePicture();

    // The persistent image, for drawing into.
    Raster& hDC();
    // Throws away everything drawn since the picture was assigned.
    void Cls();

    // The picture's pixel at the client's top left; (0, 0) but on a source
    // scrolled over a large picture.
    int originX_ = 0, originY_ = 0;
    bool keepsWhole_ = false;

private:
    void Reset(int width, int height);
    // Makes the persistent image a raster of its own, of the given size, for
    // the next drawing; an Image() snapshot keeps the one it holds.
    void Detach(int width, int height, bool keepPixels);

    BorderStyle border_;
    Pixel backColor_;
    bool autoSize_;
    Picture picture_;
    std::shared_ptr<Raster> image_;
    // The raster last handed out as a snapshot. A buffer shown in a view gets
    // it back as soon as the view moves on to the next snapshot, so a preview
    // redrawn on every pointer move allocates nothing.
    std::shared_ptr<Raster> spare_;
};

// A surface the editors draw into: a source, a buffer, picTemp, picChip.
class Canvas : public Surface {
public:
    Canvas(std::string name, std::string container, Placement place, BorderStyle border,
           Pixel backColor, bool autoSize = false)
        : Surface(std::move(name), std::move(container), place, border, backColor, autoSize) {}

    using Surface::Cls;
    using Surface::hDC;
    using Surface::SetOuterTwips;
    using Surface::SetPicture;
    using Surface::ReleasePicture;
};

// A page's target sheet. Its pixels and picture change only through the
// Sheet that owns it, which keeps every change in the sheet's history.
class SheetSurface : public Surface {
public:
    SheetSurface(std::string name, std::string container, Placement place, BorderStyle border,
                 Pixel backColor)
        : Surface(std::move(name), std::move(container), place, border, backColor, false) {}

private:
    friend class Sheet;
};

}  // namespace tw
