#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>

class QLocalServer;
class QLocalSocket;
class QLockFile;
class QWidget;

// One running copy per user. The first copy holds a lock file and listens on a local socket that only
// its user can reach; a later copy hands its file (or nothing, to only raise the window) to the first
// copy over that socket, waits for the acknowledgement and ends. The lock decides who is first, so
// two copies started at the same instant still end up with one first copy and no lost file.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    enum class Role {
        First, // this copy runs the program
        HandedOver, // the first copy acknowledged the message; this copy ends
        Unconfirmed, // the message went out but no answer came in time (the first copy is busy);
                     // it waits in the connection and is read when the first copy gets to it
        Failed, // another copy holds the lock but could not be reached
    };

    // The per-user socket name: in $XDG_RUNTIME_DIR when there is one, else in the temporary folder
    // with the user id in the name.
    static QString defaultServerName();
    static constexpr int DefaultTimeoutMs = 5000;

    explicit SingleInstance(const QString& serverName = defaultServerName(), QObject* parent = nullptr);
    ~SingleInstance() override;

    // Becomes the first copy, or hands paths (made absolute by the caller; none to only activate)
    // and the desktop's activation token to the first copy. Blocks for at most timeoutMs.
    Role start(const QStringList& paths, int timeoutMs = DefaultTimeoutMs);
    Role start(const QString& path, int timeoutMs = DefaultTimeoutMs);

    QString serverName() const { return m_serverName; }
    // True while this copy is the first and takes messages.
    bool listening() const;

    // What the first copy does on activationRequested: bring window up and give it the focus,
    // passing on the token on Wayland.
    static void activateWindow(QWidget* window, const QString& activationToken);

signals:
    // A second copy started: raise the main window. Always comes before fileHandedOver.
    void activationRequested(const QString& activationToken);
    // A second copy was started with this file (its first): add it to the playlist and play it.
    void fileHandedOver(const QString& path);
    // The further files of the same second copy, right after its first: added behind it, not played.
    void moreFilesHandedOver(const QStringList& paths);

private:
    bool becomeFirst();
    // The lock file names no owner and is not being written just now.
    bool ownerlessLock() const;
    enum class SendOutcome { Acknowledged, NotDelivered, Unknown };
    SendOutcome sendToFirst(const QByteArray& message, int timeoutMs);
    void acceptConnections();
    void readFrom(QLocalSocket* socket);

    QString m_serverName;
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer* m_server = nullptr;
};
