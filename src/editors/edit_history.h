#pragma once
// Undo and redo of the changes to the pages' target sheets. Each sheet has
// its own history; a step keeps only what its change overwrote (a stamp: the
// rectangle's previous pixels; a load or a template: the whole sheet and the
// assigned picture), so thousands of stamps cost little. Undo and redo are the
// same exchange of the kept pixels with the sheet's current ones. All
// histories together stay under one byte bound, the oldest steps going first.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

#include "editors/block_store.h"
#include "editors/transparent_key.h"
#include "platform/surface.h"

namespace tw {

enum class EditKind {
    Stamp,
    NewTemplate,
    LoadTarget,
    Revert,
    Recover,
    TransparentColour,
    ReduceColours,
    MergeColours
};

// The step's name in the Edit menu: "Stamp", "New Template", "Load Target",
// "Revert", "Recover", "Transparent Colour", "Reduce Colours", "Merge Colours".
const char* EditKindName(EditKind kind);

class EditHistories;
class Sheet;

// One sheet's history. Only its Sheet records steps and takes them back or
// makes them again, handing over the sheet's pixels each time; everyone else
// reads where the history stands.
class EditHistory {
public:
    explicit EditHistory(EditHistories& owner);
    ~EditHistory();
    EditHistory(const EditHistory&) = delete;
    EditHistory& operator=(const EditHistory&) = delete;

    // The step Undo or Redo would take back or make again, if any.
    std::optional<EditKind> NextUndo() const;
    std::optional<EditKind> NextRedo() const;
    // Changed since the last load or save (or start-up); undoing back to that
    // point makes it unchanged again.
    bool Modified() const { return clean_ != Position(); }
    size_t Steps() const { return steps_.size(); }

private:
    friend class EditHistories;
    friend class Sheet;

    // The whole sheet as a change of it finds it: its pixels, picture and
    // transparent colour.
    struct SheetState {
        Raster& pixels;
        Picture& picture;
        TransparentKey& key;
    };

    // Before a change of the w x h block at (x, y): keeps its pixels, clipped
    // to the sheet, and the transparent colour. A block wholly outside the
    // sheet makes no step; false then.
    bool RecordBlock(EditKind kind, const Raster& sheet, int x, int y, int w, int h,
                     TransparentKey key);
    // Before a change of the whole sheet: keeps its pixels, picture and
    // transparent colour.
    void RecordSheet(EditKind kind, const Raster& sheet, const Picture& picture,
                     TransparentKey key);
    // Before a change of the transparent colour alone.
    void RecordKey(EditKind kind, TransparentKey key);
    // The part of the sheet the step Undo (or Redo) would exchange: a block,
    // the whole sheet (wholeSheet), or nothing (w = 0: the colour alone).
    struct Span {
        int x = 0, y = 0, w = 0, h = 0;
        bool wholeSheet = false;
    };
    std::optional<Span> NextSpan(bool undo) const;
    bool Undo(SheetState sheet);
    bool Redo(SheetState sheet);
    // The sheet as it is now is the one last loaded or saved.
    void MarkClean() { clean_ = Position(); }

    struct Step {
        EditKind kind;
        uint64_t age;  // order of recording across all histories
        int x = 0, y = 0, w = 0, h = 0;
        bool wholeSheet = false;
        Pixel* pixels = nullptr;    // a block's rows, in the history's block store
        Raster sheet{};             // the whole sheet
        Picture picture{};          // the assigned picture, for a whole sheet
        TransparentKey key{};       // the sheet's transparent colour before the change
    };

    static size_t BytesOf(const Step& s);
    static Step SheetStep(EditKind kind, const Raster& sheet, const Picture& picture,
                          TransparentKey key);
    void Push(Step step);
    // A new change after an undo: the steps that could be redone are gone.
    void DropRedo();
    // Removes the newest or the oldest step, giving back what it holds.
    void PopBack();
    void PopFront();
    // Exchanges what the step keeps with what the sheet holds.
    void Swap(Step& step, SheetState sheet);
    // Drops the oldest step (the byte bound needs room).
    void DropOldest();
    // The number of steps applied since the history began, dropped ones included.
    uint64_t Position() const { return dropped_ + cursor_; }

    EditHistories& owner_;
    std::deque<Step> steps_;
    BlockStore blocks_;
    size_t cursor_ = 0;     // steps before it are undoable, from it on redoable
    uint64_t dropped_ = 0;  // steps dropped from the front
    // The position of the last load or save; nullopt once it cannot be reached.
    std::optional<uint64_t> clean_ = 0;
};

class EditHistories {
public:
    static constexpr size_t kDefaultBytes = size_t{64} << 20;

    explicit EditHistories(size_t byteBound = kDefaultBytes) : bound_(byteBound) {}

    // The bytes all histories keep, counted as the bound counts them.
    size_t Bytes() const { return bytes_; }

private:
    friend class EditHistory;
    uint64_t NextAge() { return nextAge_++; }
    void Grew(size_t bytes);
    void Shrank(size_t bytes) { bytes_ -= bytes; }

    size_t bound_;
    size_t bytes_ = 0;
    uint64_t nextAge_ = 0;
    std::vector<EditHistory*> histories_;  // every sheet's, each adding itself
};

}  // namespace tw
