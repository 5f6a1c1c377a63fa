// The colours the engine takes, as a user meets them: a palette file's
// index-0 colour kept through load and save in every palette format and read
// back as the engine reads it, a chosen colour written at index 0, the
// warnings of a stamp, Reduce Colours and merging with their undo, and the
// palette the colour panel lists, kept stamp by stamp.

#include <png.h>

#include <cmath>
#include <numeric>
#include <random>
#include <set>
#include <unordered_set>

#include "editors/colour_order.h"
#include "editors/sheet_colours.h"

#include "imagefiles/colour_count.h"
#include "imagefiles/dib.h"
#include "support/editor.h"
#include "support/run_batch.h"

namespace tw::test {
namespace {

constexpr Pixel kMagenta = 0xFF00FF, kHidden = 0xFF000000;

// A picture as the engine draws it: index 0 hidden, every other index opaque
// in its palette colour. Empty for a file that is no 8-bit palette picture.
Raster EngineView(const std::string& path, Pixel* indexZero) {
    OwnedImage img;
    if (LoadFile(path, &img) != 0 || img.Bpp() != 8 || !img.d.palette) return {};
    *indexZero = QuadToPixel(img.d.palette[0]);
    Raster view(img.d.bmh->biWidth, img.d.bmh->biHeight);
    for (int y = 0; y < view.Height(); ++y)
        for (int x = 0; x < view.Width(); ++x) {
            const uint8_t i = ImageRow(img.d, y)[x];
            view.Set(x, y, i == 0 ? kHidden : QuadToPixel(img.d.palette[i]));
        }
    return view;
}

// A chipset made elsewhere: magenta at index 0 fills its empty areas, while
// the transparent pixel (288, 128) is black; `repeat` also paints one block
// with a second magenta entry, which only a foreign writer keeps (libpng's,
// here).
std::vector<Pixel> ForeignPalette() {
    std::vector<Pixel> palette{kMagenta, 0x000000};
    for (int i = 2; i < 40; ++i) palette.push_back(Rgb(i * 6, 250 - i * 5, i * 3));
    palette.push_back(kMagenta);
    return palette;
}
int ForeignIndex(int x, int y, bool repeat) {
    if (x >= 288 && x < 304 && y >= 128 && y < 144) return 1;
    if (repeat && x < 16 && y < 16) return 40;
    if ((x / 16 + y / 16) % 3 == 0) return 0;
    return 2 + (x / 16 * 7 + y / 16) % 38;
}
std::string ForeignChipset(ScratchDir& dir, const std::string& ext, bool repeat) {
    const std::string path = dir / ("foreign." + ext);
    if (repeat) {
        png_image png{};
        png.version = PNG_IMAGE_VERSION;
        png.width = 480, png.height = 256, png.format = PNG_FORMAT_RGB_COLORMAP;
        png.colormap_entries = static_cast<png_uint_32>(ForeignPalette().size());
        std::vector<png_byte> map, indices;
        for (Pixel c : ForeignPalette())
            map.insert(map.end(), {png_byte(c >> 16), png_byte(c >> 8), png_byte(c)});
        for (int y = 0; y < 256; ++y)
            for (int x = 0; x < 480; ++x)
                indices.push_back(static_cast<png_byte>(ForeignIndex(x, y, true)));
        EXPECT_TRUE(
            png_image_write_to_file(&png, path.c_str(), 0, indices.data(), 480, map.data()));
        return path;
    }
    OwnedImage img = ImageOf(8, 480, 256, ForeignPalette(),
                             [](int x, int y) { return ForeignIndex(x, y, false); });
    img.d.transparent = static_cast<int32_t>(kMagenta);  // written at index 0, as the file had it
    EXPECT_EQ(SaveFile(path, &img.d), 0) << path;
    return path;
}

TEST(EngineColours, PaletteFilesKeepWhatTheEngineHidesThroughLoadAndSave) {
    const char* formats[] = {"png", "bmp", "gif", "xyz"};
    for (const char* from : formats) {
        Editor e;
        const std::string source = ForeignChipset(e.dir, from, false);
        Pixel zero = 0;
        const Raster original = EngineView(source, &zero);
        ASSERT_EQ(zero, kMagenta) << from;
        e.dialog.QueueFile(source);
        e.Click("LoadZChip");
        EXPECT_EQ(e.program.ColoursLine(),
                  "Colours sheet=CZ count=40 transparent=#FF00FF from=file")
            << from;
        for (const char* to : formats) {
            const std::string saved = e.dir / (std::string("again_") + from + "." + to);
            e.dialog.QueueFile(saved);
            e.Click("SaveZChip");
            Pixel savedZero = 0;
            const Raster view = EngineView(saved, &savedZero);
            EXPECT_EQ(savedZero, kMagenta) << from << " -> " << to;
            EXPECT_TRUE(SameRaster(view, original)) << from << " -> " << to;
        }
        EXPECT_FALSE(e.program.Modified(PageByLetter('C'))) << from;
    }
    // A palette that repeats index 0's colour elsewhere: the load says so.
    Editor e;
    e.dialog.QueueFile(ForeignChipset(e.dir, "png", true));
    e.Click("LoadZChip");
    EXPECT_NE(e.program.Status().Outcome().find("cannot keep those pixels apart"),
              std::string::npos)
        << e.program.Status().Outcome();
}

TEST(EngineColours, ChoosingWarningsAndReduceAsTheUserMeetsThem) {
    Editor e;
    // A new sheet takes the colour at its transparent pixel.
    e.Load("LoadQChip", ColourSheet(480, 256, 200), "source.bmp");
    e.Click("cmdNew");
    EXPECT_EQ(e.program.ColoursLine(), "Colours sheet=CZ count=1 transparent=#FF00FF from=pixel");

    // Each warning fires once: at the stamp that makes the change, not after.
    struct Stamp {
        int pickX, pickY, x, y;
        const char* says;  // "" says nothing
    } stamps[] = {
        {0, 0, 0, 0, ""},
        {0, 0, 288, 128, "the transparent colour at pixel 288, 128 is now #"},
        {16, 0, 288, 128, "the transparent colour at pixel 288, 128 is now #"},
        {16, 0, 16, 0, ""},
    };
    for (const Stamp& s : stamps) {
        e.program.Status().SetOutcome("");
        e.Down("CQ", 1, s.pickX, s.pickY);
        e.Down("CZ", 1, s.x, s.y);
        const std::string& said = e.program.Status().Outcome();
        if (*s.says)
            EXPECT_NE(said.find(s.says), std::string::npos) << said;
        else
            EXPECT_EQ(said, "") << s.x << ", " << s.y;
    }

    // Choosing: the next left click takes a colour and stamps nothing.
    const Raster before = e.View("CZ");
    const Pixel chosen = before.At(20, 4);
    e.Click("mnuPickTransparent");
    e.Down("CZ", 1, 20, 4);
    EXPECT_TRUE(SameRaster(e.View("CZ"), before));
    EXPECT_EQ(e.form().Get<MenuItem>("mnuUndo").Caption(), "&Undo Transparent Colour");
    EXPECT_EQ(e.program.Title().back(), '*');
    EXPECT_NE(e.program.ColoursLine().find("transparent=" + HexColour(chosen) + " from=chosen"),
              std::string::npos);
    const std::string png = e.dir / "chosen.png";
    e.dialog.QueueFile(png);
    e.Click("SaveZChip");
    Pixel zero = 0;
    ASSERT_FALSE(EngineView(png, &zero).Empty());
    EXPECT_EQ(zero, chosen);
    // A plain click after it stamps again, with any shift state.
    e.program.MouseDown("CZ", 1, 4, 32, 32);
    EXPECT_FALSE(SameRaster(e.View("CZ"), before));
    e.Click("mnuUndo");
    e.Click("mnuUndo");
    EXPECT_NE(e.program.ColoursLine().find("from=pixel"), std::string::npos);

    // Past 256 colours: one warning at the stamp that crosses.
    Editor many;
    many.Load("LoadQChip", ColourSheet(480, 256, 300), "many.bmp");
    many.Click("cmdNew");
    many.program.Status().SetOutcome("");
    many.Down("CQ", 1, 0, 0);
    many.Click("cmdSelGR");  // 32
    many.Click("cmdSelGR");  // 64
    many.Click("cmdSelGR");  // 128
    int warnings = 0;
    for (int x = 0; x < 480; x += 128)
        for (int y = 0; y < 256; y += 128) {
            many.Down("CQ", 1, x, y);
            many.program.Status().SetOutcome("");
            many.Down("CZ", 1, x, y);
            if (many.program.Status().Outcome().find(
                    "colours; the engine takes at most 256: Edit > Reduce Colours") !=
                std::string::npos)
                ++warnings;
        }
    EXPECT_EQ(warnings, 1);

    // Reduce: the transparent pixels stay exact and alone; undo restores all.
    const Raster full = many.View("CZ");
    ASSERT_EQ(many.program.ReduceColours("CZ", 16), EventResult::Handled);
    EXPECT_EQ(many.program.Status().Outcome().find("Chipset: "), 0u);
    const Raster reduced = many.View("CZ");
    for (size_t i = 0; i < full.Pixels().size(); ++i)
        ASSERT_EQ(full.Pixels()[i] == kMagenta, reduced.Pixels()[i] == kMagenta) << i;
    EXPECT_LE(CountColours(reduced), 16);
    many.Click("mnuUndo");
    EXPECT_TRUE(SameRaster(many.View("CZ"), full));
}

// The runner: a 40 000-colour sheet reduced, saved as an 8-bit PNG at least
// as close to it as the GIF writer's, and undone to every colour.
TEST(EngineColours, RunnerReducesSavesAndUndoes) {
    ScratchDir dir;
    const Raster sheet = PhotoLike(480, 256, 7);
    ASSERT_GE(CountColours(sheet), 40000);
    ASSERT_EQ(DumpRaster(sheet, dir / "photo.bmp"), "");
    const Outcome run = RunBatch(dir, R"(file photo.bmp
click LoadQChip
down CQ 1 0 0
down CZ 1 288 128
show StatusBar
click cmdSelGR
click cmdSelGR
click cmdSelGR
down CQ 1 0 0
down CZ 1 0 0
show StatusBar
file photo.bmp
click LoadZChip
file photo.gif
click SaveZChip
reduce CZ 256
show Colours
file reduced.png
click SaveZChip
show StatusBar
click mnuUndo
dump CZ undone.bmp
transparent CZ 5 5
show Colours
reduce CQ 8
)");
    EXPECT_EQ(run.status, 2) << run.err;
    EXPECT_NE(run.err.find("script.tw:25: 'CQ' is not a target"), std::string::npos) << run.err;
    EXPECT_NE(run.out.find("Chipset: the transparent colour at pixel 288, 128 is now #"),
              std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("colours; the engine takes at most 256: Edit > Reduce Colours; Ctrl+Z"),
              std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("Colours sheet=CZ count="), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("transparent=" + HexColour(sheet.At(5, 5)) + " from=chosen"),
              std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("(8-bit palette, "), std::string::npos) << run.out;
    Pixel zero = 0;
    EXPECT_FALSE(EngineView(dir / "reduced.png", &zero).Empty());
    EXPECT_GE(Psnr(sheet, ReadPicture(dir / "reduced.png")),
              Psnr(sheet, ReadPicture(dir / "photo.gif")));
    EXPECT_TRUE(SameRaster(ReadPicture(dir / "undone.bmp"), sheet));
}

// The palette a save writes, read plainly: the transparent colour, then each
// colour where a row-by-row reading first meets it.
std::vector<Pixel> PlainPalette(const Raster& sheet, Pixel transparent) {
    std::vector<Pixel> out{transparent};
    std::unordered_set<Pixel> seen{transparent};
    for (Pixel p : sheet.Pixels())
        if (seen.insert(p).second) out.push_back(p);
    return out;
}

// The palette the sheet keeps up to date stamp by stamp against the plain
// reading, over random stamps of every cell size, undo and redo, on the
// chipset and on the battle sheet whose 96-pixel stamps cover many first pixels.
TEST(EngineColours, PaletteFollowsEveryStampUndoAndRedo) {
    struct Case {
        char page;
        const char *loadSource, *source, *target, *grow;
        int w, h, grows;
    } cases[] = {
        {'C', "LoadQChip", "CQ", "CZ", "cmdSelGR", 480, 256, 0},
        {'C', "LoadQChip", "CQ", "CZ", "cmdSelGR", 480, 256, 2},
        {'B', "LoadQBattle", "BQ", "BZ", nullptr, 480, 480, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.target) + " grown " + std::to_string(c.grows));
        Editor e;
        e.Load(c.loadSource, ColourSheet(c.w, c.h, 90), "source.bmp");
        for (int i = 0; i < c.grows; ++i) e.Click(c.grow);
        e.program.SelectTab("Tab1", PageByLetter(c.page).tab);  // Undo takes its steps
        const Sheet& sheet = std::as_const(e.program).SheetOf(PageByLetter(c.page));
        std::mt19937 rng(11);
        for (int step = 0; step < 120; ++step) {
            const int roll = static_cast<int>(rng() % 10);
            if (roll == 0) {
                e.program.Click("mnuUndo");
            } else if (roll == 1) {
                e.program.Click("mnuRedo");
            } else {
                e.Down(c.source, 1, rng() % c.w, rng() % c.h);
                // Now and then the very first pixels, where the palette begins.
                const bool corner = roll == 2;
                e.Down(c.target, 1, corner ? 0 : rng() % c.w, corner ? 0 : rng() % c.h);
            }
            const std::vector<Pixel> plain = PlainPalette(sheet.Pixels(), sheet.TransparentColour());
            ASSERT_EQ(sheet.Palette(), plain) << "step " << step;
            ASSERT_EQ(sheet.ColourCount(), static_cast<int>(plain.size()));
            const Pixel some = plain[rng() % plain.size()];
            ASSERT_EQ(sheet.PixelsOf(some), static_cast<uint32_t>(std::count(
                                                sheet.Pixels().Pixels().begin(),
                                                sheet.Pixels().Pixels().end(), some)));
        }
    }
}

// Merging as one step: the pixels of one colour take another, the status line
// says what the engine hides then, and undo brings back every pixel.
TEST(EngineColours, MergeReplacesAColourAsOneStepAndWarnsAboutTheTransparentOne) {
    const Raster picture = ColourSheet(480, 256, 40);
    const Pixel a = picture.At(0, 0), b = picture.At(8, 0);
    struct Case {
        Pixel from, to;
        bool chooseA;  // a is chosen as the transparent colour first
        const char* says;
        bool changes;
    } cases[] = {
        {a, b, false, "merged into " , true},
        {a, kMagenta, false, "the engine hides these pixels now", true},
        {kMagenta, b, false, "the transparent colour is now " , true},
        {a, b, true, "no pixel keeps the transparent colour", true},
        {0x123456, b, false, "no pixel has #123456: nothing to merge", false},
        {a, a, false, "nothing to merge", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(HexColour(c.from) + " -> " + HexColour(c.to));
        Editor e;
        e.Load("LoadZChip", picture);
        if (c.chooseA) e.program.PickTransparent("CZ", 0, 0);
        const Sheet& sheet = std::as_const(e.program).SheetOf(PageByLetter('C'));
        const Raster before = e.View("CZ");
        const std::string undoBefore = e.form().Get<MenuItem>("mnuUndo").Caption();
        ASSERT_EQ(e.program.MergeColours("CZ", c.from, c.to), EventResult::Handled);
        EXPECT_NE(e.program.Status().Outcome().find(c.says), std::string::npos)
            << e.program.Status().Outcome();
        if (!c.changes) {
            EXPECT_EQ(e.form().Get<MenuItem>("mnuUndo").Caption(), undoBefore);
            EXPECT_TRUE(SameRaster(e.View("CZ"), before));
            continue;
        }
        EXPECT_EQ(sheet.PixelsOf(c.from), 0u);
        for (size_t i = 0; i < before.Pixels().size(); ++i)
            ASSERT_EQ(e.View("CZ").Pixels()[i], before.Pixels()[i] == c.from ? c.to : before.Pixels()[i]);
        EXPECT_EQ(e.form().Get<MenuItem>("mnuUndo").Caption(), "&Undo Merge Colours");
        e.Click("mnuUndo");
        EXPECT_TRUE(SameRaster(e.View("CZ"), before));
        EXPECT_EQ(sheet.Palette(), PlainPalette(before, sheet.TransparentColour()));
    }
}

// "Similar": every index once; near duplicates next to each other, their
// groups in palette order.
TEST(EngineColours, SimilarOrderPutsNearDuplicatesSideBySide) {
    const std::vector<Pixel> palette{0xFF00FF, 0x102030, 0xF0F0F0, 0xFA00F5, 0x112131,
                                     0x808080, 0xF2F1F0, 0x00FF00};
    EXPECT_EQ(SimilarOrder(palette), (std::vector<int>{0, 3, 1, 4, 2, 6, 5, 7}));
    // Colours around a few centres: each chain of similar colours, found the
    // plain way, takes one unbroken run of the order.
    std::mt19937 rng(3);
    std::vector<Pixel> many;
    for (int i = 0; i < 600; ++i) {
        const int centre = static_cast<int>(rng() % 40) * 6;
        many.push_back(Rgb(centre + rng() % 30, centre * 7 % 256 + rng() % 30, rng() % 256));
    }
    const int n = static_cast<int>(many.size());
    std::vector<int> group(n);
    std::iota(group.begin(), group.end(), 0);
    for (bool merged = true; merged;) {
        merged = false;
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < n; ++j)
                if (Similar(many[i], many[j]) && group[j] > group[i]) group[j] = group[i], merged = true;
    }
    std::vector<int> order = SimilarOrder(many);
    std::set<int> ended;
    for (int k = 0; k < n; ++k) {
        ASSERT_FALSE(ended.contains(group[order[k]])) << "group broken at " << k;
        if (k + 1 == n || group[order[k + 1]] != group[order[k]]) ended.insert(group[order[k]]);
    }
    std::sort(order.begin(), order.end());
    for (int i = 0; i < n; ++i) ASSERT_EQ(order[i], i);
}

// The runner's merge: no pixel of the first colour left, undo restores them all.
TEST(EngineColours, RunnerMergesAndUndoes) {
    ScratchDir dir;
    Raster sheet = ColourSheet(480, 256, 60);
    for (int x = 0; x < 480; x += 5) sheet.Set(x, 200, 0x102030);
    ASSERT_EQ(DumpRaster(sheet, dir / "sheet.bmp"), "");
    const Outcome run = RunBatch(dir, R"(file sheet.bmp
click LoadZChip
merge CZ #102030 #112131
show StatusBar
show mnuUndo
dump CZ merged.bmp
click mnuUndo
dump CZ undone.bmp
merge CZ #102030 112131
)");
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("script.tw:9: the second colour must be #RRGGBB, not '112131'"),
              std::string::npos)
        << run.err;
    EXPECT_NE(run.out.find("Chipset: #102030 merged into #112131, 96 pixels"), std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("mnuUndo caption=\"&Undo Merge Colours\" enabled=1"), std::string::npos)
        << run.out;
    const Raster merged = ReadPicture(dir / "merged.bmp");
    ASSERT_FALSE(merged.Empty());
    EXPECT_EQ(std::count(merged.Pixels().begin(), merged.Pixels().end(), 0x102030u), 0);
    EXPECT_EQ(std::count(merged.Pixels().begin(), merged.Pixels().end(), 0x112131u), 96);
    EXPECT_TRUE(SameRaster(ReadPicture(dir / "undone.bmp"), sheet));
}

}  // namespace
}  // namespace tw::test
