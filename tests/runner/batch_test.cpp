// tilewright-batch as a user runs it: whole scripts, their output, their exit
// status and the files they write.

#include <sys/stat.h>
#include <sys/wait.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <set>
#include <sstream>

#include "support/editor.h"
#include "support/grey_png.h"
#include "support/run_batch.h"
#include "editors/page_table.h"
#include "imagefiles/kept_copy.h"
#include "shell/command_line.h"

namespace tw::test {
namespace {

// Every kind of bad line stops the run with status 2 and a message that names
// the script and the line; the lines before it have run.
TEST(Batch, ABadLineStopsTheRunAndIsNamed) {
    const char* bad[] = {
        "frobnicate CQ",       "click NoSuchControl",      "click CQ",
        "down cmdNew 1 0 0",   "tick CQ",                  "tick NoSuch",
        "show NoSuch",         "down CQ 1 5",              "down CQ 3 0 0",
        "down CQ 0 0 0",       "down CQ 1 0 1e",           "move CQ -1 0 0",
        "down CQ 1 0 0 0 7",   "down CQ 1 0 0 x",          "tick tmrCharQAni -1",
        "tick",                "file a b",                 "cancel now",
        "dump CZ /no/such/folder/x.png", "dump CZ out.xyz", "dump cmdNew out.png",
        "echo \"open quote",    "scroll OQ 0 0",            "scroll CZ 0 16",
        "scroll CQ 0",          "scroll CQ 0 nan",
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
}

// `scroll` moves a source's view in whole cells, within the picture; events
// keep the client area's coordinates and land on the picture's cells; the
// view stays through page changes and starts over with the next load.
TEST(Batch, ScrollMovesASourceViewInWholeCells) {
    ScratchDir dir;
    ASSERT_EQ(DumpRaster(NoisePicture(480, 2048, 5), dir / "tall.bmp"), "");
    ASSERT_EQ(DumpRaster(Raster(8200, 2, Rgb(1, 2, 3)), dir / "wide.bmp"), "");
    const Outcome o = RunBatch(
        dir, "file tall.bmp\nclick LoadQChip\nscroll CQ 0 1792\ndown CQ 1 20 120\nshow CQ\nshow Csel\n"
             "scroll CQ 5 99999\nshow CQ\nscroll CQ -3 -3\nshow CQ\nscroll CQ 17 47\ntab Tab1 1\n"
             "tab Tab1 0\nshow CQ\ncancel\nclick LoadQChip\nshow CQ\n"
             "file wide.bmp\nclick LoadQFace\nscroll FQ 9000 0\nshow FQ\nshow StatusBar\n");
    EXPECT_EQ(o.status, 0) << o.err;
    const std::string cq = "CQ client=480x256 outer=7230x3870 backcolor=#3A6EA5 picture=480x2048";
    EXPECT_EQ(o.out, cq + " origin=0,1792\nCsel left=16 top=1904 width=16 height=16\n" + cq +
                         " origin=0,1792\n" + cq + "\n" + cq + " origin=0,32\n" + cq + "\n" +
                         "FQ client=192x192 outer=2910x2910 backcolor=#3A6EA5 picture=8200x2 origin=8016,0\n"
                         "StatusBar text=\"Loaded wide.bmp into the faceset source (8200 x 2, 2 colours); "
                         "only its top-left 8192 x 2 is kept\"\n");
}

// What a script may hold and how it is read: each limit stops the run with
// status 2 and a short, printable message naming the line, before anything
// grows or runs without bound.
TEST(Batch, ScriptLimits) {
    struct Case {
        const char* what;
        std::string script;  // written as script.tw
        std::string args;    // how it is handed over
        int status;
        std::string errStart;  // standard error starts with this
        std::string out = "";
        std::string feed = "";  // a command whose output is piped in
    };
    const std::string longToken(300, 'x');
    const Case cases[] = {
        {"line at the limit", "echo " + std::string((1 << 20) - 5, 'a') + "\necho b\n", "script.tw", 0, "",
         std::string((1 << 20) - 5, 'a') + "\nb\n"},
        {"line over the limit", "echo a\necho " + std::string(1 << 20, 'a') + "\necho b\n", "script.tw", 2,
         "script.tw:2: line longer than 1 MiB", "a\n"},
        {"endless line", "", "/dev/zero", 2, "/dev/zero:1: line longer than 1 MiB"},
        {"endless ticks", "tick tmrCharQAni 9223372036854775807\n", "script.tw", 2, "script.tw:1: N must"},
        {"ticks over the cap", "tick tmrCharQAni 10000001\n", "script.tw", 2, "script.tw:1: N must"},
        {"ticks at the cap", "tick tmrCharQAni 10000000\necho ok\n", "script.tw", 0, "", "ok\n"},
        {"past float range", "down CQ 1 1e39 0\n", "script.tw", 2, "script.tw:1: X must"},
        {"negative past float range", "down CQ 1 0 -1e39\n", "script.tw", 2, "script.tw:1: Y must"},
        {"infinity", "down CQ 1 inf 0\n", "script.tw", 2, "script.tw:1: X must"},
        {"not a number", "move CQ 0 0 nan\n", "script.tw", 2, "script.tw:1: Y must"},
        {"largest float", "down CQ 1 3.4e38 0\necho ok\n", "script.tw", 0, "", "ok\n"},
        {"control character", "echo ok\necho a\x01b\n", "script.tw", 2, "script.tw:2: a control", "ok\n"},
        {"escape code in quotes", "echo \"\x1b[31mred\"\n", "script.tw", 2, "script.tw:1: a control"},
        {"TAB inside quotes", "echo \"a\tb\"\n", "script.tw", 2, "script.tw:1: a control"},
        {"NUL in a name", std::string("file \"a\0.bmp\"\n", 14), "script.tw", 2, "script.tw:1: a NUL"},
        {"NUL in a comment", std::string("# \0\n", 4), "script.tw", 2, "script.tw:1: a NUL"},
        {"quote after a token", "echo a\"b\"\n", "script.tw", 2, "script.tw:1: a quote"},
        {"token after a quote", "echo \"a\"b\n", "script.tw", 2, "script.tw:1: a quote"},
        {"Windows line ends", "echo \"a b\"\r\necho c\r\n", "script.tw", 0, "", "a b\nc\n"},
        {"long token quoted short", "click " + longToken + "\n", "script.tw", 2,
         "script.tw:1: no control named '" + std::string(80, 'x') + "'...\n"},
        {"a folder", "", ".", 2, ".: cannot read the script: is a directory"},
        {"a folder as input", "", "< .", 2, "stdin: cannot read the script"},
        {"a pipe", "echo piped\n", "/dev/stdin", 0, "", "piped\n", "cat script.tw |"},
        {"no such script", "", "no-such.tw", 2, "no-such.tw: cannot open the script: No such file"},
        {"two scripts", "", "a.tw b.tw", 2, "tilewright-batch: only one SCRIPT"},
        {"unknown option", "", "--frob", 2, "tilewright-batch: unrecognized option '--frob'"},
        {"version", "", "--version", 0, "", std::string("tilewright-batch (Tilewright) ") + BuildVersion() + "\n"
             "This is free software: you are free to change and redistribute it.\n"},
    };
    ScratchDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Outcome o = RunBatch(dir, c.script, c.args, TW_BATCH_EXE, c.feed);
        EXPECT_EQ(o.status, c.status) << o.err;
        EXPECT_EQ(o.err.substr(0, c.errStart.size()), c.errStart);
        EXPECT_LE(o.err.size(), 200u);
        EXPECT_EQ(o.err.find('\x1b'), std::string::npos);
        EXPECT_TRUE(o.out == c.out) << o.out.substr(0, 100);
    }
    const Outcome help = RunBatch(dir, "", "--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("Usage: tilewright-batch [SCRIPT]\n", 0), 0u) << help.out;
}

// Side by side in golden/: NAME.script and the output it must print.
TEST(Batch, GoldenScripts) {
    const fs::path golden = fs::path(TW_TESTS_DIR) / "runner/golden";
    int count = 0;
    for (const auto& entry : fs::directory_iterator(golden)) {
        if (entry.path().extension() != ".script") continue;
        SCOPED_TRACE(entry.path().filename().string());
        ScratchDir dir;
        const Outcome o = RunBatch(dir, ReadText(entry.path()));
        EXPECT_EQ(o.status, 0) << o.err;
        EXPECT_EQ(o.err, "");
        EXPECT_EQ(o.out, ReadText(fs::path(entry.path()).replace_extension(".expected")));
        ++count;
    }
    EXPECT_GE(count, 2);
}

// A whole session on the converter page, with file names that need quotes:
// load a generated source, build a target through two sections and both
// modes, save it and dump it; the files must hold exactly the source cells
// where they were stamped.
TEST(Batch, ASessionBuildsSavesAndDumpsATarget) {
    // A copy of the runner in the scratch folder: a save must write nothing
    // beside the program.
    ScratchDir dir;
    const fs::path exe = dir.path / "tilewright-batch";
    fs::copy_file(TW_BATCH_EXE, exe);
    const Raster pic = NoisePicture(256, 1024, 11);
    ASSERT_EQ(DumpRaster(pic, dir / "my source.bmp"), "");
    const Outcome o = RunBatch(dir,
                               "file \"my source.bmp\"\nclick CLoadQr\nshow CurrentImage\n"
                               "click cmdOnew\ndown OQ 1 40 70\ndown OZ 1 0 0\nclick cmdChange\n"
                               "down OQ 1 0 0\ndown OZ 1 470 250\nclick optModRPG2K\nclick cmdOSelGr\n"
                               "down OQ 1 16 16\ndown OZ 1 21 13\n"
                               "file \"we\\\"ird \\\\ name.png\"\nclick SaveRChip\n"
                               "dump \"OZ\" \"dumped copy.bmp\"\ndump imgC2 view.png\n"
                               "dump CurrentImage current.bmp\n",
                               "script.tw", exe.string());
    ASSERT_EQ(o.status, 0) << o.err;
    EXPECT_EQ(o.err, "");
    EXPECT_EQ(o.out, "CurrentImage width=256 height=1024 bpp=24\n");
    Raster expected(480, 256, Rgb(255, 103, 139));
    expected = Stamped(expected, 0, 0, Block(pic, 32, 64, 16, 16, 0), 16, 16);
    expected = Stamped(expected, 464, 240, Block(pic, 128, 0, 16, 16, 0), 16, 16);
    const Raster pick = Block(pic, 144, 16, 32, 32, 0);
    Raster half(16, 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            half.Set(x, y, pick.At(2 * x, 2 * y) & pick.At(2 * x + 1, 2 * y) &
                               pick.At(2 * x, 2 * y + 1) & pick.At(2 * x + 1, 2 * y + 1));
    expected = Stamped(expected, 16, 8, half, 16, 16);
    for (const char* file : {"we\"ird \\ name.png", "dumped copy.bmp", "current.bmp"})
        EXPECT_TRUE(SameRaster(ReadPicture(dir / file), expected)) << file;
    EXPECT_TRUE(SameRaster(ReadPicture(dir / "view.png"), Raster(16, 16, 0x3A6EA5)));
    // A dump is a 24-bit file even where a saved sheet would take a palette:
    // PNG colour type 2 (RGB) at byte 25, BMP bit count 24 at byte 28.
    EXPECT_EQ(ReadText(dir / "view.png").at(25), 2);
    EXPECT_EQ(ReadText(dir / "current.bmp").at(28), 24);
    // The program's folder holds nothing but what the script itself wrote.
    std::set<std::string> files;
    for (const auto& entry : fs::directory_iterator(dir.path)) files.insert(entry.path().filename());
    EXPECT_EQ(files, (std::set<std::string>{"tilewright-batch", "my source.bmp", "script.tw", "out.txt",
                                            "err.txt", "we\"ird \\ name.png", "dumped copy.bmp",
                                            "view.png", "current.bmp"}));
}

// A file that cannot be loaded or saved is reported on one line with its
// name and the reason, changes nothing, and the script goes on.
TEST(Batch, FailedFilesAreReportedAndTheScriptGoesOn) {
    ScratchDir dir;
    std::ofstream(dir / "notes.png") << "a text, not a picture\n";
    WriteBytes(dir / "big.png", GreyPng(70000, 3, 0));
    ASSERT_EQ(mkfifo((dir / "pipe.png").c_str(), 0600), 0);
    // A reader that never reads: a save must not wait for it.
    const int silentReader = open((dir / "pipe.png").c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(silentReader, 0);
    fs::create_symlink("/dev/full", dir.path / "full.png");
    struct Case {
        std::string lines, err;
    };
    const Case cases[] = {
        {"file notes.png\nclick LoadZChip", "load notes.png: not a PNG file"},
        {"file gone.png\nclick LoadZChip", "load gone.png: no such file"},
        {"file big.png\nclick LoadZChip", "load big.png: picture too large: 70000 x 3 (the limit is 16384 a side)"},
        {"file pipe.png\nclick LoadZChip", "load pipe.png: it is a pipe, not a file"},
        {"file sheet.webp\nclick LoadZChip", "load sheet.webp: unknown extension .webp"},
        {"file full.png\nclick SaveZChip", "save full.png: the disk is full"},
        {"file pipe.png\nclick SaveZChip", "save pipe.png: it is a pipe, not a file"},
        {"file /proc/sheet.png\nclick SaveZChip", "save /proc/sheet.png: the folder is read-only"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lines);
        const Outcome o =
            RunBatch(dir, "show CZ\n" + c.lines + "\nshow CZ\nshow StatusBar\necho on\n");
        EXPECT_EQ(o.status, 0);
        EXPECT_EQ(o.err, c.err + "\n");
        const std::string shown = o.out.substr(0, o.out.find('\n') + 1);
        // Nothing changed, the status line says why, and the script went on.
        const std::string reason = c.err.substr(c.err.find(": ") + 2);
        const std::string name = c.err.substr(5, c.err.find(": ") - 5);
        const std::string status = reason + (c.err.starts_with("load ") ? ": could not load " + name
                                                                        : ": nothing was written to " + name);
        EXPECT_EQ(o.out, shown + shown + "StatusBar text=\"" + status + "\"\non\n");
    }
    close(silentReader);
}

// The old picture that a killed save over a file with two names left aside
// is named at the runner's start, and stays until the user takes it.
TEST(Batch, NamesAnOldPictureAKilledSaveKept) {
    ScratchDir dir;
    const std::string sheet = dir / "sheet.png", notes = dir / "state/tilewright/kept";
    WriteBytes(sheet, {'o', 'l', 'd'});
    {
        OldBytesCopy copy(notes);
        const int fd = open(sheet.c_str(), O_RDONLY);
        ASSERT_TRUE(copy.Make(fd, sheet));
        close(fd);
        copy.Keep();
    }
    const std::vector<KeptCopy> kept = FindKeptCopies(notes);
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(ReadBytes(kept[0].copy), (std::vector<uint8_t>{'o', 'l', 'd'}));
    std::string said = "tilewright-batch: a save was cut off; the old picture is kept in ";
    said += kept[0].copy + ": " + sheet + "\n";
    const std::string state = "XDG_STATE_HOME='" + dir / "state" + "'";
    for (int start = 0; start < 2; ++start)
        EXPECT_EQ(RunBatch(dir, "echo on\n", "script.tw", TW_BATCH_EXE, state).err, said);
    fs::remove(kept[0].copy);
    EXPECT_EQ(RunBatch(dir, "echo on\n", "script.tw", TW_BATCH_EXE, state).err, "");
}

// An XYZ sheet written by an independent script opens in every target with
// exact pixels, and the sheet saved back as XYZ decodes with that script to
// the same pixels, whatever the case of its extension.
TEST(Batch, XyzSheetsThroughEveryTarget) {
    if (std::system("python3 -c '' 2>/dev/null") != 0) GTEST_SKIP() << "python3 is not installed";
    const std::string reference = std::string(TW_TESTS_DIR) + "/imagefiles/xyz_reference.py";
    ScratchDir dir;
    for (const PageInfo& p : Pages()) {
        SCOPED_TRACE(p.name);
        const std::string size = std::to_string(p.sheet.w) + " " + std::to_string(p.sheet.h);
        ASSERT_EQ(std::system(("python3 '" + reference + "' write '" + dir / "theirs.xyz" + "' " + size +
                               " '" + dir / "theirs.ppm" + "'").c_str()),
                  0);
        const Raster theirs = ReadPpm(dir / "theirs.ppm");
        const Outcome o = RunBatch(dir, "file theirs.xyz\nclick " + std::string(p.target.loadButton) +
                                            "\ndump " + p.target.surface + " loaded.bmp\nfile ours.XYZ\n" +
                                            "click " + p.saveButton + "\nshow StatusBar\n");
        ASSERT_EQ(o.status, 0) << o.err;
        EXPECT_EQ(o.err, "");
        EXPECT_TRUE(SameRaster(ReadPicture(dir / "loaded.bmp"), theirs));
        EXPECT_NE(o.out.find("Saved ours.XYZ (8-bit palette, "), std::string::npos) << o.out;
        ASSERT_EQ(std::system(("python3 '" + reference + "' read '" + dir / "ours.XYZ" + "' '" +
                               dir / "ours.ppm" + "'").c_str()),
                  0);
        EXPECT_TRUE(SameRaster(ReadPpm(dir / "ours.ppm"), theirs));
    }
}

}  // namespace
}  // namespace tw::test
