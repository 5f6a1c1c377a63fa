#pragma once
// The status line under the pages: what the pointer is over, the sheet in
// front and what a save of it will write, whether it has unsaved changes,
// and what the last load or save did. Composed here so that the window and
// the runner show the same words.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "editors/page_table.h"
#include "shell/frm_main.h"

namespace tw {

// A failure as the status line words it: the reason first, then what did
// not happen, with the file's name or path last, so that a long path is what
// a narrow line cuts off, never the reason.
std::string FailureMessage(const std::string& reason, const std::string& notDone);

class StatusLine {
public:
    explicit StatusLine(const frmMain& form) : form_(form) {}

    // The pointer is at (x, y) of a surface; only a page's source or target
    // counts, and only inside its client area.
    void PointerAt(std::string_view surface, float x, float y);
    void PointerLeft() {
        pointer_.reset();
        swatch_.clear();
    }
    // The pointer rests on a swatch of the colour panel, which these words
    // name; they stand where the pointer's place would.
    void PointerOnSwatch(std::string words) {
        pointer_.reset();
        swatch_ = std::move(words);
    }

    // What the last load or save did, as a sentence; "" says nothing.
    void SetOutcome(std::string message) { outcome_ = std::move(message); }
    const std::string& Outcome() const { return outcome_; }

    // Tells whether a page's target has changes since its last load or save.
    // Without it the line says nothing about unsaved changes.
    void SetModifiedProbe(std::function<bool(const PageInfo&)> probe) {
        modified_ = std::move(probe);
    }

    // Counts the colours of a page's target; without it the line counts the
    // target surface's pixels itself.
    void SetColourProbe(std::function<int(const PageInfo&)> probe) { colours_ = std::move(probe); }

    // "Chipset source: pixel 37, 20, cell 2, 1", or "" when the pointer is
    // over no source or target (or the swatch's words); over a source larger
    // than its pane, in its picture's pixels and with the picture's cells:
    // "... cell 2, 119 of 30 x 128".
    std::string PointerPart() const;
    // "Chipset 480 x 256, 143 colours: saves as an 8-bit palette".
    std::string SheetPart() const;
    // "Chipset target: unsaved changes", or "" when there are none.
    std::string ModifiedPart() const;

    // Every part that has something to say, pointer first.
    std::string Text() const;
    // The last outcome and the unsaved-changes part: what the runner shows.
    std::string OutcomeText() const;

    // The page whose tab is in front.
    const PageInfo& PageInFront() const;

private:
    struct Pointer {
        PageRef at;
        int x, y;
    };
    int TargetColours() const;

    const frmMain& form_;
    std::optional<Pointer> pointer_;
    std::string outcome_;
    std::string swatch_;
    std::function<bool(const PageInfo&)> modified_;
    std::function<int(const PageInfo&)> colours_;
    // The colour count of the target in front, recounted only when it changed.
    mutable const void* countedSurface_ = nullptr;
    mutable uint64_t countedVersion_ = 0;
    mutable int countedColours_ = 0;
};

// "Chipset source", "Battle animation set target".
std::string SurfaceTitle(PageRef ref);
// The grid the outlines snap to on that side now: a target's is the stamp's.
Grid GridOf(const frmMain& form, PageRef ref);

}  // namespace tw
