#include "app/commandline.h"
#include "tests/support/texttablerow.h"

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
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
