#include "platform/exit_signals.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>

namespace tw {
namespace {

constexpr int kSignals[] = {SIGTERM, SIGHUP, SIGINT};
struct sigaction previous[3];
volatile sig_atomic_t pipeEnd = -1;

void OnSignal(int signo) {
    const int saved = errno;
    const unsigned char byte = static_cast<unsigned char>(signo);
    // A full pipe already says that the program should end.
    if (pipeEnd >= 0 && write(pipeEnd, &byte, 1) < 0) {
    }
    errno = saved;
}

}  // namespace

ExitSignals::ExitSignals() {
    int ends[2];
    if (pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0) return;
    read_ = ends[0];
    write_ = ends[1];
    pipeEnd = write_;
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int i = 0; i < 3; ++i) sigaction(kSignals[i], &action, &previous[i]);
}

ExitSignals::~ExitSignals() {
    if (read_ < 0) return;
    for (int i = 0; i < 3; ++i) sigaction(kSignals[i], &previous[i], nullptr);
    pipeEnd = -1;
    close(read_);
    close(write_);
}

int ExitSignals::Take() {
    unsigned char byte = 0;
    return read_ >= 0 && read(read_, &byte, 1) == 1 ? byte : 0;
}

}  // namespace tw
