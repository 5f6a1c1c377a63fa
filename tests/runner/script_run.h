#pragma once
// Runs a script through tilewright-batch in a scratch folder, as a user does.

#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "../editors/editor_fixture.h"

namespace tw::test {

inline std::string FileBytes(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

struct ScriptRun {
    int status = -1;
    std::string out, err;
};

inline ScriptRun RunScript(const ScratchDir& dir, const std::string& script) {
    std::ofstream(dir.path / "script.tw") << script;
    const std::string cmd = "cd '" + dir.path.string() + "' && '" TW_BATCH_EXE
                            "' script.tw > out.txt 2> err.txt";
    const int rc = std::system(cmd.c_str());
    return {WIFEXITED(rc) ? WEXITSTATUS(rc) : -1, FileBytes(dir.path / "out.txt"),
            FileBytes(dir.path / "err.txt")};
}

}  // namespace tw::test
