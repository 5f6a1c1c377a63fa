// A sheet's history against a plain model: the list of whole sheets it went
// through. Random stamps, halved stamps, templates, loads, recoveries, saves,
// undos and redos on two sheets that share one byte bound; every
// pixel and the modified mark checked after every step, while the history's
// block store wraps round its 2 MiB chunks and the bound drops old steps.

#include <random>

#include "editors/page_table.h"
#include "editors/sheet.h"
#include "platform/blit.h"
#include "support/pictures.h"

namespace tw::test {
namespace {

constexpr Pixel kBack = 0x3A6EA5;

// One state of a sheet: its pixels and its assigned picture, with an id that
// tells states apart even when their pixels are the same.
struct State {
    Raster pixels;
    Picture picture;
    uint64_t id;
};

struct Model {
    std::vector<State> states;  // the oldest the history can still reach first
    size_t cur = 0;
    uint64_t clean = 0;  // the id of the state last loaded or saved
    const State& Now() const { return states[cur]; }
};

struct Tracked {
    SheetSurface surface;
    Sheet sheet;
    Model model;
    Tracked(const PageInfo& page, EditHistories& budget)
        : surface(page.target.surface, "Tab1",
                  Placement{0, 0, double(page.sheet.w + 2), double(page.sheet.h + 2)},
                  BorderStyle::Flat1, kBack),
          sheet(surface, page, budget) {
        model.states.push_back({surface.View(), Picture(), 0});
    }
};

// The sheet cleared to its picture, as a load starts.
Raster Cleared(const Raster& like, const Picture& picture) {
    Raster r(like.Width(), like.Height(), kBack);
    if (const Raster* p = picture.raster()) BitBlt(r, 0, 0, p->Width(), p->Height(), *p, 0, 0);
    return r;
}

TEST(Sheet, RandomEditsUndoAndRedoToTheExactPixels) {
    constexpr size_t kBound = size_t{3} << 20;  // more than one store chunk
    EditHistories budget(kBound);
    Tracked sheets[] = {{PageByLetter('C'), budget}, {PageByLetter('S'), budget}};
    std::mt19937 rng(2026);
    const auto any = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    uint64_t nextId = 1;
    size_t evictions = 0;

    for (int step = 0; step < 4000; ++step) {
        Tracked& t = sheets[any(0, 1)];
        Model& m = t.model;
        const int W = t.surface.ClientWidth(), H = t.surface.ClientHeight();
        const auto push = [&](Raster pixels, Picture picture) {
            m.states.resize(m.cur + 1);  // a new change drops what could be redone
            m.states.push_back({std::move(pixels), std::move(picture), nextId++});
            ++m.cur;
        };
        const int op = any(0, 99);
        SCOPED_TRACE("step " + std::to_string(step) + ", op " + std::to_string(op));
        if (op < 45) {  // a stamp, partly off the sheet at times
            const int w = any(1, 128), h = any(1, 128);
            const int x = any(-w / 2, W - w / 2), y = any(-h / 2, H - h / 2);
            const Raster cell = NoisePicture(w, h, step);
            Raster next = m.Now().pixels;
            BitBlt(next, x, y, w, h, cell, 0, 0);
            const bool onSheet = x < W && y < H && x + w > 0 && y + h > 0;
            t.sheet.Apply(edit::Copy{x, y, w, h, cell});
            if (onSheet) push(std::move(next), m.Now().picture);
        } else if (op < 55) {  // the converter's halved stamp
            const int w = any(2, 128) & ~1, h = any(2, 128) & ~1;
            const int x = any(0, W - 1), y = any(0, H - 1);
            const Raster cell = NoisePicture(w, h, step);
            Raster next = m.Now().pixels;
            StretchBlt(next, x, y, w / 2, h / 2, cell, 0, 0, w, h);
            t.sheet.Apply(edit::HalvedCopy{x, y, w / 2, h / 2, cell, w, h});
            push(std::move(next), m.Now().picture);
        } else if (op < 60) {  // New Template
            const bool clear = any(0, 1);
            const Raster from = NoisePicture(4, 4, step);
            Raster next = clear ? Cleared(m.Now().pixels, m.Now().picture) : m.Now().pixels;
            next.Fill(from.At(1, 2));
            t.sheet.Apply(edit::Fill{from, 1, 2, clear});
            push(std::move(next), m.Now().picture);
        } else if (op < 66) {  // a load or a revert: a picture of any size
            const Picture picture(NoisePicture(any(1, W + 40), any(1, H + 40), step));
            t.sheet.Apply(edit::Replace{any(0, 1) ? EditKind::LoadTarget : EditKind::Revert, picture});
            push(Cleared(m.Now().pixels, picture), picture);
            FileResult loaded;
            loaded.outcome = FileResult::Outcome::Loaded;
            loaded.fileName = "sheet.png";
            loaded.width = picture.Width();
            loaded.height = picture.Height();
            t.sheet.Took(loaded);
            m.clean = m.Now().id;
            // A picture larger than the sheet would be cut by a save back.
            EXPECT_EQ(t.sheet.File().path.empty(), picture.Width() > W || picture.Height() > H);
        } else if (op < 68) {  // a recovered sheet
            const Picture picture(NoisePicture(W, H, step));
            t.sheet.Apply(edit::Replace{EditKind::Recover, picture});
            push(Cleared(m.Now().pixels, picture), picture);
        } else if (op < 70) {  // a save
            FileResult saved;
            saved.outcome = FileResult::Outcome::Saved;
            saved.fileName = "sheet.bmp";
            t.sheet.Took(saved);
            m.clean = m.Now().id;
        } else if (op < 88) {
            ASSERT_EQ(t.sheet.Undo(), m.cur > 0);
            if (m.cur > 0) --m.cur;
        } else {
            ASSERT_EQ(t.sheet.Redo(), m.cur + 1 < m.states.size());
            if (m.cur + 1 < m.states.size()) ++m.cur;
        }

        // The bound drops the oldest steps of both sheets; the model follows
        // what each history kept: the oldest undoable steps first, and once
        // none is left, every step that could be redone.
        ASSERT_LE(budget.Bytes(), kBound);
        for (Tracked& s : sheets) {
            Model& sm = s.model;
            const size_t kept = s.sheet.History().Steps(), had = sm.states.size() - 1;
            ASSERT_LE(kept, had);
            size_t gone = had - kept;
            evictions += gone;
            const size_t front = std::min(gone, sm.cur);
            sm.states.erase(sm.states.begin(), sm.states.begin() + static_cast<long>(front));
            sm.cur -= front;
            gone -= front;
            if (gone) {
                ASSERT_EQ(gone, sm.states.size() - 1 - sm.cur) << "only steps to redo can go now";
                sm.states.resize(sm.cur + 1);
            }
        }
        ASSERT_TRUE(SameRaster(t.sheet.Pixels(), m.Now().pixels));
        ASSERT_EQ(t.surface.GetPicture().shared(), m.Now().picture.shared());
        ASSERT_EQ(t.sheet.Modified(), m.Now().id != m.clean);
        ASSERT_EQ(t.sheet.History().NextUndo().has_value(), m.cur > 0);
    }
    EXPECT_GT(evictions, 100u) << "the bound was never reached";
}

// A load makes the sheet clean; stamps modify it; undoing back is clean again;
// a new change after undoing past the clean point can never reach it again.
TEST(Sheet, TheCleanPointFollowsUndoAndRedo) {
    EditHistories budget;
    Tracked t(PageByLetter('F'), budget);
    Sheet& s = t.sheet;
    EXPECT_FALSE(s.Modified());
    FileResult loaded;
    loaded.outcome = FileResult::Outcome::Loaded;
    loaded.fileName = "/tmp/faces.PNG";
    loaded.width = loaded.height = 192;
    s.Apply(edit::Replace{EditKind::LoadTarget, Picture(NoisePicture(192, 192, 3))});
    s.Took(loaded);
    EXPECT_EQ(s.File().path, "/tmp/faces.PNG");
    EXPECT_EQ(s.File().format, "png");
    const Raster stamp(8, 8, 5);
    s.Apply(edit::Copy{0, 0, 8, 8, stamp});
    EXPECT_TRUE(s.Modified());
    s.Undo();
    EXPECT_FALSE(s.Modified());
    EXPECT_TRUE(SameRaster(s.Pixels(), NoisePicture(192, 192, 3)));
    s.Undo();
    EXPECT_TRUE(t.surface.GetPicture().IsEmpty());
    EXPECT_TRUE(s.Modified());
    s.Apply(edit::Copy{0, 0, 8, 8, stamp});
    EXPECT_FALSE(s.History().NextRedo());
    s.Undo();
    EXPECT_TRUE(s.Modified());  // the loaded sheet's step is gone for good
    FileResult failed;
    failed.outcome = FileResult::Outcome::Failed;
    s.Took(failed);
    EXPECT_TRUE(s.Modified()) << "a failed save changes nothing";
    loaded.fileName = "/tmp/faces.jpg";
    s.Took(loaded);
    EXPECT_FALSE(s.Modified());
    EXPECT_EQ(s.File().path, "") << "a save back to a JPG would lose colours";
    FileResult saved;
    saved.outcome = FileResult::Outcome::Saved;
    saved.fileName = "/tmp/faces.png";
    s.Took(saved);
    EXPECT_EQ(s.File().path, "/tmp/faces.png");
    s.Apply(edit::Replace{EditKind::Recover, Picture(NoisePicture(192, 192, 4))});
    EXPECT_EQ(s.File().path, "") << "a recovered sheet belongs to no file";
}

}  // namespace
}  // namespace tw::test
