#include "app/commandline.h"

#include <QTest>

Q_DECLARE_METATYPE(CommandLine::Mode)

namespace {

QStringList L(std::initializer_list<const char*> items)
{
    QStringList list;
    for (const char* item : items)
        list.append(QString::fromUtf8(item));
    return list;
}

} // namespace

class TestCommandLine : public QObject {
    Q_OBJECT
private slots:
    void parse_data();
    void parse();
};

void TestCommandLine::parse_data()
{
    using Mode = CommandLine::Mode;
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<Mode>("mode");
    QTest::addColumn<QStringList>("paths");
    QTest::newRow("nothing") << L({}) << Mode::Gui << L({});
    QTest::newRow("one path") << L({ "/a/b.swf" }) << Mode::Gui << L({ "/a/b.swf" });
    QTest::newRow("quoted path loses its quotes")
        << L({ "\"/a/with space.swf\"" }) << Mode::Gui << L({ "/a/with space.swf" });
    QTest::newRow("several paths") << L({ "a.swf", "b.swf" }) << Mode::Gui
                                   << L({ "a.swf", "b.swf" });
    QTest::newRow("a lone quote is a path") << L({ "\"" }) << Mode::Gui << L({ "\"" });
    QTest::newRow("help") << L({ "--help" }) << Mode::Help << L({});
    QTest::newRow("help wins over paths") << L({ "a.swf", "-h" }) << Mode::Help << L({});
    QTest::newRow("version") << L({ "--version" }) << Mode::Version << L({});
    QTest::newRow("info") << L({ "--info", "a.swf", "b.swf" }) << Mode::Info
                          << L({ "a.swf", "b.swf" });
    QTest::newRow("info without files") << L({ "--info" }) << Mode::Error << L({});
    QTest::newRow("unknown option") << L({ "--frobnicate" }) << Mode::Error << L({});
    QTest::newRow("option after a path") << L({ "a.swf", "--info" }) << Mode::Error << L({});
    QTest::newRow("double dash ends options")
        << L({ "--", "--odd-name.swf" }) << Mode::Gui << L({ "--odd-name.swf" });
    QTest::newRow("probe keeps its own arguments")
        << L({ "--probe", "--seconds", "5", "dir" }) << Mode::Probe << L({ "--seconds", "5", "dir" });
    QTest::newRow("probe after a path is unknown") << L({ "a.swf", "--probe" }) << Mode::Error << L({});
    QTest::newRow("seconds without probe") << L({ "--seconds", "5" }) << Mode::Error << L({});
}

void TestCommandLine::parse()
{
    QFETCH(QStringList, args);
    QFETCH(CommandLine::Mode, mode);
    QFETCH(QStringList, paths);
    const CommandLine result = ParseCommandLine(args);
    QCOMPARE(result.mode, mode);
    QCOMPARE(result.paths, paths);
    QCOMPARE(result.error.isEmpty(), mode != CommandLine::Mode::Error);
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
