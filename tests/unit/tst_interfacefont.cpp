#include "app/companionfiles.h"
#include "app/interfacefont.h"

#include <QRawFont>
#include <QTest>

// Uses the fonts this system has: the setup script installs a CJK font.
class TestInterfaceFont : public QObject {
    Q_OBJECT
private slots:
    void standInsAreInstalledFonts();
    void captionsRenderInTheInterfaceFont_data();
    void captionsRenderInTheInterfaceFont();
    void designFontRequestsReachAStandIn();
};

namespace {

// Every character of the captions and messages of the windows built so far.
void addCaptionRows()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("options") << "选项 Flash设置 为群组 1 设置选项 循环帧超时/秒 快进/快退帧数 启动后自动播放 "
                                "禁止Flash使用脚本 禁止Flash联网(用于关闭弹窗) 保存播放列表 确定 取消";
    QTest::newRow("options hint") << "影响切换速度,太低会导致某些使用循环帧做虚拟进度条的Flahs无法播放";
    QTest::newRow("file information") << "文件属性 路径 文件名 格式 Flash版本 文件大小 原始大小 分辨率 速度 帧数 时长 备注 刷新 返回";
    QTest::newRow("file information values") << "24帧/秒 240帧 1小时2分5秒 未压缩的Flash格式 Zlib压缩格式的Flash "
                                                "LZMA压缩格式的Flash 不是Flash文件格式 1.5KB 0Byte";
    QTest::newRow("menu") << "简要说明";
}

} // namespace

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

void TestInterfaceFont::captionsRenderInTheInterfaceFont_data() { addCaptionRows(); }

void TestInterfaceFont::captionsRenderInTheInterfaceFont()
{
    QFETCH(QString, text);
    const QRawFont raw = QRawFont::fromFont(InterfaceFont());
    QVERIFY(raw.isValid());
    for (QChar c : text)
        QVERIFY2(raw.supportsCharacter(c), qPrintable(QString(c)));
}

void TestInterfaceFont::designFontRequestsReachAStandIn()
{
    InstallInterfaceFontSubstitutes();
    const QRawFont raw = QRawFont::fromFont(QFont(DesignFontFamily.toString()));
    QVERIFY(raw.isValid());
    for (QChar c : QStringLiteral("选项文件属性刷新返回"))
        QVERIFY2(raw.supportsCharacter(c), qPrintable(raw.familyName()));
}

QTEST_MAIN(TestInterfaceFont)
#include "tst_interfacefont.moc"
