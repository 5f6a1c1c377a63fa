#pragma once
// One window per user and display: a second start hands the files it was
// given to the window already running on its display, over a local socket in
// the user's own runtime folder, and ends. Both ends check that the other is
// the same user before anything is sent; a thing at the socket's path that is
// not a socket of ours is reported, never deleted; a window that is busy is
// waited for, never replaced.

#include <QObject>
#include <QString>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

class QLocalServer;

namespace tw {

class SingleInstance : public QObject {
public:
    // At most this many names are opened from one hand-over; the message
    // holds at most 1 MiB.
    static constexpr size_t kMaxNames = 1000;
    static constexpr size_t kMaxMessage = size_t{1} << 20;

    // The socket's path: $XDG_RUNTIME_DIR when it is the user's own private
    // folder, else a 0700 folder of ours under /tmp, then "tilewright-" and
    // the display's name. Empty, with `problem` set, when neither can be had.
    static QString DefaultPath(std::string* problem = nullptr);

    explicit SingleInstance(QString path, QObject* parent = nullptr);

    enum class Handed {
        Taken,     // the running window took the files
        NoWindow,  // none runs on this display: open a window
        Refused,   // something else holds the path: open a window, alone
    };
    // Gives the files to the running window. While its process lives and
    // does not answer, waits (saying so on `log` after 3 s); names it could
    // not take are counted on `log` ("dropped N names"); why it refused is
    // said there and kept in `refusal`.
    Handed HandOver(const std::vector<std::string>& files, std::ostream& log,
                    std::string* refusal = nullptr) const;

    // Becomes the running window: each later start's files reach `receive`,
    // one call a hand-over. False, with the reason, when the path is held by
    // something that is not a dead socket of ours.
    bool Listen(std::function<void(const std::vector<std::string>&)> receive, std::string* problem);

private:
    QString path_;
    QLocalServer* server_ = nullptr;
    std::function<void(const std::vector<std::string>&)> receive_;
};

// The file arguments as absolute paths, byte for byte as given (a name need
// not be UTF-8): Qt's own options are gone already; anything else starting
// with '-' is skipped until "--".
std::vector<std::string> FileArguments(const std::vector<std::string>& arguments);

}  // namespace tw
