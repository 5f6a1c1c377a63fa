#include "shell/command_line.h"

#include <ostream>

namespace tw {

InfoOption FindInfoOption(const std::vector<std::string>& args) {
    for (const std::string& a : args) {
        if (a == "--") break;
        if (a == "--help") return InfoOption::Help;
        if (a == "--version") return InfoOption::Version;
    }
    return InfoOption::None;
}

void PrintInfo(InfoOption option, const ProgramInfo& info, std::ostream& out) {
    if (option == InfoOption::Version) {
        out << info.name << " (Tilewright) " << BuildVersion() << "\n"
            << "This is free software: you are free to change and redistribute it.\n";
        return;
    }
    if (option == InfoOption::Help) {
        out << "Usage: " << info.name << (*info.synopsis ? " " : "") << info.synopsis << "\n"
            << info.summary << "\n"
            << "      --help     display this help and exit\n"
            << "      --version  output version information and exit\n";
    }
}

const char* BuildVersion() { return TW_VERSION; }

}  // namespace tw
