#include "editors/file_outcome.h"

#include <algorithm>
#include <cctype>

#include "editors/status_line.h"
#include "editors/transparent_key.h"
#include "imagefiles/image_format.h"

namespace tw {
namespace {

std::string Lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

std::string Colours(int n) { return std::to_string(n) + (n == 1 ? " colour" : " colours"); }

}  // namespace

std::optional<FileButton> FileButtonOf(std::string_view button) {
    for (const PageInfo& p : Pages()) {
        if (button == p.source.loadButton) return FileButton{{&p, Side::Source}, false};
        if (button == p.target.loadButton) return FileButton{{&p, Side::Target}, false};
        if (button == p.saveButton) return FileButton{{&p, Side::Target}, true};
    }
    return std::nullopt;
}

std::string LoadSizeNote(const std::string& fileName, int w, int h, const PageInfo& page) {
    const Size sheet = page.sheet;
    if (w == sheet.w && h == sheet.h) return "";
    const auto count = [](int n, const char* what) {
        return std::to_string(n) + " " + what + (n == 1 ? "" : "s");
    };
    const auto both = [&](int columns, int rows) {
        if (columns > 0 && rows > 0) return count(columns, "column") + " and " + count(rows, "row");
        return columns > 0 ? count(columns, "column") : count(rows, "row");
    };
    std::string note = BaseName(fileName) + " is " + std::to_string(w) + " x " + std::to_string(h) + ": ";
    const int outW = std::max(0, w - sheet.w), outH = std::max(0, h - sheet.h);
    const int emptyW = std::max(0, sheet.w - w), emptyH = std::max(0, sheet.h - h);
    if (outW || outH)
        note += both(outW, outH) + (outW + outH > 1 ? " are" : " is") + " outside the " +
                std::to_string(sheet.w) + " x " + std::to_string(sheet.h) + " sheet";
    if (emptyW || emptyH) {
        if (outW || outH) note += "; ";
        note += "the sheet's " + std::string(emptyW ? "right " + count(emptyW, "column") : "") +
                (emptyW && emptyH ? " and " : "") + (emptyH ? "bottom " + count(emptyH, "row") : "") +
                (emptyW + emptyH > 1 ? " still show" : " still shows") +
                " the empty surface, which a save writes";
    }
    return note;
}

std::string KeptPartNote(const FileResult& r, int keptSide) {
    if (r.outcome != FileResult::Outcome::Loaded || (r.width <= keptSide && r.height <= keptSide))
        return "";
    const std::string w = std::to_string(std::min(r.width, keptSide));
    const std::string h = std::to_string(std::min(r.height, keptSide));
    return "; only its top-left " + w + " x " + h + " is kept";
}

std::string SavedDescription(std::string_view fileName, int colours) {
    using Palette = ImageFormat::Palette;
    const ImageFormat* f = FormatOf(fileName);
    if (f && f->lossy) return std::string(f->label) + ", lossy, " + Colours(colours);
    if (f && f->palette == Palette::Never) return "24 bits, " + Colours(colours);
    if (colours <= 256) return "8-bit palette, " + Colours(colours);
    // A palette-only format holds 256 colours at most: more are reduced on
    // the way out.
    if (f && f->palette == Palette::Always) return "8-bit palette, reduced from " + Colours(colours);
    return "24 bits, " + Colours(colours) +
           ": the engine refuses 24-bit files; Edit > Reduce Colours makes it 8-bit";
}

std::string FileOutcomeMessage(const FileResult& r, FileButton button, int colours) {
    const std::string side = Lower(SurfaceTitle(button.side));
    switch (r.outcome) {
        case FileResult::Outcome::None:
        case FileResult::Outcome::Cancelled:
            return "";
        case FileResult::Outcome::Loaded:
            if (button.side.side == Side::Target && r.palette && r.indexZeroRepeated)
                return "Loaded " + BaseName(r.fileName) + " into the " + side + " (" +
                       Colours(colours) + "); its palette shows the transparent colour " +
                       HexColour(r.indexZero) +
                       " at other indices too: the sheet cannot keep those pixels apart, and the "
                       "engine will hide them as well";
            if (button.side.side == Side::Target)
                if (const std::string note = LoadSizeNote(r.fileName, r.width, r.height, *button.side.page);
                    !note.empty())
                    return "Loaded " + BaseName(r.fileName) + " into the " + side + " (" + Colours(colours) +
                           "); " + note;
            return "Loaded " + BaseName(r.fileName) + " into the " + side + " (" +
                   std::to_string(r.width) + " x " + std::to_string(r.height) + ", " +
                   Colours(colours) + ")";
        case FileResult::Outcome::Saved:
            return "Saved " + BaseName(r.fileName) + " (" +
                   (r.reduced ? "8-bit palette, reduced from " + Colours(colours)
                              : SavedDescription(r.fileName, colours)) +
                   ")";
        case FileResult::Outcome::Failed:
            if (r.saving) return FailureMessage(r.reason, "nothing was written to " + r.fileName);
            return FailureMessage(r.reason, "could not load " + BaseName(r.fileName));
    }
    return "";
}

}  // namespace tw
