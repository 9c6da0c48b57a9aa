#include "playlist/addfilesjob.h"
#include "playlist/playlistdialogs.h"
#include "tests/support/playlistfixture.h"
#include "tests/support/testdir.h"

#include <QElapsedTimer>
#include <QProgressDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

// The progress of a long addition: shown only after a while (an addition done sooner removes it unseen,
// as the end of this one does), and its Cancel keeps what was added.
class TestPlaylistDialogs : public QObject {
    Q_OBJECT
private slots:
    void addition_progressAppearsLateAndCancels()
    {
        QTemporaryDir dir;
        for (int n = 0; n < 10; ++n)
            QVERIFY(WriteAll(dir.filePath(QStringLiteral("%1.swf").arg(n)), "x"));
        PlaylistFixture f;
        QWidget window;
        window.show();
        PlaylistDialogs dialogs(&window);
        AddFilesJob job(f.model, f.transport, { dir.path() }, AddFilesJob::Origin::Drop);
        QElapsedTimer clock;
        clock.start();
        QVERIFY(!job.RunFor(0));
        dialogs.WatchAddition(job);
        auto* progress = window.findChild<QProgressDialog*>();
        QVERIFY(progress && !progress->isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(progress->isVisible(), 5000);
        QVERIFY(clock.elapsed() >= PlaylistDialogs::ProgressDelayMs);
        QVERIFY(!job.RunFor(0));
        QVERIFY(progress->labelText().contains(QStringLiteral("2")));
        progress->findChild<QPushButton*>()->click();
        QVERIFY(job.RunFor(0));
        QCOMPARE(f.model.RowCount(), 2); // what was added stays
        QTRY_VERIFY_WITH_TIMEOUT(!window.findChild<QProgressDialog*>(), 5000);
    }
};

QTEST_MAIN(TestPlaylistDialogs)
#include "tst_playlistdialogs.moc"
