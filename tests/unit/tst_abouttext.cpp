#include "about/abouttext.h"

#include <QTest>

class TestAboutText : public QObject {
    Q_OBJECT
private slots:
    // Major, minor and the last number: the build number of a four-part version is left out.
    void titleForVersion()
    {
        QCOMPARE(AboutText::TitleForVersion(QStringLiteral("1.5.0.1")), QStringLiteral("Quenbarrowick V 1.5.1"));
        QCOMPARE(AboutText::TitleForVersion(QStringLiteral("01.05.009")), QStringLiteral("Quenbarrowick V 1.5.9"));
        QCOMPARE(AboutText::TitleForVersion(QStringLiteral("4.x")), QStringLiteral("Quenbarrowick V 4.0.0"));
    }
};

QTEST_GUILESS_MAIN(TestAboutText)
#include "tst_abouttext.moc"
