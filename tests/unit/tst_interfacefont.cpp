#include "app/companionfiles.h"
#include "core/interfacefont.h"

#include <QRawFont>
#include <QTest>

// Uses the fonts this system has: the setup script installs a CJK font.
class TestInterfaceFont : public QObject {
    Q_OBJECT
private slots:
    void standInsAreInstalledFonts();
    void designFontRequestsReachAStandIn();
};

void TestInterfaceFont::standInsAreInstalledFonts()
{
    const QStringList families = InterfaceFontFamilies();
    QVERIFY(!families.isEmpty());
    for (const QString& family : families)
        QVERIFY2(FontInstalled(family), qPrintable(family));
    // Linux has no design font, so a stand-in must lead.
    if (!FontInstalled(DesignFontFamily.toString()))
        QVERIFY(!families.contains(DesignFontFamily.toString()));
    QCOMPARE(InterfaceFont().families(), families);
    QCOMPARE(InterfaceFont(12).pointSize(), 12);
}

void TestInterfaceFont::designFontRequestsReachAStandIn()
{
    InstallInterfaceFontSubstitutes();
    const QRawFont raw = QRawFont::fromFont(QFont(DesignFontFamily.toString()));
    QVERIFY(raw.isValid());
    // The windows themselves check every caption; this is the route a design-font request takes.
    for (QChar c : QStringLiteral("选项文件属性刷新返回帧/秒"))
        QVERIFY2(raw.supportsCharacter(c), qPrintable(raw.familyName()));
}

QTEST_MAIN(TestInterfaceFont)
#include "tst_interfacefont.moc"
