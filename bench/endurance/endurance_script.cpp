// Writes a long random tilewright-batch script over every page, with the
// pictures it loads:
//
//   tw_endurance_script OUTDIR [EVENTS] [SEED]
//
// OUTDIR/endurance.tw holds EVENTS (default 1 000 000) pointer moves, button
// presses, clicks of buttons and options and timer ticks, and now and then a
// load or a save of the pictures written next to it. Prints the number of
// events.

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "platform/picture.h"
#include "imagefiles/dump_picture.h"

namespace {

struct Page {
    const char *source, *target;
    int sw, sh, tw, th;       // client sizes of the two surfaces
    int picW, picH;           // the source picture written for the page
    const char *loadQ, *loadZ, *save;
    std::vector<const char*> buttons;  // buttons and options without a dialog
    std::vector<const char*> timers;
};

const std::vector<Page> kPages = {
    {"CQ", "CZ", 480, 256, 480, 256, 480, 256, "LoadQChip", "LoadZChip", "SaveZChip",
     {"cmdNew", "cmdSelGR"}, {}},
    {"RQ", "RZ", 288, 256, 288, 256, 288, 256, "LoadQChar", "LoadZChar", "SaveZChar",
     {"cmdRnew", "cmdCompleteSet", "optRplay", "optRStop", "optZplay", "optZstop"},
     {"tmrCharQAni", "tmrCharZAni"}},
    {"FQ", "FZ", 192, 192, 192, 192, 192, 192, "LoadQFace", "LoadZFace", "SaveZFace", {"cmdFnew"}, {}},
    {"SQ", "SZ", 160, 80, 160, 80, 160, 80, "LoadQSystem", "LoadZSystem", "SaveZSystem",
     {"cmdSnew", "ySelSize"}, {}},
    {"BQ", "BZ", 480, 480, 480, 480, 480, 480, "LoadQBattle", "LoadZBattle", "SaveZBattle",
     {"cmdBnew", "optQBplay", "optQBStop", "optZBplay", "optZBStop"},
     {"tmrBattleQAni", "tmrBattleZAni"}},
    {"OQ", "OZ", 128, 512, 480, 256, 256, 1024, "CLoadQr", "LoadRChip", "SaveRChip",
     {"cmdChange", "cmdOSelGr", "optModOneToOne", "optModRPG2K", "cmdOnew"}, {}},
};

const char* const kAllTimers[] = {"tmrCharQAni", "tmrCharZAni", "tmrBattleQAni", "tmrBattleZAni"};

// Every pixel different from its neighbours, so that misplaced copies would
// show in a dump.
tw::Raster Pattern(int w, int h, unsigned seed) {
    tw::Raster r(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            unsigned v = (x * 2654435761u) ^ (y * 40503u) ^ (seed * 97u);
            v ^= v >> 15;
            r.Set(x, y, v & 0xFFFFFF);
        }
    return r;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 4) {
        std::fprintf(stderr, "usage: tw_endurance_script OUTDIR [EVENTS] [SEED]\n");
        return 2;
    }
    const std::string dir = argv[1];
    const long events = argc > 2 ? std::atol(argv[2]) : 1000000;
    std::mt19937 rng(argc > 3 ? static_cast<unsigned>(std::atol(argv[3])) : 2003u);

    std::vector<std::string> sources, targets;
    for (size_t i = 0; i < kPages.size(); ++i) {
        const Page& p = kPages[i];
        sources.push_back(dir + "/source" + std::to_string(i) + ".bmp");
        targets.push_back(dir + "/target" + std::to_string(i) + ".bmp");
        // Some pictures are smaller than their surface, some larger.
        const int shrink = i % 2 ? 2 : 1;
        if (!tw::DumpRaster(Pattern(p.picW / shrink + 7, p.picH / shrink + 3, i), sources[i]).empty() ||
            !tw::DumpRaster(Pattern(p.tw, p.th, 100 + i), targets[i]).empty()) {
            std::fprintf(stderr, "cannot write the pictures into %s\n", dir.c_str());
            return 1;
        }
    }
    std::ofstream s(dir + "/endurance.tw");
    s << "# " << events << " random events over every page\n";
    const char* formats[] = {"png", "bmp", "gif", "jpg", "tif"};
    const auto coord = [&](int size) -> std::string {
        const unsigned r = rng() % 20;
        if (r == 0) return std::to_string(-static_cast<int>(rng() % 200));        // left or above
        if (r == 1) return std::to_string(size + static_cast<int>(rng() % 200));  // past the edge
        if (r < 4) return std::to_string(rng() % size) + ".5";
        return std::to_string(rng() % size);
    };
    long written = 0;
    int saves = 0;
    while (written < events) {
        const size_t pi = rng() % kPages.size();
        const Page& p = kPages[pi];
        const unsigned r = rng() % 1000;
        if (r < 350) {
            s << "move " << p.target << " " << rng() % 2 << " " << coord(p.tw) << " " << coord(p.th) << "\n";
        } else if (r < 550) {
            s << "move " << p.source << " " << rng() % 2 << " " << coord(p.sw) << " " << coord(p.sh) << "\n";
        } else if (r < 670) {
            s << "down " << p.source << " " << (rng() % 5 ? 1 : 2) << " " << coord(p.sw) << " "
              << coord(p.sh) << "\n";
        } else if (r < 790) {
            s << "down " << p.target << " " << (rng() % 5 ? 1 : 4) << " " << coord(p.tw) << " "
              << coord(p.th) << "\n";
        } else if (r < 900) {
            const char* t = p.timers.empty() ? kAllTimers[rng() % 4] : p.timers[rng() % p.timers.size()];
            s << "tick " << t << "\n";
        } else if (r < 996) {
            s << "click " << p.buttons[rng() % p.buttons.size()] << "\n";
        } else if (rng() % 50 == 0) {
            // Now and then a load, a cancelled load, a save or the About window.
            switch (rng() % 5) {
                case 0: s << "file " << sources[pi] << "\nclick " << p.loadQ << "\n"; break;
                case 1: s << "file " << targets[pi] << "\nclick " << p.loadZ << "\n"; break;
                case 2: s << "cancel\nclick " << (rng() % 2 ? p.loadQ : p.loadZ) << "\n"; break;
                case 3:
                    s << "file " << dir << "/saved" << saves % 5 << "." << formats[saves % 5]
                      << "\nclick " << p.save << "\n";
                    ++saves;
                    break;
                default: s << "click mnuInfo\n"; break;
            }
        } else {
            s << "tick " << kAllTimers[rng() % 4] << "\n";
        }
        ++written;
    }
    s << "echo done\n";
    if (!s.flush()) {
        std::fprintf(stderr, "cannot write %s/endurance.tw\n", dir.c_str());
        return 1;
    }
    std::printf("%ld\n", written);
    return 0;
}
