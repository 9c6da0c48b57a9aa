// The media controls, called as the desktop calls them: over a session bus of the test's own.
#include "app/mpris.h"
#include "tests/support/fakeplaylistrows.h"
#include "tests/support/recordingtransport.h"
#include "tests/support/texttablerow.h"
#include "tools/swfgen/swfwriter.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCall>
#include <QDBusVariant>
#include <QTemporaryDir>

class TestMpris : public QObject {
    Q_OBJECT
public slots:
    void propertiesChanged(const QString&, const QVariantMap& properties) { changed += properties.keys(); }

private slots:
    void initTestCase()
    {
        QVERIFY(client.connect(QString(), QString::fromLatin1(MprisService::ObjectPath),
            u"org.freedesktop.DBus.Properties"_qs, u"PropertiesChanged"_qs, this,
            SLOT(propertiesChanged(QString, QVariantMap))));
    }
    // The current row, play state, rows in the list, method => the transport command (- for none), the properties
    // announced; after the | what the desktop then reads: the state, the track, the length the file's header
    // gives, the title.
    void methods_data()
    {
        TextTable(uR"(
Play when paused resumes: 2 2 3 Play => 0 CanPause PlaybackStatus | Playing 2 0 2.swf
Play when playing does nothing: 2 1 3 Play => - | Playing 2 0 2.swf
Play with an empty list asks for no files: 0 0 0 Play => - | Stopped NoTrack 0
PlayPause when stopped plays, as Play does: 0 0 3 PlayPause => 0 CanPause Metadata PlaybackStatus | Playing 1 2500000 a b.swf
PlayPause when playing pauses: 1 1 3 PlayPause => 1 | Playing 1 2500000 a b.swf
Pause when stopped does nothing: 1 0 3 Pause => - | Stopped NoTrack 0
Stop when playing: 1 1 3 Stop => 2 | Playing 1 2500000 a b.swf
Stop when stopped does nothing: 1 0 3 Stop => - | Stopped NoTrack 0
Next: 3 1 3 Next => 4 | Playing 3 0 3.swf
Next with an empty list does nothing: 0 0 0 Next => - | Stopped NoTrack 0
Previous: 2 1 3 Previous => 5 | Playing 2 0 2.swf
Previous from the first row does nothing: 1 1 3 Previous => - | Playing 1 2500000 a b.swf
)"_qs);
    }
    void methods()
    {
        const auto [given, expected] = TextRow();
        const QStringList in = given.split(u' '), out = expected.section(u" | "_qs, 0, 0).split(u' ');
        QVERIFY(swfgen::WriteMovieFile(dir.filePath(u"a b.swf"_qs), { .frameRate = 12, .frameCount = 30 })); // 2.5 s
        FakePlaylistRows rows(
            QStringList { dir.filePath(u"a b.swf"_qs), u"/2.swf"_qs, u"/3.swf"_qs }.mid(0, in[2].toInt()));
        RecordingTransport transport(&rows);
        transport.setUp(in[0].toInt(), in[1].toInt());
        MprisService service(transport, rows);
        QVERIFY(service.registerOn(QDBusConnection::sessionBus()));
        changed.clear();

        QCOMPARE(call(QString::fromLatin1(MprisService::PlayerInterface), in[3]).type(), QDBusMessage::ReplyMessage);
        QCOMPARE(transport.calls.join(u','), out[0] == u"-" ? QString() : u"PlayerBtns_Click "_qs + out[0]);
        call(u"org.freedesktop.DBus.Peer"_qs, u"Ping"_qs); // a round trip: an announcement is in by now
        changed.sort();
        QCOMPARE(changed, out.mid(1));
        const auto data = qdbus_cast<QVariantMap>(property(u"Metadata"_qs));
        const QStringList shown { property(u"PlaybackStatus"_qs).toString(),
            data.value(u"mpris:trackid"_qs).value<QDBusObjectPath>().path().section(u'/', -1),
            QString::number(data.value(u"mpris:length"_qs).toLongLong()), data.value(u"xesam:title"_qs).toString() };
        QCOMPARE(shown.join(u' ').trimmed(), expected.section(u" | "_qs, 1));
        QCOMPARE(QUrl(data.value(u"xesam:url"_qs).toString()).toLocalFile(), rows.FilePath(shown[1].toInt()));
    }

private:
    QDBusMessage call(const QString& interface, const QString& method, const QVariantList& args = {})
    {
        QDBusMessage message = QDBusMessage::createMethodCall(QString::fromLatin1(MprisService::ServiceName),
            QString::fromLatin1(MprisService::ObjectPath), interface, method);
        message.setArguments(args);
        // The service answers from this thread's loop: wait without blocking it.
        QDBusPendingCall pending = client.asyncCall(message);
        QTest::qWaitFor([&] { return pending.isFinished(); }, 5000);
        QCoreApplication::processEvents(); // what came in before the answer, announcements included
        return pending.reply();
    }
    QVariant property(const QString& name)
    {
        const QVariantList args { QString::fromLatin1(MprisService::PlayerInterface), name };
        const QDBusMessage reply = call(u"org.freedesktop.DBus.Properties"_qs, u"Get"_qs, args);
        return reply.arguments().value(0).value<QDBusVariant>().variant();
    }

    QTemporaryDir dir;
    QStringList changed;
    QDBusConnection client = QDBusConnection::connectToBus(QDBusConnection::SessionBus, u"client"_qs);
};

QTEST_GUILESS_MAIN(TestMpris)
#include "tst_mpris.moc"
