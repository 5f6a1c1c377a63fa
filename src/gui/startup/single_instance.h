#pragma once
// One window per user: a second start hands the files it was given to the
// copy already running, over a local socket, and ends. The running copy
// listens on the socket and opens what arrives.

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

class QLocalServer;

namespace tw {

class SingleInstance : public QObject {
public:
    // The socket's name for this user: "tilewright-" and the user id.
    static QString DefaultName();

    explicit SingleInstance(QString name = DefaultName(), QObject* parent = nullptr);

    // Gives the files (absolute paths) to a running copy; true once it took
    // them, false when none answers within `timeoutMs`.
    bool HandOver(const QStringList& files, int timeoutMs = 3000) const;

    // Becomes the running copy: each later start's files reach `receive`.
    // False when the socket could not be opened (the program runs alone).
    bool Listen(std::function<void(const QStringList&)> receive);

private:
    QString name_;
    QLocalServer* server_ = nullptr;
    std::function<void(const QStringList&)> receive_;
};

// The file arguments as absolute paths: Qt's own options are gone already;
// anything else starting with '-' is skipped until "--".
QStringList FileArguments(const QStringList& arguments);

}  // namespace tw
