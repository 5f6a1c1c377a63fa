// tilewright-batch [SCRIPT]: replays a script of events on the main window's
// model without a screen. Reads standard input when SCRIPT is absent or "-".

#include <fstream>
#include <iostream>

#include "runner/batch_runner.h"

int main(int argc, char** argv) {
    if (argc > 2) {
        std::cerr << "usage: tilewright-batch [SCRIPT]\n";
        return 2;
    }
    const std::string script = argc == 2 ? argv[1] : "-";
    tw::BatchRunner runner(script == "-" ? "stdin" : script, std::cout, std::cerr);
    if (script == "-") return runner.Run(std::cin);
    std::ifstream in(script);
    if (!in) {
        std::cerr << script << ": cannot open the script\n";
        return 2;
    }
    return runner.Run(in);
}
