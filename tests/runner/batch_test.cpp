// tilewright-batch as a user runs it: whole scripts, their output, their exit
// status and the files they write.

#include <sys/wait.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <sstream>

#include "../editors/editor_fixture.h"

namespace tw::test {
namespace {

struct Outcome {
    int status = -1;
    std::string out, err;
};

std::string Slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// Runs `exe` in `dir` on `script`, saved there as script.tw; `args` replaces
// the script argument (e.g. "- < script.tw").
Outcome RunBatch(const ScratchDir& dir, const std::string& script,
                 const std::string& args = "script.tw", const std::string& exe = TW_BATCH_EXE) {
    std::ofstream(dir.path / "script.tw") << script;
    const std::string cmd = "cd '" + dir.path.string() + "' && '" + exe + "' " + args +
                            " > out.txt 2> err.txt";
    const int rc = std::system(cmd.c_str());
    Outcome o;
    o.status = WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
    o.out = Slurp(dir.path / "out.txt");
    o.err = Slurp(dir.path / "err.txt");
    return o;
}

// Every kind of bad line stops the run with status 2 and a message that names
// the script and the line; the lines before it have run.
TEST(Batch, ABadLineStopsTheRunAndIsNamed) {
    const char* bad[] = {
        "frobnicate CQ",         "click NoSuchControl",    "click CQ",
        "click imgC1",           "click Csel",             "down cmdNew 1 0 0",
        "move Csel 0 1 1",       "down NoSuch 1 0 0",      "tick CQ",
        "tick NoSuch",           "show NoSuch",            "down CQ 1 5",
        "down CQ 3 0 0",         "down CQ 0 0 0",          "down CQ 1 abc 0",
        "down CQ 1 0 1e",        "move CQ -1 0 0",         "move CQ x 0 0",
        "down CQ 1 0 0 0 7",     "down CQ 1 0 0 x",        "tick tmrCharQAni x",
        "tick tmrCharQAni -1",   "tick",                   "show",
        "file",                  "file a b",               "cancel now",
        "state now",             "dump CZ",                "dump CZ /no/such/folder/x.png",
        "dump CZ out.xyz",       "dump cmdNew out.png",    "dump NoSuch out.png",
        "echo \"open quote",     "click",
    };
    ScratchDir dir;
    for (const char* line : bad) {
        SCOPED_TRACE(line);
        const Outcome o = RunBatch(
            dir, "# set-up\nfile saved.png\nclick SaveZChip\n\nclick cmdSelGR\nshow Csel\n" +
                     std::string(line) + "\necho after\n");
        EXPECT_EQ(o.status, 2);
        EXPECT_EQ(o.err.rfind("script.tw:7: ", 0), 0u) << o.err;
        EXPECT_EQ(std::count(o.err.begin(), o.err.end(), '\n'), 1) << o.err;
        EXPECT_EQ(o.out, "Csel left=0 top=0 width=32 height=32\n");
        EXPECT_TRUE(fs::exists(dir.path / "saved.png"));
        fs::remove(dir.path / "saved.png");
    }
}

TEST(Batch, GoodLinesRunToTheEnd) {
    struct Case {
        std::string script, out;
        std::string errHas;  // "" when standard error must stay empty
    };
    const Case cases[] = {
        {"# a comment\n\n   \n\techo hello   world \n", "hello world\n", ""},
        // "&Exit" ends the run at once, with status 0.
        {"echo a\nclick mnuBeenden\necho b\nbogus line\n", "a\n", ""},
        // The About window opens and closes at once.
        {"click mnuInfo\nclick mnuInfo\necho ok\n", "ok\n", ""},
        // A disabled button ignores the click.
        {"click cmdChange\nshow cmdChange\nshow s1\n",
         "cmdChange enabled=0 fontbold=0\ns1 backcolor=16777215\n", ""},
        // A dialog with nothing queued is cancelled, with a warning naming the line.
        {"echo x\nclick LoadQChip\nclick SaveZChip\necho ok\n", "x\nok\n", "script.tw:2: warning"},
        {"cancel\nclick LoadZChip\ncancel\nclick SaveZFace\nshow CurrentImage\n", "CurrentImage none\n",
         ""},
        // A timer that is not enabled does not tick.
        {"tick tmrBattleQAni 3\nclick optQBplay\ntick tmrBattleQAni 2\nclick optQBStop\n"
         "tick tmrBattleQAni 4\ntick tmrBattleQAni 0\nshow imgBQAni\nshow imgBQAni\n",
         "imgBQAni picture=none\nimgBQAni picture=none\n", ""},
        // Fractional and negative positions, an explicit shift state.
        {"move CQ 0 -16.5 31.5 1\nshow Csel\ndown FQ 4 -50 191.4 2\nshow Fsel\n",
         "Csel left=-16 top=32 width=16 height=16\nFsel left=-48 top=144 width=48 height=48\n", ""},
    };
    ScratchDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.script);
        const Outcome o = RunBatch(dir, c.script);
        EXPECT_EQ(o.status, 0) << o.err;
        EXPECT_EQ(o.out, c.out);
        if (c.errHas.empty()) EXPECT_EQ(o.err, "");
        else EXPECT_NE(o.err.find(c.errHas), std::string::npos) << o.err;
    }
    // The script from standard input, with "-" or without an argument.
    for (const char* args : {"- < script.tw", "< script.tw"}) {
        const Outcome o = RunBatch(dir, "show Rsel\n", args);
        EXPECT_EQ(o.status, 0);
        EXPECT_EQ(o.out, "Rsel left=0 top=0 width=24 height=32\n");
    }
    EXPECT_EQ(RunBatch(dir, "", "no-such-script.tw").status, 2);
}

// Quoted tokens hold blanks, quotes and backslashes: file names with them
// load, save and dump.
TEST(Batch, QuotedTokensNameFiles) {
    ScratchDir dir;
    const Raster pic = NoisePicture(480, 256, 3);
    ASSERT_TRUE(SavePicture(Picture(pic), dir / "my source.bmp"));
    const Outcome o = RunBatch(dir,
                               "file \"my source.bmp\"\nclick LoadZChip\nshow CurrentImage\n"
                               "file \"we\\\"ird \\\\ name.png\"\nclick SaveZChip\n"
                               "dump \"CZ\" \"dumped copy.bmp\"\ndump imgC2 view.png\n"
                               "dump CurrentImage current.bmp\n");
    ASSERT_EQ(o.status, 0) << o.err;
    EXPECT_EQ(o.out, "CurrentImage width=480 height=256 bpp=24\n");
    EXPECT_TRUE(SameRaster(ReadPicture(dir / "we\"ird \\ name.png"), pic));
    EXPECT_TRUE(SameRaster(ReadPicture(dir / "dumped copy.bmp"), pic));
    EXPECT_TRUE(SameRaster(ReadPicture(dir / "current.bmp"), pic));
    EXPECT_TRUE(SameRaster(ReadPicture(dir / "view.png"), Raster(16, 16, 0x3A6EA5)));
    // A dump is a 24-bit file even where a saved sheet would take a palette:
    // PNG colour type 2 (RGB) at byte 25, BMP bit count 24 at byte 28.
    EXPECT_EQ(Slurp(dir / "view.png").at(25), 2);
    EXPECT_EQ(Slurp(dir / "current.bmp").at(28), 24);
}

// Side by side in golden/: NAME.script and the output it must print.
TEST(Batch, GoldenScripts) {
    const fs::path golden = fs::path(__FILE__).parent_path() / "golden";
    int count = 0;
    for (const auto& entry : fs::directory_iterator(golden)) {
        if (entry.path().extension() != ".script") continue;
        SCOPED_TRACE(entry.path().filename().string());
        ScratchDir dir;
        const Outcome o = RunBatch(dir, Slurp(entry.path()));
        EXPECT_EQ(o.status, 0) << o.err;
        EXPECT_EQ(o.err, "");
        EXPECT_EQ(o.out, Slurp(fs::path(entry.path()).replace_extension(".expected")));
        ++count;
    }
    EXPECT_GE(count, 2);
}

// One script per page: load a generated source, build a target, save it as
// PNG; the file must hold exactly the source cells where they were stamped.
TEST(Batch, EachPageBuildsAndSavesItsTarget) {
    const Pixel pink = Rgb(255, 103, 139);
    struct Page {
        const char* name;
        int picW, picH, tw, th;
        std::string script;
        std::function<Raster(const Raster& pic)> expected;
    };
    const auto fill = [](int w, int h, Pixel c) { return Raster(w, h, c); };
    const Page pages[] = {
        {"chipset", 480, 256, 480, 256,
         "click LoadQChip\nclick cmdNew\ndown CQ 1 100 37\ndown CZ 1 0 0\ndown CZ 1 479 255\n"
         "click cmdSelGR\ndown CQ 1 40 200\ndown CZ 1 470 100\nmove CZ 1 300 200\n"
         "down CZ 2 200 16\nclick SaveZChip\n",
         [&](const Raster& p) {
             Raster t = fill(480, 256, p.At(288, 128));
             t = Stamped(t, 0, 0, Block(p, 96, 32, 16, 16, 0), 16, 16);
             t = Stamped(t, 464, 240, Block(p, 96, 32, 16, 16, 0), 16, 16);
             return Stamped(t, 464, 96, Block(p, 32, 192, 32, 32, 0), 32, 32);
         }},
        {"charset", 288, 256, 288, 256,
         "click LoadQChar\nclick cmdRnew\ndown RQ 1 30 70\ndown RZ 1 287 255\n"
         "click cmdCompleteSet\ndown RQ 1 80 130\ndown RZ 1 0 0\ndown RZ 1 240 100\n"
         "click SaveZChar\n",
         [&](const Raster& p) {
             Raster t = fill(288, 256, p.At(0, 0));
             t = Stamped(t, 264, 224, Block(p, 24, 64, 24, 32, 0), 24, 32);
             t = Stamped(t, 0, 0, Block(p, 72, 128, 72, 128, 0), 72, 128);
             return Stamped(t, 240, 96, Block(p, 72, 128, 72, 128, 0), 72, 128);
         }},
        {"faceset", 192, 192, 192, 192,
         "click LoadQFace\nclick cmdFnew\ndown FQ 1 100 47\ndown FZ 1 191 191\n"
         "down FQ 1 50 150\ndown FZ 1 -10 60\ndown FZ 2 100 100\nclick SaveZFace\n",
         [&](const Raster& p) {
             Raster t = fill(192, 192, p.At(0, 0));
             t = Stamped(t, 144, 144, Block(p, 96, 0, 48, 48, 0), 48, 48);
             return Stamped(t, 0, 48, Block(p, 48, 144, 48, 48, 0), 48, 48);
         }},
        {"systemset", 160, 80, 160, 80,
         "click LoadQSystem\nclick cmdSnew\ndown SQ 1 40 20\ndown SZ 1 0 0\nclick ySelSize\n"
         "down SQ 1 40 20\ndown SZ 1 150 70\nclick SaveZSystem\n",
         [&](const Raster& p) {
             Raster t = fill(160, 80, p.At(128, 0));
             t = Stamped(t, 0, 0, Block(p, 32, 16, 16, 16, 0), 16, 16);
             return Stamped(t, 144, 64, Block(p, 32, 16, 32, 32, 0), 32, 32);
         }},
        {"battle", 480, 480, 480, 480,
         "click LoadQBattle\nclick cmdBnew\ndown BQ 1 100 200\ndown BZ 1 0 95\n"
         "down BQ 1 479 479\ndown BZ 1 96 96\nclick SaveZBattle\n",
         [&](const Raster& p) {
             Raster t = fill(480, 480, p.At(0, 0));
             t = Stamped(t, 0, 0, Block(p, 96, 192, 96, 96, 0), 96, 96);
             return Stamped(t, 96, 96, Block(p, 384, 384, 96, 96, 0), 96, 96);
         }},
        {"converter", 256, 1024, 480, 256,
         "click CLoadQr\nclick cmdOnew\ndown OQ 1 40 70\ndown OZ 1 0 0\nclick cmdChange\n"
         "down OQ 1 0 0\ndown OZ 1 470 250\nclick optModRPG2K\nclick cmdOSelGr\n"
         "down OQ 1 16 16\ndown OZ 1 21 13\nclick SaveRChip\n",
         [&](const Raster& p) {
             Raster t = fill(480, 256, pink);
             t = Stamped(t, 0, 0, Block(p, 32, 64, 16, 16, 0), 16, 16);
             t = Stamped(t, 464, 240, Block(p, 128, 0, 16, 16, 0), 16, 16);
             const Raster pick = Block(p, 144, 16, 32, 32, 0);
             Raster half(16, 16);
             for (int y = 0; y < 16; ++y)
                 for (int x = 0; x < 16; ++x)
                     half.Set(x, y, pick.At(2 * x, 2 * y) & pick.At(2 * x + 1, 2 * y) &
                                        pick.At(2 * x, 2 * y + 1) & pick.At(2 * x + 1, 2 * y + 1));
             return Stamped(t, 16, 8, half, 16, 16);
         }},
    };
    // A copy of the runner in the scratch folder keeps its temporary bitmap there.
    ScratchDir dir;
    const fs::path exe = dir.path / "tilewright-batch";
    fs::copy_file(TW_BATCH_EXE, exe);
    uint32_t seed = 10;
    for (const Page& page : pages) {
        SCOPED_TRACE(page.name);
        const Raster pic = NoisePicture(page.picW, page.picH, ++seed);
        ASSERT_TRUE(SavePicture(Picture(pic), dir / "source.bmp"));
        const std::string out = std::string(page.name) + ".png";
        std::string script = page.script;
        script.insert(0, "file source.bmp\n");
        script.insert(script.rfind("click Save"), "file " + out + "\n");
        const Outcome o = RunBatch(dir, script, "script.tw", exe.string());
        ASSERT_EQ(o.status, 0) << o.err;
        EXPECT_EQ(o.err, "");
        const Raster saved = ReadPicture(dir / out);
        ASSERT_EQ(saved.Width(), page.tw);
        ASSERT_EQ(saved.Height(), page.th);
        EXPECT_TRUE(SameRaster(saved, page.expected(pic)));
        EXPECT_FALSE(fs::exists(dir.path / modTWFunc::kTempName));
    }
}

}  // namespace
}  // namespace tw::test
