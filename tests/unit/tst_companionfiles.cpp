#include "app/companionfiles.h"
#include "core/interfacefont.h"
#include "core/settings.h"
#include "tests/support/testdir.h"

#include <QDir>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTest>
#include <cerrno>

using namespace Qt::StringLiterals;

// Runs with a font configuration that lists no fonts at all, so that the clock font is missing
// until the program registers its own copy (see main below).
class TestCompanionFiles : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
private slots:
    void releaseWritesExactlyTheCarriedBytes()
    {
        const QString target = m_dir.filePath(u"out"_s);
        QVERIFY(WriteAll(target, QByteArray(500000, 'x'))); // a longer file is replaced whole
        QList<ReleaseError> reports;
        const auto report = [&](const ReleaseError& e) { reports.append(e); };
        ReleaseResFile(u"Dseg7Classic.ttf", u"font", target, report);
        QVERIFY(reports.isEmpty() && CompanionResource(u"DSEG7CLASSIC.TTF", u"FONT").size() > 1000);
        QCOMPARE(ReadAll(target), CompanionResource(u"DSEG7CLASSIC.TTF", u"FONT"));
        ReleaseResFile(u"README", u"OCX", target + u'2', report);
        ReleaseResFile(u"README", u"TXT", m_dir.filePath(u"none/R"_s), report);
        QCOMPARE(reports.size(), 2);
        QCOMPARE(reports.at(0).number, ENOENT);
        QVERIFY(reports.at(1).number != 0 && !reports.at(1).description.isEmpty() && !QFile::exists(target + u'2'));
        QCOMPARE(reports.at(1).text(), QString::number(reports.at(1).number) + u'\n' + reports.at(1).description);
    }

    // Written to the temporary folder and opened there; a failed write is reported and the file opened anyway.
    void readme()
    {
        QStringList opened;
        QList<ReleaseError> reports;
        const auto open = [&](const QString& path) {
            opened.append(path);
            return true;
        };
        const auto report = [&](const ReleaseError& e) { reports.append(e); };
        const QString folder = m_dir.filePath(u"temp with spaces"_s);
        QVERIFY(QDir().mkpath(folder + u"/Readme.txt/in"_s));
        qputenv("TMPDIR", m_dir.path().toUtf8() + '/');
        QVERIFY(ShowReadme(open, report));
        const QString text = QString::fromUtf8(ReadAll(opened.first()));
        QVERIFY(text.contains(u"播放列表"_s) && text.contains(u"PlayList.m3u"_s) && text.contains(u"循环帧超时"_s));
        qputenv("TMPDIR", folder.toUtf8());
        QVERIFY(ShowReadme(open, report));
        QCOMPARE(opened, QStringList({ m_dir.filePath(u"Readme.txt"_s), folder + u"/Readme.txt"_s }));
        QCOMPARE(reports.size(), 1);
        qputenv("TMPDIR", m_dir.filePath(u"missing"_s).toUtf8());
        QCOMPARE(GetTempFolder(), u"/tmp"_s);
    }

    void startupRegistersTheClockFontAndLoadsSettings()
    {
        const QString ini = m_dir.filePath(u"Quenbarrowick.ini"_s);
        QVERIFY(WriteAll(ini, "[Options]\nFastFrames=7\n"));
        QVERIFY(!FontInstalled(ClockFontFamily.toString()));
        Settings settings;
        RunStartupSteps(settings, ini);
        QCOMPARE(settings.FastFrames, 7);
        QVERIFY(FontInstalled(u"dseg7 CLASSIC"_s) && !FontInstalled(u"DSEG7"_s) && !FontInstalled(QString()));
    }
};

int main(int argc, char* argv[])
{
    // A font configuration with one empty font folder: the system's fonts stay out of sight.
    QTemporaryDir fonts;
    WriteAll(fonts.filePath(u"fonts.conf"_s),
        u"<?xml version=\"1.0\"?>\n<fontconfig><dir>%1</dir><cachedir>%1</cachedir></fontconfig>\n"_s
            .arg(fonts.filePath(u"cache"_s))
            .toUtf8());
    qputenv("FONTCONFIG_FILE", fonts.filePath(u"fonts.conf"_s).toUtf8());
    QGuiApplication app(argc, argv);
    TestCompanionFiles test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_companionfiles.moc"
