#include "app/singleinstance.h"

#include "app/handoff.h"

#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QThread>
#include <QTimer>
#include <QWidget>
#include <unistd.h>

namespace {

// A connection that sends nothing must not stay open for ever.
constexpr int ConnectionIdleMs = 5000;
constexpr int RetryPauseMs = 20;
constexpr int ConnectAttemptMs = 250;
constexpr int OwnerlessLockAgeMs = 2000;
const char* const BufferProperty = "handOffBuffer";

} // namespace

QString SingleInstance::defaultServerName()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QFileInfo(runtime).isDir())
        return QDir(runtime).filePath(QStringLiteral("quenbarrowick.socket"));
    return QDir::temp().filePath(QStringLiteral("quenbarrowick-%1.socket").arg(getuid()));
}

SingleInstance::SingleInstance(const QString& serverName, QObject* parent)
    : QObject(parent)
    , m_serverName(serverName)
    , m_lock(std::make_unique<QLockFile>(serverName + QStringLiteral(".lock")))
{
    // Held for the whole life of the first copy; a lock left by a copy that died is taken over.
    m_lock->setStaleLockTime(0);
}

SingleInstance::~SingleInstance()
{
    // Stop taking messages before giving up the lock, so that a copy starting now either reaches
    // this one while it still answers or becomes the first itself.
    if (m_server)
        m_server->close();
    m_lock->unlock();
}

bool SingleInstance::listening() const
{
    return m_server && m_server->isListening();
}

SingleInstance::Role SingleInstance::start(const QString& path, int timeoutMs)
{
    return start(path.isEmpty() ? QStringList() : QStringList { path }, timeoutMs);
}

SingleInstance::Role SingleInstance::start(const QStringList& paths, int timeoutMs)
{
    HandOffMessage message;
    message.activationToken = qEnvironmentVariable("XDG_ACTIVATION_TOKEN");
    for (const QString& path : paths) {
        if (path.isEmpty())
            continue;
        if (message.text.isEmpty())
            message.text = HandOffText(path);
        else
            message.moreTexts.append(HandOffText(path));
    }
    const QByteArray bytes = EncodeHandOff(message);

    const QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        if (becomeFirst())
            return Role::First;
        // Another copy holds the lock; it may still be on its way to listening.
        switch (sendToFirst(bytes, int(deadline.remainingTime()))) {
        case SendOutcome::Acknowledged:
            return Role::HandedOver;
        case SendOutcome::Unknown:
            return Role::Unconfirmed; // sending again could add the file twice
        case SendOutcome::NotDelivered:
            break;
        }
        if (deadline.hasExpired())
            return Role::Failed;
        QThread::msleep(RetryPauseMs);
    }
}

bool SingleInstance::becomeFirst()
{
    if (!m_lock->tryLock(0)) {
        if (m_lock->error() != QLockFile::LockFailedError || !ownerlessLock())
            return false;
        // Nobody can be holding it, so nobody else will ever clear it.
        m_lock->removeStaleLockFile();
        if (!m_lock->tryLock(0))
            return false;
    }
    // Holding the lock, no other copy is listening: a socket file left here belongs to a copy
    // that crashed.
    QLocalServer::removeServer(m_serverName);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(m_serverName))
        qWarning(
            "Quenbarrowick: cannot listen on %s: %s", qPrintable(m_serverName), qPrintable(m_server->errorString()));
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::acceptConnections);
    return true;
}

bool SingleInstance::ownerlessLock() const
{
    qint64 pid = 0;
    QString host;
    QString application;
    if (m_lock->getLockInfo(&pid, &host, &application))
        return false; // a named owner: QLockFile itself takes over when that process is gone
    // A lock file being created is empty for an instant; one that stays unreadable was cut short
    // by a crash or written by something else.
    const QFileInfo info(m_serverName + QStringLiteral(".lock"));
    return info.isFile() && info.lastModified().msecsTo(QDateTime::currentDateTime()) > OwnerlessLockAgeMs;
}

SingleInstance::SendOutcome SingleInstance::sendToFirst(const QByteArray& message, int timeoutMs)
{
    QLocalSocket socket;
    socket.connectToServer(m_serverName);
    if (!socket.waitForConnected(std::min(timeoutMs, ConnectAttemptMs)))
        return SendOutcome::NotDelivered;
    const QDeadlineTimer deadline(std::max(timeoutMs, ConnectAttemptMs));
    socket.write(message);
    while (socket.bytesToWrite() > 0) {
        if (!socket.waitForBytesWritten(int(deadline.remainingTime())))
            return SendOutcome::NotDelivered;
    }
    while (socket.bytesAvailable() < 1) {
        if (!socket.waitForReadyRead(int(deadline.remainingTime()))) {
            // Closed without an answer: the first copy was going away and never read the message.
            return socket.state() == QLocalSocket::UnconnectedState ? SendOutcome::NotDelivered : SendOutcome::Unknown;
        }
    }
    char answer = 0;
    socket.getChar(&answer);
    return answer == HandOffAck ? SendOutcome::Acknowledged : SendOutcome::NotDelivered;
}

void SingleInstance::acceptConnections()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readFrom(socket); });
        QTimer::singleShot(ConnectionIdleMs, socket, [socket] { socket->abort(); });
        readFrom(socket);
    }
}

void SingleInstance::readFrom(QLocalSocket* socket)
{
    QByteArray received = socket->property(BufferProperty).toByteArray() + socket->readAll();
    const DecodeResult result = DecodeHandOff(received);
    switch (result.status) {
    case DecodeStatus::NeedMore:
        socket->setProperty(BufferProperty, received);
        return;
    case DecodeStatus::Invalid:
        socket->abort();
        return;
    case DecodeStatus::Complete:
        break;
    }
    socket->setProperty(BufferProperty, QByteArray());
    // Answer first: the second copy may end at once, while adding the file can take a while.
    socket->write(&HandOffAck, 1);
    socket->flush();
    socket->disconnectFromServer();
    emit activationRequested(result.message.activationToken);
    if (const std::optional<QString> path = HandOffPath(result.message.text); path && !path->isEmpty())
        emit fileHandedOver(*path);
    QStringList more;
    for (const QString& text : std::as_const(result.message.moreTexts)) {
        if (const std::optional<QString> path = HandOffPath(text); path && !path->isEmpty())
            more.append(*path);
    }
    if (!more.isEmpty())
        emit moreFilesHandedOver(more);
}

void SingleInstance::activateWindow(QWidget* window, const QString& activationToken)
{
    if (!window)
        return;
    // Qt's Wayland plugin takes the token from the environment when the window asks for activation.
    if (!activationToken.isEmpty())
        qputenv("XDG_ACTIVATION_TOKEN", activationToken.toUtf8());
    window->setWindowState((window->windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    window->show();
    window->raise();
    window->activateWindow();
}
