#pragma once
// tilewright-batch: runs the main window's model without a screen and replays
// a script of events, one line at a time.

#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "editors/program.h"
#include "runner/queued_file_dialog.h"

namespace tw {

class BatchRunner {
public:
    // `scriptName` names the script in messages.
    BatchRunner(std::string scriptName, std::ostream& out, std::ostream& err);
    ~BatchRunner();

    // Runs every line; returns the exit status: 0, or 2 at the first bad line.
    int Run(std::istream& script);

    Program& program() { return *program_; }

private:
    // Runs one line's tokens; returns an error message, or "" when it went well.
    std::string Execute(const std::vector<std::string>& t);
    std::string Show(const std::string& name);
    std::string Dump(const std::string& name, const std::string& path);
    void Warn(const std::string& message);

    std::string scriptName_;
    std::ostream& out_;
    std::ostream& err_;
    int lineNo_ = 0;
    bool ended_ = false;
    QueuedFileDialog dialog_;
    std::unique_ptr<AboutHost> about_;
    std::unique_ptr<Program> program_;
};

}  // namespace tw
