#include "gui/startup/single_instance.h"

#include <unistd.h>

#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <memory>

namespace tw {
namespace {

// A hand-over is the files' paths in UTF-8, one a line, and an empty line
// that ends it; the running copy answers "ok" once it has them.
constexpr qint64 kMaxMessage = 1 << 20;

QByteArray Encode(const QStringList& files) {
    QByteArray out;
    for (const QString& f : files)
        if (!f.contains('\n')) out += f.toUtf8() + '\n';
    return out + '\n';
}

QStringList Decode(const QByteArray& message) {
    QStringList files;
    for (const QByteArray& line : message.split('\n'))
        if (!line.isEmpty()) files << QString::fromUtf8(line);
    return files;
}

bool Complete(const QByteArray& message) {
    return message == "\n" || message.endsWith("\n\n");
}

}  // namespace

QString SingleInstance::DefaultName() {
    return QStringLiteral("tilewright-") + QString::number(getuid());
}

SingleInstance::SingleInstance(QString name, QObject* parent)
    : QObject(parent), name_(std::move(name)) {}

bool SingleInstance::HandOver(const QStringList& files, int timeoutMs) const {
    QLocalSocket socket;
    socket.connectToServer(name_);
    if (!socket.waitForConnected(timeoutMs)) return false;
    socket.write(Encode(files));
    if (!socket.waitForBytesWritten(timeoutMs)) return false;
    QByteArray answer;
    while (!answer.contains('\n') && socket.waitForReadyRead(timeoutMs)) answer += socket.readAll();
    return answer.startsWith("ok\n");
}

bool SingleInstance::Listen(std::function<void(const QStringList&)> receive) {
    receive_ = std::move(receive);
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_->listen(name_)) {
        // A socket left by a copy that crashed: nobody answers on it.
        QLocalServer::removeServer(name_);
        if (!server_->listen(name_)) return false;
    }
    connect(server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* s = server_->nextPendingConnection()) {
            connect(s, &QLocalSocket::disconnected, s, &QObject::deleteLater);
            auto message = std::make_shared<QByteArray>();
            connect(s, &QLocalSocket::readyRead, this, [this, s, message] {
                *message += s->readAll();
                if (message->size() > kMaxMessage) {
                    s->abort();
                    return;
                }
                if (!Complete(*message)) return;
                const QStringList files = Decode(*message);
                message->clear();
                s->write("ok\n");
                s->flush();
                if (receive_) receive_(files);
            });
        }
    });
    return true;
}

QStringList FileArguments(const QStringList& arguments) {
    QStringList files;
    bool options = true;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        if (options && a == "--") {
            options = false;
            continue;
        }
        if (options && a.startsWith('-') && a != "-") continue;
        files << QFileInfo(a).absoluteFilePath();
    }
    return files;
}

}  // namespace tw
