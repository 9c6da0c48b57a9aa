#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QVariantMap>

class PlaylistRows;
class TransportControl;

// The desktop's media controls (media keys, the panel's player applet) over MPRIS on the session bus.
// Every method is one of the transport commands the buttons give, so the rules of playing stay in one
// place. Without a session bus nothing is registered and the program runs as it does without it.
class MprisService : public QObject {
    Q_OBJECT
public:
    static constexpr const char* ServiceName = "org.mpris.MediaPlayer2.quenbarrowick";
    static constexpr const char* ObjectPath = "/org/mpris/MediaPlayer2";
    static constexpr const char* PlayerInterface = "org.mpris.MediaPlayer2.Player";

    MprisService(TransportControl& transport, const PlaylistRows& rows, QObject* parent = nullptr);
    ~MprisService() override;

    // Takes the name on the bus; false (and nothing registered) when there is no bus or the name is taken.
    bool registerOn(QDBusConnection bus);

    // Tells the desktop what changed since the last call: called when the state or the row may have changed.
    void refresh();

    void PlayPause();
    void Play();
    void Pause();
    void Stop();
    void Next();
    void Previous();

    QString playbackStatus() const;
    QVariantMap metadata() const;
    bool canGoNext() const;
    bool canGoPrevious() const;
    bool canPlay() const;
    bool canPause() const;

signals:
    void raiseRequested();
    void quitRequested();
    void openRequested(const QString& path);

private:
    // The player's properties that change with the state or the row.
    QVariantMap playerProperties() const;
    void command(int index);

    TransportControl& m_transport;
    const PlaylistRows& m_rows;
    QDBusConnection m_bus;
    QVariantMap m_announced;
    // The header is read once per file, not at every question from the desktop.
    mutable QString m_lengthPath;
    mutable qint64 m_lengthUs = 0;
};
