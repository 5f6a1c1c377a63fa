#include "editors/file_outcome.h"

#include <cctype>

#include "editors/status_line.h"
#include "imagefiles/image_format.h"

namespace tw {
namespace {

std::string BaseName(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

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

std::string SavedDescription(std::string_view fileName, int colours) {
    using Palette = ImageFormat::Palette;
    const ImageFormat* f = FormatOf(fileName);
    if (f && f->lossy) return std::string(f->label) + ", lossy, " + Colours(colours);
    if (f && f->palette == Palette::Never) return "24 bits, " + Colours(colours);
    if (colours <= 256) return "8-bit palette, " + Colours(colours);
    // A palette-only format holds 256 colours at most: more are reduced on
    // the way out.
    if (f && f->palette == Palette::Always) return "8-bit palette, reduced from " + Colours(colours);
    return "24 bits, " + Colours(colours) + ": the engine refuses 24-bit files";
}

std::string FileOutcomeMessage(const FileResult& r, FileButton button, int colours,
                               bool stampsCleared) {
    const std::string side = Lower(SurfaceTitle(button.side));
    const std::string cleared =
        stampsCleared ? "the " + side + " was cleared; Ctrl+Z brings its stamps back" : "";
    switch (r.outcome) {
        case FileResult::Outcome::None:
            return "";
        case FileResult::Outcome::Cancelled:
            return cleared.empty() ? "" : "Load cancelled: " + cleared;
        case FileResult::Outcome::Loaded:
            return "Loaded " + BaseName(r.fileName) + " into the " + side + " (" +
                   std::to_string(r.width) + " x " + std::to_string(r.height) + ", " +
                   Colours(colours) + ")";
        case FileResult::Outcome::Saved:
            return "Saved " + BaseName(r.fileName) + " (" +
                   (r.reduced ? "8-bit palette, reduced from " + Colours(colours)
                              : SavedDescription(r.fileName, colours)) +
                   ")";
        case FileResult::Outcome::Failed:
            if (r.saving)
                return "Could not save to " + r.fileName + ": " + r.reason + "; nothing was written";
            return "Could not load " + BaseName(r.fileName) + ": " + r.reason +
                   (cleared.empty() ? "" : "; " + cleared);
    }
    return "";
}

}  // namespace tw
