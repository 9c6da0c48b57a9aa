#include "app/commandline.h"
#include "app/infocommand.h"
#include "tests/support/testdir.h"
#include "tests/support/texttablerow.h"
#include "tools/swfgen/swfwriter.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <QTest>

// Each row: the arguments => the mode (G: window, I: info, P: probe, H: help, V: version, E: error) followed by
// the paths it keeps; arguments and paths are separated by spaces.
class TestCommandLine : public QObject {
    Q_OBJECT
private slots:
    void parse_data()
    {
        TextTable(uR"(
nothing:  => G
paths lose their quotes: a.swf "/a.swf" "" " - => G a.swf /a.swf  " -
help wins over paths: a.swf -h => H
version: -v => V
info: --info a.swf b.swf => I a.swf b.swf
unknown option: --frobnicate => E
option after a path: a.swf --info => E
double dash ends options: -- --odd.swf => G --odd.swf
probe keeps its own arguments: --probe --seconds 5 => P --seconds 5
probe after a path is unknown: a.swf --probe => E
)"_qs);
    }
    void parse()
    {
        const auto [given, expected] = TextRow();
        const CommandLine result = ParseCommandLine(given.split(u' ', Qt::SkipEmptyParts));
        const QString mode = QString(QStringLiteral("GIPHVE").at(int(result.mode)));
        QCOMPARE((QStringList { mode } + result.paths).join(u' '), expected);
        QCOMPARE(result.error.isEmpty(), mode != u'E');
    }

    // One line of JSON per file, in order; a file that is not a readable movie makes the status 1.
    void oneObjectPerFile()
    {
        QTemporaryDir dir;
        const QString odd = dir.filePath(u"quote\" back\\slash\ttab 中文.swf"_qs);
        QVERIFY(swfgen::WriteMovieFile(
                    odd, { .compression = swfgen::Compression::Zlib, .frameRate = 12.5, .frameCount = 50 })
            && WriteAll(dir.filePath(u"b.swf"_qs), QByteArray("\x00\x01\"\xff", 4)));
        const QStringList paths { odd, dir.filePath(u"b.swf"_qs), dir.filePath(u"gone.swf"_qs) };
        QString text;
        QTextStream out(&text);
        QCOMPARE(RunInfoCommand(paths.first(1), out), 0);
        QCOMPARE(RunInfoCommand(paths, out), 1);
        QStringList got;
        for (const QString& line : text.split(u'\n', Qt::SkipEmptyParts)) {
            const QJsonObject o = QJsonDocument::fromJson(line.toUtf8()).object();
            got.append(o.value(u"Path").toString() + u'|' + o.value(u"Signature").toString() + u'|'
                + QString::number(o.value(u"Ok").toBool()) + QString::number(o.value(u"Duration").toInt()));
        }
        const QString movie = odd + u"|CWS|14"_qs;
        QCOMPARE(got, QStringList({ movie, movie, paths.at(1) + u"|\u0000\u0001\"|00"_qs, paths.at(2) + u"||00"_qs }));
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
