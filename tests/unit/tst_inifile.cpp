#include "core/inifile.h"
#include "tests/support/testdir.h"

#include <QDir>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

// Table rows are strings with "|" between fields.
class TestIniFile : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QString path() const { return m_dir.filePath(u"sub/Quenbarrowick.ini"_qs); }
    bool write(const QByteArray& bytes) const
    {
        return QDir().mkpath(m_dir.filePath(u"sub"_qs)) && WriteAll(path(), bytes);
    }
    QString read(const QString& key) const { return ReadIni(path(), u"Options"_qs, key, 255); }
private slots:
    void init() { QDir(m_dir.filePath(u"sub"_qs)).removeRecursively(); }

    // "file|section|key|value read", or "file before (- none, nor its folder)|section|key|value written|file after":
    // other lines stay as they stand.
    void readAndWrite_data()
    {
        QTest::addColumn<QString>("row");
        QTest::newRow("names without case") << "[Options]\r\nFastFrames=30\r\nx=1\r\n|OPTIONS|fastframes|30";
        QTest::newRow("missing section") << "[Options]\r\nx=1\r\n|Other|x|";
        QTest::newRow("spaces around") << "\uFEFF[ Options ]\n  x =  12  |Options|x|12";
        QTest::newRow("quotes dropped, equals sign kept") << "[Options]\nx=\"a=b\"\n|Options|x|a=b";
        QTest::newRow("quotes of nothing") << "[Options]\nx=''\n|Options|x|";
        QTest::newRow("another section's key unseen") << "[A]\nx=1\n[Options]\ny=2\n|Options|x|";
        QTest::newRow("first of duplicates") << "[Options]\nx=1\nx=2\n|Options|x|1";
        QTest::newRow("comment and blank lines") << "[Options]\n;x=1\n\n=0\nx=2\n|Options|x|2";
        QTest::newRow("new file and folder") << "-|Options|AutoPlay|True|[Options]\nAutoPlay=True\n";
        QTest::newRow("key replaced, matched without case")
            << "; note\n[Other]\nkeep=me\n\n[OPTIONS]\nfastframes=20\nz=1\n\n[Last]\n|Options|FastFrames|0030|; "
               "note\n[Other]\nkeep=me\n\n[OPTIONS]\nFastFrames=0030\nz=1\n\n[Last]\n";
        QTest::newRow("section added") << "[Other]\nx=1\n|Options|a|b|[Other]\nx=1\n\n[Options]\na=b\n";
        QTest::newRow("key after the last key")
            << "[Options]\na=1\n;c\n\n[Next]\n|Options|c|3|[Options]\na=1\nc=3\n;c\n\n[Next]\n";
        QTest::newRow("no final line end") << "[Options]\na=1|Options|b|2|[Options]\na=1\nb=2\n";
        QTest::newRow("CR LF kept") << "[Options]\r\na=1\r\n|Options|b|2|[Options]\r\na=1\r\nb=2\r\n";
        QTest::newRow("line break stays one line") << "|Options|x|a\n[Evil]\r\ny=1|[Options]\nx=a [Evil]  y=1\n";
    }
    void readAndWrite()
    {
        QFETCH(QString, row);
        const QStringList f = row.split(u'|');
        QVERIFY(f.at(0) == u"-" || write(f.at(0).toUtf8()));
        if (f.size() == 4) {
            QCOMPARE(ReadIni(path(), f.at(1), f.at(2), 255), f.at(3));
        } else {
            QVERIFY(WriteIni(path(), f.at(1), f.at(2), f.at(3)));
            QCOMPARE(QString::fromUtf8(ReadAll(path())), f.at(4));
        }
    }

    // Legacy text is read and the file becomes UTF-8; long values are cut when read.
    void readsLegacyTextAndCutsLongValues()
    {
        QVERIFY(write("[Options]\nx=" + QByteArray(QStringEncoder("GB18030").encode(u"微软雅黑"))));
        QCOMPARE(read(u"x"_qs), u"微软雅黑"_qs);
        QVERIFY(WriteIni(path(), u"Options"_qs, u"y"_qs, QString(300, u'字')));
        QCOMPARE(ReadAll(path()), "[Options]\nx=微软雅黑\ny=" + QString(300, u'字').toUtf8() + '\n');
        QCOMPARE(read(u"y"_qs), QString(254, u'字'));
    }

    // A folder in the way cannot be replaced (a full disk: tst_savefaults).
    void folderInTheWay() { QVERIFY(QDir().mkpath(path()) && !WriteIni(path(), u"Options"_qs, u"x"_qs, u"2"_qs)); }
};

QTEST_GUILESS_MAIN(TestIniFile)
#include "tst_inifile.moc"
