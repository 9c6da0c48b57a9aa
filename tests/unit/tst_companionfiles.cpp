#include "app/companionfiles.h"
#include "core/interfacefont.h"
#include "core/settings.h"
#include "tests/support/testdir.h"

#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTest>
#include <cerrno>

// Runs with a font configuration that lists no fonts at all, so that the clock font is missing
// until the program registers its own copy (see main below).
class TestCompanionFiles : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QList<ReleaseError> m_reports;
    std::function<void(const ReleaseError&)> report = [this](const ReleaseError& e) { m_reports.append(e); };
private slots:
    // Names and types match without case; a longer file is replaced whole; an unknown resource or a
    // folder that is not there is reported, with its number and description.
    void releaseWritesExactlyTheCarriedBytes()
    {
        const QString target = m_dir.filePath(u"out"_qs);
        QVERIFY(WriteAll(target, QByteArray(500000, 'x')));
        ReleaseResFile(u"Dseg7Classic.ttf", u"font", target, report);
        QVERIFY(m_reports.isEmpty() && ReadAll(target).size() > 1000);
        QCOMPARE(ReadAll(target), CompanionResource(u"DSEG7CLASSIC.TTF", u"FONT"));
        ReleaseResFile(u"README", u"OCX", target + u'2', report);
        ReleaseResFile(u"README", u"TXT", m_dir.filePath(u"none/R"_qs), report);
        QVERIFY(m_reports.size() == 2 && m_reports.at(0).number == ENOENT && !QFile::exists(target + u'2'));
        QCOMPARE(m_reports.at(1).text(), QString::number(m_reports.at(1).number) + u'\n' + m_reports.at(1).description);
        QVERIFY(m_reports.at(1).number != 0 && !m_reports.at(1).description.isEmpty());
        // The readme is written to the temporary folder and opened there.
        qputenv("TMPDIR", m_dir.path().toUtf8() + '/');
        QString opened;
        QVERIFY(ShowReadme([&](const QString& path) { return opened = path, true; }, report));
        QVERIFY(opened == m_dir.filePath(u"Readme.txt"_qs) && ReadAll(opened).contains("PlayList.m3u"));
    }

    void startupRegistersTheClockFontAndLoadsSettings()
    {
        const QString ini = m_dir.filePath(u"Quenbarrowick.ini"_qs);
        QVERIFY(WriteAll(ini, "[Options]\nFastFrames=7\n") && !FontInstalled(ClockFontFamily.toString()));
        Settings settings;
        RunStartupSteps(settings, ini);
        QCOMPARE(settings.FastFrames, 7);
        QVERIFY(FontInstalled(u"dseg7 CLASSIC"_qs) && !FontInstalled(u"DSEG7"_qs) && !FontInstalled(QString()));
    }
};

int main(int argc, char* argv[])
{
    // A font configuration with one empty font folder: the system's fonts stay out of sight.
    QTemporaryDir fonts;
    WriteAll(fonts.filePath(u"fonts.conf"_qs),
        u"<?xml version=\"1.0\"?>\n<fontconfig><dir>%1</dir><cachedir>%1</cachedir></fontconfig>\n"_qs
            .arg(fonts.filePath(u"cache"_qs))
            .toUtf8());
    qputenv("FONTCONFIG_FILE", fonts.filePath(u"fonts.conf"_qs).toUtf8());
    QGuiApplication app(argc, argv);
    TestCompanionFiles test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_companionfiles.moc"
