#pragma once
// The requests to end the program that arrive as signals (SIGTERM from a
// logout or `kill`, SIGHUP from a closed terminal or remote session, SIGINT
// from Ctrl+C) become a byte on a pipe. The handler only writes that byte;
// the program's own loop reads it and does the work of ending, since almost
// nothing is safe to call inside a handler.

namespace tw {

class ExitSignals {
public:
    // Installs the handlers. While several live (test programs run more
    // than one window), the newest gets the signals.
    ExitSignals();
    // Hands the signals to the newest left, or, for the last one, puts the
    // handlers that were there before back.
    ~ExitSignals();
    ExitSignals(const ExitSignals&) = delete;
    ExitSignals& operator=(const ExitSignals&) = delete;

    // Readable once a signal came; -1 when no pipe could be made.
    int Fd() const { return read_; }
    // The signal that came (the earliest not yet taken), or 0 for none.
    int Take();

private:
    int read_ = -1, write_ = -1;
};

}  // namespace tw
