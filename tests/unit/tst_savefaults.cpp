#include "core/inifile.h"
#include "playlist/listfile.h"
#include "tests/support/filesizelimit.h"
#include "tests/support/playlistfixture.h"
#include "tests/support/testdir.h"

#include <QDir>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <linux/capability.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// A short and a long playlist or settings file, saved the program's way.
struct Saves {
    PlaylistFixture lists[2];
    Saves()
    {
        QStringList paths;
        for (int i = 0; i < 300; ++i)
            paths.append(u"/电影/第%1集.swf"_s.arg(i));
        lists[1].add(paths);
        lists[0].add({ u"/a.swf"_s });
    }
    bool save(const QString& path, bool large)
    {
        if (path.endsWith(u".ini"_s))
            return WriteIni(path, u"Options"_s, u"ListFontName"_s, QString(large ? 60000 : 30, u'字'));
        return WriteListFile(lists[large].model, path).ok;
    }
};

// Root writes anywhere unless it gives up the right to ignore permissions.
void dropFileCapabilities()
{
    __user_cap_header_struct header { _LINUX_CAPABILITY_VERSION_3, 0 };
    __user_cap_data_struct data[2] {};
    syscall(SYS_capget, &header, data);
    for (int cap : { CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH, CAP_FOWNER })
        data[cap / 32].effective &= ~(1u << (cap % 32));
    syscall(SYS_capset, &header, data);
}

// In a child process (a mount stays private to it): a saved file, the fault, a larger save.
// "skip" when the fault cannot be set up here, else whether the save went through, the file, and
// how many files the folder holds.
QString saveUnderFault(Saves& saves, const QString& path, const QString& fault)
{
    const QString dir = QFileInfo(path).absolutePath();
    if (fault == u"small tmpfs"
        && (unshare(CLONE_NEWNS) != 0 || mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0
            || mount("tmpfs", QFile::encodeName(dir).constData(), "tmpfs", 0, "size=64k") != 0))
        return u"skip"_s;
    if (!saves.save(path, false))
        return u"no first save"_s;
    const QByteArray old = ReadAll(path);
    std::optional<FileSizeLimit> limit;
    if (fault == u"read-only folder") {
        chmod(QFile::encodeName(dir).constData(), 0555);
        dropFileCapabilities();
    } else if (fault == u"file size limit") {
        limit.emplace(old.size() + 100);
    } else {
        QFile filler(dir + u"/filler"_s);
        filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
        while (filler.write(QByteArray(512, 'x')) == 512) { }
    }
    const bool saved = saves.save(path, true);
    QFile::remove(dir + u"/filler"_s);
    return u"%1, %2, %3 file"_s.arg(saved ? u"saved"_s : u"refused"_s, ReadAll(path) == old ? u"old whole"_s : u"changed"_s)
        .arg(QDir(dir).entryList(QDir::Files | QDir::Hidden).size());
}

} // namespace

// Saving the playlist or the settings never leaves a truncated or empty file: the old one stays whole.
class TestSaveFaults : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    Saves m_saves;
private slots:
    void fault_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("fault");
        for (const char* file : { "PlayList.m3u", "Quenbarrowick.ini" }) {
            for (const char* fault : { "read-only folder", "file size limit", "small tmpfs" })
                QTest::addRow("%s, %s", file, fault) << QString::fromLatin1(file) << QString::fromLatin1(fault);
        }
    }
    void fault()
    {
        QFETCH(QString, file);
        QFETCH(QString, fault);
        const QString dir = m_dir.filePath(QString::fromLatin1(QTest::currentDataTag()));
        QVERIFY(QDir().mkpath(dir));
        int pipes[2];
        QVERIFY(pipe(pipes) == 0);
        const pid_t child = fork();
        if (child == 0) {
            const QByteArray outcome = saveUnderFault(m_saves, dir + u'/' + file, fault).toUtf8();
            _exit(write(pipes[1], outcome.constData(), size_t(outcome.size())) == outcome.size() ? 0 : 1);
        }
        close(pipes[1]);
        char buffer[256] = {};
        const ssize_t got = read(pipes[0], buffer, sizeof buffer - 1);
        close(pipes[0]);
        waitpid(child, nullptr, 0);
        chmod(QFile::encodeName(dir).constData(), 0755);
        const QString outcome = QString::fromUtf8(buffer, qMax<ssize_t>(got, 0));
        if (outcome == u"skip")
            QSKIP("mounting a small tmpfs is not allowed here; the file size limit rows stand for a full disk");
        QCOMPARE(outcome, u"refused, old whole, 1 file"_s);
    }

    // A process saving in a loop, killed with SIGKILL at random moments: after every kill the file is
    // one of the two versions, whole. QUEN_KILL_ROUNDS sets how many kills (default 60 per file).
    void killedMidSave_data()
    {
        QTest::addColumn<QString>("file");
        QTest::newRow("playlist") << u"PlayList.m3u"_s;
        QTest::newRow("settings") << u"Quenbarrowick.ini"_s;
    }
    void killedMidSave()
    {
        QFETCH(QString, file);
        const QString path = m_dir.filePath(file);
        QVERIFY(m_saves.save(path, true));
        const QByteArray large = ReadAll(path);
        QVERIFY(m_saves.save(path, false));
        const QByteArray small = ReadAll(path);
        const int rounds = qEnvironmentVariableIsSet("QUEN_KILL_ROUNDS") ? qEnvironmentVariableIntValue("QUEN_KILL_ROUNDS") : 60;
        for (int round = 0; round < rounds; ++round) {
            const pid_t child = fork();
            for (int i = 0; child == 0; ++i)
                m_saves.save(path, i % 2);
            usleep(QRandomGenerator::global()->bounded(1000, 40000));
            kill(child, SIGKILL);
            waitpid(child, nullptr, 0);
            const QByteArray now = ReadAll(path);
            QVERIFY2(now == small || now == large, qPrintable(u"round %1: %2 bytes"_s.arg(round).arg(now.size())));
        }
    }
};

QTEST_GUILESS_MAIN(TestSaveFaults)
#include "tst_savefaults.moc"
