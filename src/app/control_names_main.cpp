// tilewright-names --markdown|--roff: prints the table of control names a
// script can use, for the README and the runner's manual page. Not installed.

#include <cstring>
#include <iostream>

#include "runner/control_names.h"
#include "shell/frm_main.h"

int main(int argc, char** argv) {
    const bool markdown = argc == 2 && std::strcmp(argv[1], "--markdown") == 0;
    const bool roff = argc == 2 && std::strcmp(argv[1], "--roff") == 0;
    if (!markdown && !roff) {
        std::cerr << "usage: tilewright-names --markdown|--roff\n";
        return 2;
    }
    const tw::frmMain form;
    const auto groups = tw::ScriptControlNames(form);
    std::cout << (markdown ? tw::ControlNamesMarkdown(groups) : tw::ControlNamesRoff(groups));
    return std::cout.flush() ? 0 : 1;
}
