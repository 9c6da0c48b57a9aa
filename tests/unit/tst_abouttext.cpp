#include "about/abouttext.h"
#include "about/version.h"

#include <QTest>

class TestAboutText : public QObject {
    Q_OBJECT
private slots:
    void titleForVersion_data();
    void titleForVersion();
    void titleForBuildVersion_namesTheProgram();
};

void TestAboutText::titleForVersion_data()
{
    QTest::addColumn<QString>("version");
    QTest::addColumn<QString>("title");
    QTest::newRow("four numbers leave out the build") << "1.5.0.1"
                                                      << "Quenbarrowick V 1.5.1";
    QTest::newRow("three numbers") << "0.1.0"
                                   << "Quenbarrowick V 0.1.0";
    QTest::newRow("three numbers, last one counts") << "2.3.7"
                                                    << "Quenbarrowick V 2.3.7";
    QTest::newRow("leading zeros dropped") << "01.05.009"
                                           << "Quenbarrowick V 1.5.9";
    QTest::newRow("two numbers") << "4.2"
                                 << "Quenbarrowick V 4.2.0";
    QTest::newRow("empty") << ""
                           << "Quenbarrowick V 0.0.0";
    QTest::newRow("not numbers") << "a.b.c"
                                 << "Quenbarrowick V 0.0.0";
}

void TestAboutText::titleForVersion()
{
    QFETCH(QString, version);
    QFETCH(QString, title);
    QCOMPARE(AboutText::TitleForVersion(version), title);
}

void TestAboutText::titleForBuildVersion_namesTheProgram()
{
    const QString title = AboutText::TitleForVersion(QStringLiteral(QUEN_VERSION));
    QVERIFY(title.startsWith(u"Quenbarrowick V "));
    QCOMPARE(title.count(u'.'), 2);
}

QTEST_GUILESS_MAIN(TestAboutText)
#include "tst_abouttext.moc"
