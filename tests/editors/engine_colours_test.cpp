// The colours the engine takes, as a user meets them: a palette file's
// index-0 colour kept through load and save in every palette format and read
// back as the engine reads it, a chosen colour written at index 0, the
// warnings of a stamp, and Reduce Colours with its undo.

#include <png.h>

#include <cmath>

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

}  // namespace
}  // namespace tw::test
