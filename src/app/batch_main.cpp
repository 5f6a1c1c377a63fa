// tilewright-batch [SCRIPT]: replays a script of events on the main window's
// model without a screen. Reads standard input when SCRIPT is absent or "-".

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "imagefiles/kept_copy.h"
#include "runner/batch_runner.h"
#include "shell/command_line.h"

namespace {

const tw::ProgramInfo kInfo{
    "tilewright-batch", "[SCRIPT]",
    "Replays a script of Tilewright events (clicks, mouse moves, timer ticks,\n"
    "file choices) without a window, printing what the script asks to show.\n"
    "With no SCRIPT, or when SCRIPT is -, reads standard input.\n"
    "Exit status: 0 when every line ran, 2 at the first bad line or when the\n"
    "script cannot be read.\n"};

int UsageError(const std::string& message) {
    std::cerr << "tilewright-batch: " << message << "\n"
              << "Try 'tilewright-batch --help' for more information.\n";
    return 2;
}

// A script must be something that can be read line by line: not a directory.
std::string RefusedSource(const struct stat& st) {
    if (S_ISDIR(st.st_mode)) return "is a directory";
    return "";
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (const tw::InfoOption o = tw::FindInfoOption(args); o != tw::InfoOption::None) {
        tw::PrintInfo(o, kInfo, std::cout);
        return std::cout.flush() ? 0 : 1;
    }
    std::vector<std::string> operands;
    bool options = true;
    for (const std::string& a : args) {
        if (options && a == "--") {
            options = false;
        } else if (options && a.size() > 1 && a[0] == '-') {
            return UsageError("unrecognized option '" + a + "'");
        } else {
            operands.push_back(a);
        }
    }
    if (operands.size() > 1) return UsageError("only one SCRIPT may be given");
    // Old pictures that a killed save over a file with other names left
    // aside: the runner names them and leaves them to the user.
    for (const tw::KeptCopy& kept : tw::FindKeptCopies())
        std::cerr << "tilewright-batch: " << tw::KeptCopyMessage(kept) << "\n";
    const std::string script = operands.empty() ? "-" : operands[0];
    const std::string shownName = script == "-" ? "stdin" : script;

    struct stat st {};
    if (script == "-") {
        if (fstat(STDIN_FILENO, &st) == 0) {
            if (const std::string why = RefusedSource(st); !why.empty()) {
                std::cerr << shownName << ": cannot read the script: " << why << "\n";
                return 2;
            }
        }
        tw::BatchRunner runner(shownName, std::cout, std::cerr);
        return runner.Run(std::cin);
    }
    if (stat(script.c_str(), &st) != 0) {
        std::cerr << script << ": cannot open the script: " << std::strerror(errno) << "\n";
        return 2;
    }
    if (const std::string why = RefusedSource(st); !why.empty()) {
        std::cerr << script << ": cannot read the script: " << why << "\n";
        return 2;
    }
    std::ifstream in(script, std::ios::binary);
    if (!in) {
        std::cerr << script << ": cannot open the script: " << std::strerror(errno) << "\n";
        return 2;
    }
    tw::BatchRunner runner(shownName, std::cout, std::cerr);
    return runner.Run(in);
}
