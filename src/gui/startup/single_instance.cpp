#include "gui/startup/single_instance.h"

#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <cerrno>
#include <climits>
#include <memory>
#include <optional>

namespace tw {
namespace {

// A hand-over is "TWH1", the number of names, then each name's length and
// its bytes, every number in 4 bytes, most significant first: a name may hold
// any byte but NUL, newlines and bytes that are not UTF-8 included. The
// window answers "ok N\n", N the names it dropped.
constexpr char kMagic[] = "TWH1";
constexpr size_t kHeader = 8;

void PutNumber(std::string& out, size_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((v >> shift) & 255);
}

size_t GetNumber(const char* p) {
    size_t v = 0;
    for (int i = 0; i < 4; ++i) v = (v << 8) | static_cast<unsigned char>(p[i]);
    return v;
}

// The names that fit in one message; the others are counted in `dropped`.
std::string Encode(const std::vector<std::string>& files, size_t* dropped) {
    std::string body;
    size_t count = 0;
    *dropped = 0;
    for (const std::string& f : files) {
        if (f.empty() || kHeader + body.size() + 4 + f.size() > SingleInstance::kMaxMessage) {
            ++*dropped;
            continue;
        }
        PutNumber(body, f.size());
        body += f;
        ++count;
    }
    std::string out = kMagic;
    PutNumber(out, count);
    return out + body;
}

enum class Parse { More, Done, Bad };

Parse Decode(const QByteArray& m, std::vector<std::string>* names) {
    if (m.size() < static_cast<qsizetype>(kHeader))
        return QByteArray(kMagic).startsWith(m.left(4)) ? Parse::More : Parse::Bad;
    if (!m.startsWith(kMagic)) return Parse::Bad;
    const size_t count = GetNumber(m.constData() + 4);
    size_t at = kHeader;
    names->clear();
    for (size_t i = 0; i < count; ++i) {
        if (at + 4 > static_cast<size_t>(m.size())) return Parse::More;
        const size_t length = GetNumber(m.constData() + at);
        if (length == 0 || length > SingleInstance::kMaxMessage) return Parse::Bad;
        if (at + 4 + length > static_cast<size_t>(m.size())) return Parse::More;
        names->emplace_back(m.constData() + at + 4, length);
        at += 4 + length;
    }
    return at == static_cast<size_t>(m.size()) ? Parse::Done : Parse::Bad;
}

bool OwnPrivateFolder(const std::string& dir) {
    struct stat st {};
    return lstat(dir.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == getuid() &&
           (st.st_mode & 077) == 0;
}

enum class AtPath { Nothing, OurSocket, Foreign };

AtPath WhatIsAt(const QString& path) {
    struct stat st {};
    if (lstat(QFile::encodeName(path).constData(), &st) != 0)
        return errno == ENOENT ? AtPath::Nothing : AtPath::Foreign;
    return S_ISSOCK(st.st_mode) && st.st_uid == getuid() ? AtPath::OurSocket : AtPath::Foreign;
}

std::string Foreign(const QString& path) {
    return QFile::encodeName(path).toStdString() +
           " is held by something that is not a Tilewright socket of this user's";
}

// The process and user at the other end of a connected local socket.
std::optional<ucred> Peer(qintptr fd) {
    ucred c{};
    socklen_t n = sizeof c;
    if (fd < 0 || getsockopt(static_cast<int>(fd), SOL_SOCKET, SO_PEERCRED, &c, &n) != 0) return std::nullopt;
    return c;
}

bool Alive(pid_t pid) { return kill(pid, 0) == 0 || errno == EPERM; }

// True when a window listens at the path, busy or not.
bool Answers(const QString& path) {
    QLocalSocket probe;
    probe.connectToServer(path);
    return probe.waitForConnected(1000);
}

}  // namespace

QString SingleInstance::DefaultPath(std::string* problem) {
    std::string dir = qEnvironmentVariable("XDG_RUNTIME_DIR").toStdString();
    if (dir.empty() || !OwnPrivateFolder(dir)) {
        dir = "/tmp/tilewright-" + std::to_string(getuid());
        mkdir(dir.c_str(), 0700);
        if (!OwnPrivateFolder(dir)) {
            if (problem) *problem = dir + " is not a private folder of this user's";
            return {};
        }
    }
    QByteArray display = qgetenv("DISPLAY");
    if (display.isEmpty()) display = qgetenv("WAYLAND_DISPLAY");
    if (display.isEmpty()) display = "none";
    display.replace('/', '_');
    return QFile::decodeName(QByteArray::fromStdString(dir)) + "/tilewright-" + QFile::decodeName(display);
}

SingleInstance::SingleInstance(QString path, QObject* parent)
    : QObject(parent), path_(std::move(path)) {}

SingleInstance::Handed SingleInstance::HandOver(const std::vector<std::string>& files,
                                                std::ostream& log, std::string* refusal) const {
    const auto refuse = [&](const std::string& why) {
        log << "tilewright: " << why << "\n";
        if (refusal) *refusal = why;
        return Handed::Refused;
    };
    switch (WhatIsAt(path_)) {
        case AtPath::Nothing: return Handed::NoWindow;
        case AtPath::Foreign: return refuse(Foreign(path_));
        case AtPath::OurSocket: break;
    }
    QLocalSocket socket;
    socket.connectToServer(path_);
    if (!socket.waitForConnected(1000)) {
        // Nobody listens: the socket of a window that ended.
        if (socket.error() == QLocalSocket::ConnectionRefusedError && WhatIsAt(path_) == AtPath::OurSocket)
            QLocalServer::removeServer(path_);
        return Handed::NoWindow;
    }
    const std::optional<ucred> peer = Peer(socket.socketDescriptor());
    if (!peer || peer->uid != getuid())
        return refuse("the socket " + QFile::encodeName(path_).toStdString() +
                      " belongs to another user; nothing was sent to it");

    size_t droppedHere = 0;
    socket.write(QByteArray::fromStdString(Encode(files, &droppedHere)));
    // A busy window is waited for as long as its process lives.
    QElapsedTimer since;
    since.start();
    bool told = false;
    const auto stillThere = [&] {
        if (socket.state() != QLocalSocket::ConnectedState || !Alive(peer->pid)) return false;
        if (!told && since.elapsed() > 3000) {
            log << "tilewright: waiting for the window already open (process " << peer->pid
                << ") to answer\n";
            told = true;
        }
        return true;
    };
    while (socket.bytesToWrite() > 0)
        if (!socket.waitForBytesWritten(500) && !stillThere()) break;
    QByteArray answer;
    while (!answer.contains('\n')) {
        if (socket.waitForReadyRead(500))
            answer += socket.readAll();
        else if (!stillThere())
            break;
    }
    if (!answer.startsWith("ok ")) {
        if (!Alive(peer->pid)) {
            if (WhatIsAt(path_) == AtPath::OurSocket && !Answers(path_)) QLocalServer::removeServer(path_);
            return Handed::NoWindow;
        }
        return refuse("the window already open did not take the files");
    }
    const size_t dropped = droppedHere + std::strtoul(answer.constData() + 3, nullptr, 10);
    if (dropped)
        log << "tilewright: dropped " << dropped << (dropped == 1 ? " name" : " names")
            << " (a window takes at most " << kMaxNames << " at once)\n";
    return Handed::Taken;
}

bool SingleInstance::Listen(std::function<void(const std::vector<std::string>&)> receive,
                            std::string* problem) {
    receive_ = std::move(receive);
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    // Only a dead socket of ours is taken over; a live window keeps its own,
    // and anything else is left where it is (Qt would delete it).
    const AtPath at = WhatIsAt(path_);
    if (at == AtPath::Foreign || (at == AtPath::OurSocket && Answers(path_))) {
        if (problem) *problem = Foreign(path_);
        return false;
    }
    if (at == AtPath::OurSocket) QLocalServer::removeServer(path_);
    if (!server_->listen(path_)) {
        if (problem) *problem = server_->errorString().toStdString();
        return false;
    }
    connect(server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* s = server_->nextPendingConnection()) {
            connect(s, &QLocalSocket::disconnected, s, &QObject::deleteLater);
            const std::optional<ucred> peer = Peer(s->socketDescriptor());
            if (!peer || peer->uid != getuid()) {
                s->abort();
                continue;
            }
            auto message = std::make_shared<QByteArray>();
            connect(s, &QLocalSocket::readyRead, this, [this, s, message] {
                *message += s->readAll();
                std::vector<std::string> names;
                const Parse p = message->size() > static_cast<qsizetype>(kMaxMessage)
                                    ? Parse::Bad
                                    : Decode(*message, &names);
                if (p == Parse::More) return;
                message->clear();
                if (p == Parse::Bad) {
                    s->abort();
                    return;
                }
                const size_t dropped = names.size() > kMaxNames ? names.size() - kMaxNames : 0;
                names.resize(names.size() - dropped);
                s->write(QByteArray("ok ") + QByteArray::number(static_cast<qulonglong>(dropped)) + '\n');
                s->flush();
                if (receive_) receive_(names);
            });
        }
    });
    return true;
}

std::vector<std::string> FileArguments(const std::vector<std::string>& arguments) {
    std::string cwd;
    if (char buffer[PATH_MAX]; getcwd(buffer, sizeof buffer)) cwd = buffer;
    std::vector<std::string> files;
    bool options = true;
    for (size_t i = 1; i < arguments.size(); ++i) {
        const std::string& a = arguments[i];
        if (options && a == "--") {
            options = false;
            continue;
        }
        if (a.empty() || (options && a[0] == '-' && a != "-")) continue;
        files.push_back(a[0] == '/' ? a : cwd + "/" + a);
    }
    return files;
}

}  // namespace tw
