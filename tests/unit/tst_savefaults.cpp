#include "core/inifile.h"
#include "playlist/listfile.h"
#include "tests/support/filesizelimit.h"
#include "tests/support/playlistfixture.h"
#include "tests/support/testdir.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <sys/wait.h>
#include <unistd.h>

// Saves the list the program's way, or settings about as long as the list's file would be.
static bool save(const QString& path, const PlaylistFixture& list)
{
    if (path.endsWith(u".ini"_qs))
        return WriteIni(path, u"Options"_qs, u"ListFontName"_qs, QString(200 * list.model.RowCount(), u'字'));
    return WriteListFile(list.model, path).ok;
}

// In a child process (the size limit stays with it): a small saved file, then a larger save that meets a full disk.
// The exit code: 1 if the save went through, + 2 if the old file changed, + 4 if anything was left beside it.
static int saveOnFullDisk(const PlaylistFixture& small, const PlaylistFixture& large, const QString& path)
{
    save(path, small);
    const QByteArray old = ReadAll(path);
    const FileSizeLimit limit(old.size() + 100);
    const bool saved = save(path, large);
    return int(saved) + (ReadAll(path) == old ? 0 : 2)
        + (QDir(QFileInfo(path).path()).entryList(QDir::Files | QDir::Hidden).size() == 1 ? 0 : 4);
}

// Saving the playlist or the settings never leaves a truncated or empty file: the old one stays whole.
class TestSaveFaults : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    PlaylistFixture m_small, m_large;
private slots:
    void fault()
    {
        m_small.add({ u"/a.swf"_qs });
        for (int i = 0; i < 300; ++i)
            m_large.add({ u"/电影/第%1集.swf"_qs.arg(i) });
        for (const QString& file : { u"PlayList.m3u"_qs, u"Quenbarrowick.ini"_qs }) {
            const QString dir = m_dir.filePath(file.right(3)); // one folder each: nothing may be left beside it
            QVERIFY(QDir().mkpath(dir));
            const QString path = dir + u'/' + file;
            const pid_t child = fork();
            if (child == 0)
                _exit(saveOnFullDisk(m_small, m_large, path));
            int status = 0;
            waitpid(child, &status, 0);
            QCOMPARE(WIFEXITED(status) ? WEXITSTATUS(status) : -1, 0);
        }
    }
};

QTEST_GUILESS_MAIN(TestSaveFaults)
#include "tst_savefaults.moc"
