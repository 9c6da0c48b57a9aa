#include "app/mpris.h"

#include "core/playlistrows.h"
#include "core/transportcontrol.h"
#include "swf/swfheader.h"

#include <QDBusAbstractAdaptor>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QUrl>

namespace {

const QString NoTrack = QStringLiteral("/org/mpris/MediaPlayer2/TrackList/NoTrack");

// org.mpris.MediaPlayer2: the program itself.
class RootAdaptor : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2")
    Q_PROPERTY(bool CanQuit READ yes)
    Q_PROPERTY(bool CanRaise READ yes)
    Q_PROPERTY(bool HasTrackList READ no)
    Q_PROPERTY(QString Identity READ identity)
    Q_PROPERTY(QString DesktopEntry READ desktopEntry)
    Q_PROPERTY(QStringList SupportedUriSchemes READ uriSchemes)
    Q_PROPERTY(QStringList SupportedMimeTypes READ mimeTypes)
public:
    explicit RootAdaptor(MprisService* service) : QDBusAbstractAdaptor(service), m_service(service) { }
    bool yes() const { return true; }
    bool no() const { return false; }
    QString identity() const { return QStringLiteral("Quenbarrowick"); }
    QString desktopEntry() const { return QStringLiteral("quenbarrowick"); }
    QStringList uriSchemes() const { return {QStringLiteral("file")}; }
    QStringList mimeTypes() const
    {
        return {QStringLiteral("application/x-shockwave-flash"), QStringLiteral("application/vnd.adobe.flash.movie")};
    }

public slots:
    void Raise() { emit m_service->raiseRequested(); }
    void Quit() { emit m_service->quitRequested(); }

private:
    MprisService* m_service;
};

// org.mpris.MediaPlayer2.Player: the transport. The position is not told: the engine knows only frames.
class PlayerAdaptor : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2.Player")
    Q_PROPERTY(QString PlaybackStatus READ playbackStatus)
    Q_PROPERTY(double Rate READ rate)
    Q_PROPERTY(double MinimumRate READ rate)
    Q_PROPERTY(double MaximumRate READ rate)
    Q_PROPERTY(QVariantMap Metadata READ metadata)
    Q_PROPERTY(bool CanGoNext READ canGoNext)
    Q_PROPERTY(bool CanGoPrevious READ canGoPrevious)
    Q_PROPERTY(bool CanPlay READ canPlay)
    Q_PROPERTY(bool CanPause READ canPause)
    Q_PROPERTY(bool CanSeek READ no)
    Q_PROPERTY(bool CanControl READ yes)
public:
    explicit PlayerAdaptor(MprisService* service) : QDBusAbstractAdaptor(service), m_service(service) { }
    QString playbackStatus() const { return m_service->playbackStatus(); }
    double rate() const { return 1.0; }
    QVariantMap metadata() const { return m_service->metadata(); }
    bool canGoNext() const { return m_service->canGoNext(); }
    bool canGoPrevious() const { return m_service->canGoPrevious(); }
    bool canPlay() const { return m_service->canPlay(); }
    bool canPause() const { return m_service->canPause(); }
    bool yes() const { return true; }
    bool no() const { return false; }

public slots:
    void PlayPause() { m_service->PlayPause(); }
    void Play() { m_service->Play(); }
    void Pause() { m_service->Pause(); }
    void Stop() { m_service->Stop(); }
    void Next() { m_service->Next(); }
    void Previous() { m_service->Previous(); }
    // Without CanSeek these have no effect.
    void Seek(qlonglong) { }
    void SetPosition(const QDBusObjectPath&, qlonglong) { }
    void OpenUri(const QString& uri)
    {
        const QUrl url(uri);
        if (url.isLocalFile())
            emit m_service->openRequested(url.toLocalFile());
    }

private:
    MprisService* m_service;
};

} // namespace

MprisService::MprisService(TransportControl& transport, const PlaylistRows& rows, QObject* parent)
    : QObject(parent)
    , m_transport(transport)
    , m_rows(rows)
    , m_bus(QString())
{
    new RootAdaptor(this);
    new PlayerAdaptor(this);
}

MprisService::~MprisService()
{
    if (!m_bus.isConnected())
        return;
    m_bus.unregisterObject(QString::fromLatin1(ObjectPath));
    m_bus.unregisterService(QString::fromLatin1(ServiceName));
}

bool MprisService::registerOn(QDBusConnection bus)
{
    if (!bus.isConnected())
        return false;
    if (!bus.registerObject(QString::fromLatin1(ObjectPath), this, QDBusConnection::ExportAdaptors))
        return false;
    if (!bus.registerService(QString::fromLatin1(ServiceName))) {
        bus.unregisterObject(QString::fromLatin1(ObjectPath));
        return false;
    }
    m_bus = bus;
    m_announced = playerProperties();
    return true;
}

void MprisService::refresh()
{
    const QVariantMap now = playerProperties();
    QVariantMap changed;
    for (auto it = now.cbegin(); it != now.cend(); ++it) {
        if (m_announced.value(it.key()) != it.value())
            changed.insert(it.key(), it.value());
    }
    m_announced = now;
    if (changed.isEmpty() || !m_bus.isConnected())
        return;
    QDBusMessage signal = QDBusMessage::createSignal(QString::fromLatin1(ObjectPath),
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("PropertiesChanged"));
    signal << QString::fromLatin1(PlayerInterface) << changed << QStringList();
    m_bus.send(signal);
}

QVariantMap MprisService::playerProperties() const
{
    return {
        {QStringLiteral("PlaybackStatus"), playbackStatus()},
        {QStringLiteral("Metadata"), metadata()},
        {QStringLiteral("CanGoNext"), canGoNext()},
        {QStringLiteral("CanGoPrevious"), canGoPrevious()},
        {QStringLiteral("CanPlay"), canPlay()},
        {QStringLiteral("CanPause"), canPause()},
    };
}

void MprisService::command(int index)
{
    m_transport.PlayerBtns_Click(index);
    refresh();
}

void MprisService::PlayPause()
{
    if (m_transport.PlayState() == TransportControl::Playing)
        Pause();
    else
        Play();
}

void MprisService::Play()
{
    // With an empty list the play button asks for files; a media key opens no dialog.
    if (canPlay() && m_transport.PlayState() != TransportControl::Playing)
        command(TransportControl::CmdPlay);
}

void MprisService::Pause()
{
    if (m_transport.PlayState() == TransportControl::Playing)
        command(TransportControl::CmdPause);
}

void MprisService::Stop()
{
    if (m_transport.PlayState() != TransportControl::Stopped)
        command(TransportControl::CmdStop);
}

void MprisService::Next()
{
    if (canGoNext())
        command(TransportControl::CmdNext);
}

void MprisService::Previous()
{
    if (canGoPrevious())
        command(TransportControl::CmdPrevious);
}

QString MprisService::playbackStatus() const
{
    switch (m_transport.PlayState()) {
    case TransportControl::Playing:
        return QStringLiteral("Playing");
    case TransportControl::Paused:
        return QStringLiteral("Paused");
    default:
        return QStringLiteral("Stopped");
    }
}

QVariantMap MprisService::metadata() const
{
    const int row = m_transport.CurrFileIndex();
    if (m_transport.PlayState() == TransportControl::Stopped || row < 1 || row > m_rows.RowCount())
        return {{QStringLiteral("mpris:trackid"), QVariant::fromValue(QDBusObjectPath(NoTrack))}};
    const QString path = m_rows.FilePath(row);
    QVariantMap data{
        {QStringLiteral("mpris:trackid"),
            QVariant::fromValue(QDBusObjectPath(QStringLiteral("/org/quenbarrowick/track/%1").arg(row)))},
        {QStringLiteral("xesam:title"), m_rows.FileName(row)},
        {QStringLiteral("xesam:url"), QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded)},
    };
    if (path != m_lengthPath) {
        m_lengthPath = path;
        SwfHeaderInfo info;
        m_lengthUs = ReadSwfHeader(path, info) && info.FrameRate > 0
            ? qint64(double(info.FrameCount) / double(info.FrameRate) * 1e6)
            : 0;
    }
    if (m_lengthUs > 0)
        data.insert(QStringLiteral("mpris:length"), m_lengthUs);
    return data;
}

bool MprisService::canGoNext() const { return m_rows.RowCount() >= 1; }

bool MprisService::canGoPrevious() const { return m_transport.CurrFileIndex() >= 2 && m_rows.RowCount() >= 2; }

bool MprisService::canPlay() const { return m_rows.RowCount() >= 1; }

bool MprisService::canPause() const { return m_transport.PlayState() == TransportControl::Playing; }

#include "mpris.moc"
