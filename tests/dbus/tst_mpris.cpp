// The media controls, called as the desktop calls them: over a session bus of the test's own.
#include "app/mpris.h"
#include "tests/support/fakeplaylistrows.h"
#include "tests/support/recordingtransport.h"
#include "tests/support/texttable.h"
#include "tools/swfgen/swfwriter.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCall>
#include <QDBusVariant>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

class PropertiesListener : public QObject {
    Q_OBJECT
public:
    QStringList changed;
public slots:
    void propertiesChanged(const QString&, const QVariantMap& properties, const QStringList&)
    {
        changed += properties.keys();
    }
};

class TestMpris : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY2(QDBusConnection::sessionBus().isConnected(), "run under dbus-run-session");
        QVERIFY(dir.isValid());
        swfgen::MovieSpec movie;
        movie.frameRate = 12;
        movie.frameCount = 30;
        for (const QString& name : {u"a b.swf"_qs, u"two.swf"_qs, u"three.swf"_qs}) {
            QVERIFY(swfgen::WriteMovieFile(dir.filePath(name), movie));
            paths.append(dir.filePath(name));
        }
    }
    void methods_data();
    void methods();
    void metadataOfThePlayingRow();

private:
    QDBusMessage call(const QString& interface, const QString& method, const QVariantList& args = {});
    QVariant property(const QString& name);

    QTemporaryDir dir;
    QStringList paths;
    QDBusConnection client = QDBusConnection::connectToBus(QDBusConnection::SessionBus, u"client"_qs);
};

QDBusMessage TestMpris::call(const QString& interface, const QString& method, const QVariantList& args)
{
    QDBusMessage message = QDBusMessage::createMethodCall(QString::fromLatin1(MprisService::ServiceName),
        QString::fromLatin1(MprisService::ObjectPath), interface, method);
    message.setArguments(args);
    // The service answers from this thread's loop: wait without blocking it.
    QDBusPendingCall pending = client.asyncCall(message);
    if (!QTest::qWaitFor([&] { return pending.isFinished(); }, 5000))
        return {};
    return pending.reply();
}

QVariant TestMpris::property(const QString& name)
{
    const QDBusMessage reply = call(u"org.freedesktop.DBus.Properties"_qs, u"Get"_qs,
        {QString::fromLatin1(MprisService::PlayerInterface), name});
    return reply.arguments().value(0).value<QDBusVariant>().variant();
}

void TestMpris::methods_data()
{
    QTest::addColumn<QString>("given"); // current row, play state, rows in the list, method
    QTest::addColumn<QString>("expected"); // the transport command it gives (- for none); the properties announced
    AddTextTableRows(uR"(
Play when stopped: 1 0 3 Play => 0 CanPause Metadata PlaybackStatus
Play when paused resumes: 2 2 3 Play => 0 CanPause PlaybackStatus
Play when playing does nothing: 2 1 3 Play => -
Play with an empty list asks for no files: 0 0 0 Play => -
PlayPause when stopped plays: 0 0 3 PlayPause => 0 CanPause Metadata PlaybackStatus
PlayPause when playing pauses: 1 1 3 PlayPause => 1
Pause when playing: 1 1 3 Pause => 1
Pause when stopped does nothing: 1 0 3 Pause => -
Stop when playing: 1 1 3 Stop => 2
Stop when stopped does nothing: 1 0 3 Stop => -
Next: 3 1 3 Next => 4
Next with an empty list does nothing: 0 0 0 Next => -
Previous: 2 1 3 Previous => 5
Previous from the first row does nothing: 1 1 3 Previous => -
)"_qs);
}

void TestMpris::methods()
{
    QFETCH(QString, given);
    QFETCH(QString, expected);
    const QStringList in = given.split(u' '), out = expected.split(u' ');
    FakePlaylistRows rows(paths.mid(0, in[2].toInt()));
    RecordingTransport transport(&rows);
    transport.setUp(in[0].toInt(), in[1].toInt());
    MprisService service(transport, rows);
    QVERIFY(service.registerOn(QDBusConnection::sessionBus()));
    PropertiesListener listener;
    const QString properties = u"org.freedesktop.DBus.Properties"_qs;
    const QString path = QString::fromLatin1(MprisService::ObjectPath);
    const char* slot = SLOT(propertiesChanged(QString, QVariantMap, QStringList));
    QVERIFY(client.connect(QString(), path, properties, u"PropertiesChanged"_qs, &listener, slot));

    QCOMPARE(call(QString::fromLatin1(MprisService::PlayerInterface), in[3]).type(), QDBusMessage::ReplyMessage);
    QCOMPARE(transport.calls.join(u','), out[0] == u"-" ? QString() : u"PlayerBtns_Click "_qs + out[0]);
    // A signal is on its way only when something changed; a round trip lets it arrive first.
    call(u"org.freedesktop.DBus.Peer"_qs, u"Ping"_qs);
    listener.changed.sort();
    QCOMPARE(listener.changed, out.mid(1));
    QCOMPARE(property(u"PlaybackStatus"_qs).toString(), service.playbackStatus());
    client.disconnect(QString(), path, properties, u"PropertiesChanged"_qs, &listener, slot);
}

void TestMpris::metadataOfThePlayingRow()
{
    FakePlaylistRows rows(paths);
    RecordingTransport transport(&rows);
    transport.setUp(1, TransportControl::Paused);
    MprisService service(transport, rows);
    QVERIFY(service.registerOn(QDBusConnection::sessionBus()));
    const QVariantMap data = qdbus_cast<QVariantMap>(property(u"Metadata"_qs));
    QCOMPARE(data.value(u"xesam:title"_qs).toString(), u"a b.swf"_qs);
    QCOMPARE(QUrl(data.value(u"xesam:url"_qs).toString()).toLocalFile(), paths[0]);
    QCOMPARE(data.value(u"mpris:length"_qs).toLongLong(), 2'500'000); // 30 frames at 12 per second
    QCOMPARE(data.value(u"mpris:trackid"_qs).value<QDBusObjectPath>().path(), u"/org/quenbarrowick/track/1"_qs);
    QCOMPARE(property(u"CanGoPrevious"_qs).toBool(), false);
    QCOMPARE(property(u"CanGoNext"_qs).toBool(), true);

    QSignalSpy raised(&service, &MprisService::raiseRequested), quit(&service, &MprisService::quitRequested);
    call(u"org.mpris.MediaPlayer2"_qs, u"Raise"_qs);
    call(u"org.mpris.MediaPlayer2"_qs, u"Quit"_qs);
    QCOMPARE(raised.size(), 1);
    QCOMPARE(quit.size(), 1);
}

QTEST_GUILESS_MAIN(TestMpris)
#include "tst_mpris.moc"
