#include "platform/exit_signals.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

namespace tw {
namespace {

constexpr int kSignals[] = {SIGTERM, SIGHUP, SIGINT};
struct sigaction previous[3];
std::vector<int> living;  // the write ends of the living instances, oldest first
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
    living.push_back(write_);
    pipeEnd = write_;
    if (living.size() > 1) return;
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int i = 0; i < 3; ++i) sigaction(kSignals[i], &action, &previous[i]);
}

ExitSignals::~ExitSignals() {
    if (read_ < 0) return;
    std::erase(living, write_);
    pipeEnd = living.empty() ? -1 : living.back();
    if (living.empty())
        for (int i = 0; i < 3; ++i) sigaction(kSignals[i], &previous[i], nullptr);
    close(read_);
    close(write_);
}

int ExitSignals::Take() {
    unsigned char byte = 0;
    return read_ >= 0 && read(read_, &byte, 1) == 1 ? byte : 0;
}

}  // namespace tw
