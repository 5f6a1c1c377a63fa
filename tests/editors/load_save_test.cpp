// Loading into the surfaces a target id names and saving a target surface
// through the temporary bitmap, including the ways both can fail.

#include <algorithm>
#include <cctype>
#include <fstream>

#include "support/editor.h"
#include "imagefiles/dump_picture.h"
#include "imagefiles/image_format.h"

namespace tw::test {
namespace {

std::string Upper(std::string s) {
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

TEST(LoadSave, ConverterSourceFillsBothSurfacesWithTheirOwnPictures) {
    Editor e;
    const Raster pic = NoisePicture(256, 1024, 1);
    e.Load("CLoadQr", pic);
    const Picture& oq = e.form().Drawable("OQ").GetPicture();
    const Picture& temp = e.form().Drawable("picTemp").GetPicture();
    ASSERT_FALSE(oq.IsEmpty());
    ASSERT_FALSE(temp.IsEmpty());
    // Drawing into one surface never reaches the other's picture.
    e.Click("cmdChange");
    e.form().Drawable("OQ").hDC().Fill(0);
    e.form().Drawable("picTemp").hDC().Fill(1);
    // OQ keeps only what it can show; picTemp, which sizes itself to the
    // picture, keeps all of it. Both report the picture's size.
    EXPECT_TRUE(SameRaster(*oq.raster(), Block(pic, 0, 0, 128, 512, 0)));
    EXPECT_EQ(oq.Width(), 256);
    EXPECT_EQ(oq.Height(), 1024);
    EXPECT_TRUE(SameRaster(*temp.raster(), pic));
    e.form().Drawable("OQ").Cls();
    e.form().Drawable("picTemp").Cls();
    EXPECT_TRUE(SameRaster(e.View("OQ"), Block(pic, 0, 0, 128, 512, 0)));
    EXPECT_TRUE(SameRaster(e.View("picTemp"), pic));
    const ImageDescriptor& current = e.program.Files().CurrentImage;
    ASSERT_NE(current.bmh, nullptr);
    EXPECT_EQ(current.bmh->biWidth, 256);
    EXPECT_EQ(current.bmh->biHeight, 1024);

    // Loading the next picture replaces CurrentImage; the pictures stay.
    const std::string other = e.Write(NoisePicture(16, 16, 2), "other.bmp");
    e.program.Files().LoadImageFile(other, "TempPic");
    EXPECT_EQ(e.program.Files().CurrentImage.bmh->biWidth, 16);
    EXPECT_TRUE(SameRaster(*e.form().Drawable("OQ").GetPicture().raster(), Block(pic, 0, 0, 128, 512, 0)));
    EXPECT_TRUE(SameRaster(*e.form().Drawable("picTemp").GetPicture().raster(), pic));
}

// After a converter load, CurrentImage waits for the next load as no more than
// its header, picTemp holding its pixels: a load that fails, into the
// converter or elsewhere, gives it back byte for byte.
TEST(LoadSave, AFailedLoadAfterAConverterLoadGivesCurrentImageBack) {
    Editor e;
    // A PNG whose header reads and whose pixels are missing fails only once
    // CurrentImage has been set aside.
    const std::string whole = e.dir / "whole.png";
    ASSERT_EQ(DumpRaster(NoisePicture(64, 64, 5), whole), "");
    std::ofstream(e.dir / "corrupt.png", std::ios::binary) << ReadText(whole).substr(0, 60);
    const std::pair<const char*, Raster> pictures[] = {{"palette", ColourSheet(256, 1024, 40)},
                                                       {"true colour", NoisePicture(250, 1000, 6)}};
    for (const auto& [name, picture] : pictures) {
        SCOPED_TRACE(name);
        e.Load("CLoadQr", picture, "converted.bmp");
        const ImageDescriptor& current = e.program.Files().CurrentImage;
        ASSERT_NE(current.bmh, nullptr);
        const auto bytesOf = [&] {
            const size_t rows = static_cast<size_t>(current.buffwidth) * picture.Height();
            return std::vector<uint8_t>(reinterpret_cast<const uint8_t*>(current.bmh), static_cast<const uint8_t*>(current.ibuff + rows));
        };
        const std::vector<uint8_t> bytes = bytesOf();
        const ImageDescriptor before = current;
        for (const char* button : {"CLoadQr", "LoadZChip", "CLoadQr"}) {
            e.dialog.QueueFile(e.dir / "corrupt.png");
            e.Click(button);
            ASSERT_NE(current.bmh, nullptr);
            EXPECT_EQ(bytesOf(), bytes);
            EXPECT_EQ(current.colors, before.colors);
            EXPECT_EQ(current.imgtype, before.imgtype);
        }
        EXPECT_TRUE(SameRaster(*e.form().Drawable("picTemp").GetPicture().raster(), picture));
    }
}

// Only the last three characters of the name, lower-cased, pick the format.
// A load that fails leaves CurrentImage, the surface's picture and what was
// drawn on it as they were.
TEST(LoadSave, TheNameDecidesAndAFailedLoadChangesNothing) {
    Editor e;
    const Raster first = NoisePicture(480, 256, 3);
    const Raster next = NoisePicture(100, 60, 4);
    const std::string bmp = e.Write(next, "next.bmp");
    const std::string png = e.dir / "next.png";
    ASSERT_EQ(DumpRaster(next, png), "");
    const auto copy = [&](const std::string& from, const std::string& name, size_t bytes) {
        std::ofstream(e.dir / name, std::ios::binary) << ReadText(from).substr(0, bytes);
        return e.dir / name;
    };
    std::ofstream(e.dir / "corrupt.png") << "this is no picture";
    struct Case {
        std::string name;
        bool loads;
    };
    const Case cases[] = {
        {copy(bmp, "PIC.BMP", 1 << 30), true}, {copy(png, "imagepng", 1 << 30), true},
        {copy(bmp, "photo.jpeg", 1 << 30), false}, {copy(bmp, "scan.tiff", 1 << 30), false},
        {copy(bmp, "short.bmp", 100), false},  {copy(png, "short.png", 60), false},
        {e.dir / "corrupt.png", false},         {e.dir / "missing.png", false},
        {copy(bmp, "x.txt", 1 << 30), false},   {"", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        e.Load("LoadZChip", first, "first.bmp");
        e.Down("CZ", 1, 40, 40);  // something drawn since the load
        const Raster drawn = e.View("CZ");
        const ImageDescriptor before = e.program.Files().CurrentImage;
        const Raster* picture = e.form().Pic("CZ").GetPicture().raster();
        e.program.Files().LoadImageFile(c.name, "CZ");
        if (c.loads) {
            EXPECT_NE(e.program.Files().CurrentImage.bmh, before.bmh);
            EXPECT_TRUE(SameRaster(e.View("CZ"), Stamped(Raster(480, 256, e.form().Pic("CZ").BackColor()),
                                                         0, 0, next, 100, 60)));
        } else {
            EXPECT_EQ(e.program.Files().CurrentImage.bmh, before.bmh);
            EXPECT_EQ(e.program.Files().CurrentImage.hBitmap, before.hBitmap);
            EXPECT_EQ(e.form().Pic("CZ").GetPicture().raster(), picture);
            EXPECT_TRUE(SameRaster(e.View("CZ"), drawn));
        }
    }
}

// The format comes from the part after the last dot, long spellings
// included; names the routines read before keep their format. A save under
// every name of every format writes a file that starts with that format's
// magic bytes and loads back, with exact pixels where the format keeps them.
TEST(LoadSave, EveryNameOfEveryFormatSavesItsFormatAndLoadsBack) {
    const std::pair<const char*, const char*> names[] = {
        {"x.BMP", "bmp"},       {"x.png", "png"},         {"imagepng", "png"},
        {"photo.JPEG", "jpg"},  {"a.jpe", "jpg"},         {"scan.tiff", "tif"},
        {"s.TiFf", "tif"},      {"sheet.Xyz", "xyz"},     {"my.jpeg/pic.gif", "gif"},
        {"notes.jpeg.txt", "txt"}, {"archive.tiff.webp", "ebp"},
    };
    for (const auto& [name, format] : names) EXPECT_EQ(FormatExtension(name), format) << name;

    Editor e;
    e.Load("LoadZChip", NoisePicture(480, 256, 21), "sheet.bmp");
    const Raster sheet = e.View("CZ");
    for (const ImageFormat& f : ImageFormats()) {
        const bool exact = !f.lossy && f.palette != ImageFormat::Palette::Always;
        for (std::string_view ext : f.extensions) {
            for (const std::string& name : {"saved." + std::string(ext), "SAVED." + Upper(std::string(ext))}) {
                SCOPED_TRACE(name);
                e.dialog.QueueFile(e.dir / name);
                e.Click("SaveZChip");
                ASSERT_EQ(e.program.LastFileResult().outcome, FileResult::Outcome::Saved)
                    << e.program.LastFileResult().reason;
                std::ifstream in(e.dir / name, std::ios::binary);
                std::string head(16, '\0');
                in.read(head.data(), 16);
                EXPECT_TRUE(std::any_of(f.magic.begin(), f.magic.end(),
                                        [&](std::string_view m) { return head.starts_with(m); }));
                e.dialog.QueueFile(e.dir / name);
                e.Click("LoadZChip");
                ASSERT_EQ(e.program.LastFileResult().outcome, FileResult::Outcome::Loaded)
                    << e.program.LastFileResult().reason;
                if (exact) {
                    EXPECT_TRUE(SameRaster(e.View("CZ"), sheet));
                }
                e.Load("LoadZChip", sheet, "sheet.bmp");
            }
        }
    }
}

// A save writes the surface's whole persistent image, stamps included, and
// nothing else.
TEST(LoadSave, SavesTheSurfaceImageAndNothingElse) {
    Editor e;
    e.Load("LoadQChip", NoisePicture(480, 256, 5), "q.bmp");
    e.Load("LoadZChip", NoisePicture(300, 200, 6), "z.bmp");
    e.Down("CQ", 1, 100, 100);
    e.Down("CZ", 1, 400, 240);  // outside the loaded picture, inside the surface
    const Raster target = e.View("CZ");
    struct Case {
        std::optional<std::string> name;
        bool written;
    };
    const Case cases[] = {{"tiles.webp", false}, {"out.png", true}, {"OUT.BMP", true},
                          {std::nullopt, false}, {"", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name.value_or("(cancelled)"));
        const std::string path = c.name && !c.name->empty() ? e.dir / *c.name : std::string();
        if (c.name) e.dialog.QueueFile(path);
        else e.dialog.QueueCancel();
        const ImageDescriptor before = e.program.Files().CurrentImage;
        const auto filesBefore = std::distance(fs::directory_iterator(e.dir.path), {});
        e.Click("SaveZChip");
        const auto filesAfter = std::distance(fs::directory_iterator(e.dir.path), {});
        EXPECT_EQ(filesAfter, filesBefore + (c.written ? 1 : 0));
        if (c.written) {
            EXPECT_TRUE(SameRaster(ReadPicture(path), target));
        } else if (!path.empty()) {
            EXPECT_FALSE(fs::exists(path));
        }
        const ImageDescriptor& after = e.program.Files().CurrentImage;
        if (path.empty()) {
            EXPECT_EQ(after.bmh, before.bmh);  // nothing was saved at all
        } else {
            ASSERT_NE(after.bmh, nullptr);
            EXPECT_EQ(after.bmh->biWidth, 480);
            EXPECT_EQ(after.bmh->biHeight, 256);
        }
        EXPECT_TRUE(SameRaster(e.View("CZ"), target));
    }
}

// A save writes the surface's own pixels, never the picture loaded last.
TEST(LoadSave, ASaveWritesTheSurfaceNotTheLastLoadedPicture) {
    Editor e;
    e.Load("LoadQFace", NoisePicture(192, 192, 7), "q.bmp");
    e.Load("LoadZFace", NoisePicture(192, 192, 8), "z.bmp");
    e.Down("FQ", 1, 50, 50);
    e.Down("FZ", 1, 100, 100);
    e.Load("LoadQSystem", NoisePicture(160, 80, 9), "other.bmp");  // CurrentImage now differs
    const std::string out = e.dir / "face.png";
    e.dialog.QueueFile(out);
    e.Click("SaveZFace");
    EXPECT_TRUE(SameRaster(ReadPicture(out), e.View("FZ")));
}


}  // namespace
}  // namespace tw::test
