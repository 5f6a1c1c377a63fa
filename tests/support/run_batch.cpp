#include "support/run_batch.h"

#include <sys/wait.h>

#include <cstdlib>
#include <fstream>

namespace tw::test {

Outcome RunBatch(const fs::path& dir, const std::string& script, const std::string& args,
                 const std::string& exe, const std::string& feed) {
    std::ofstream(dir / "script.tw", std::ios::binary) << script;
    const std::string cmd = "cd '" + dir.string() + "' && " + feed + " '" + exe + "' " + args +
                            " > out.txt 2> err.txt";
    const int rc = std::system(cmd.c_str());
    Outcome o;
    o.status = WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
    o.out = ReadText(dir / "out.txt");
    o.err = ReadText(dir / "err.txt");
    return o;
}

}  // namespace tw::test
