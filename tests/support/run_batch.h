#pragma once
// tilewright-batch as a user runs it, on a script in a scratch folder.

#include <string>

#include "support/scratch_dir.h"

namespace tw::test {

struct Outcome {
    int status = -1;
    std::string out, err;
};

// Runs `exe` in `dir` on `script`, saved there as script.tw; `args` replaces
// the script argument (e.g. "- < script.tw"); `feed` pipes into it.
Outcome RunBatch(const fs::path& dir, const std::string& script,
                 const std::string& args = "script.tw", const std::string& exe = TW_BATCH_EXE,
                 const std::string& feed = "");

}  // namespace tw::test
