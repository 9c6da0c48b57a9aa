#include "app/commandline.h"

#include <QTest>

// Each row: the arguments, then "=>" and the mode (G: window, I: info, P: probe, H: help, V: version,
// E: error) followed by the paths it keeps; arguments and paths are separated by spaces.
class TestCommandLine : public QObject {
    Q_OBJECT
private slots:
    void parse_data()
    {
        QTest::addColumn<QString>("row");
        QTest::newRow("nothing") << "=> G";
        QTest::newRow("paths lose their quotes") << "a.swf \"/a.swf\" \"\" \" - => G a.swf /a.swf  \" -";
        QTest::newRow("help wins over paths") << "a.swf -h => H";
        QTest::newRow("version") << "-v => V";
        QTest::newRow("info") << "--info a.swf b.swf => I a.swf b.swf";
        QTest::newRow("unknown option") << "--frobnicate => E";
        QTest::newRow("option after a path") << "a.swf --info => E";
        QTest::newRow("double dash ends options") << "-- --odd.swf => G --odd.swf";
        QTest::newRow("probe keeps its own arguments") << "--probe --seconds 5 => P --seconds 5";
        QTest::newRow("probe after a path is unknown") << "a.swf --probe => E";
    }
    void parse()
    {
        QFETCH(QString, row);
        const QStringList sides = row.split(QStringLiteral("=>"));
        const CommandLine result = ParseCommandLine(sides.first().split(u' ', Qt::SkipEmptyParts));
        const QString mode = QString(QStringLiteral("GIPHVE").at(int(result.mode)));
        QCOMPARE((QStringList { mode } + result.paths).join(u' '), sides.last().trimmed());
        QCOMPARE(result.error.isEmpty(), mode != u'E');
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
