#pragma once
// The two options every program of the suite answers in the usual GNU form:
// --help and --version. Both are answered before anything else starts, so
// they need neither a script nor a display.

#include <iosfwd>
#include <string>
#include <vector>

namespace tw {

struct ProgramInfo {
    const char* name;       // the command, e.g. "tilewright-batch"
    const char* synopsis;   // what follows the name on the usage line
    const char* summary;    // the lines under it, each ending in '\n'
};

enum class InfoOption { None, Help, Version };

// Which of the two the arguments (without argv[0]) ask for; "--" ends the options.
InfoOption FindInfoOption(const std::vector<std::string>& args);

// Prints the help or the version text for `info`.
void PrintInfo(InfoOption option, const ProgramInfo& info, std::ostream& out);

// The build's version number, the one CMake's project() declares.
const char* BuildVersion();

}  // namespace tw
