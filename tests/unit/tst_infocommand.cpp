#include "app/infocommand.h"
#include "swf/swfheader.h"
#include "tools/swfgen/swfwriter.h"
#include "tests/support/testdir.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

class TestInfoCommand : public QObject {
    Q_OBJECT
private slots:
    void oneObjectPerFile();
    void everyFieldUnderItsName();
    void oddPathsStayValidJson();
};

namespace {

QList<QJsonObject> run(const QStringList& paths, int* status)
{
    QString text;
    QTextStream out(&text);
    *status = RunInfoCommand(paths, out);
    QList<QJsonObject> objects;
    for (const QString& line : text.split(u'\n', Qt::SkipEmptyParts)) {
        QJsonParseError error;
        const QJsonDocument doc = QJsonDocument::fromJson(line.toUtf8(), &error);
        if (error.error != QJsonParseError::NoError || !doc.isObject())
            return {};
        objects.append(doc.object());
    }
    return objects;
}

} // namespace

void TestInfoCommand::oneObjectPerFile()
{
    QTemporaryDir dir;
    const QString good = dir.filePath(QStringLiteral("good.swf"));
    const QString text = dir.filePath(QStringLiteral("text.swf"));
    QVERIFY(swfgen::WriteMovieFile(good, {}));
    QVERIFY(WriteAll(text, "hello"));

    int status = -1;
    QList<QJsonObject> objects = run({ good }, &status);
    QCOMPARE(objects.size(), 1);
    QCOMPARE(status, 0);

    objects = run({ good, text, dir.filePath(QStringLiteral("missing.swf")) }, &status);
    QCOMPARE(objects.size(), 3);
    QCOMPARE(status, 1);
    QCOMPARE(objects[0].value(u"Ok").toBool(), true);
    QCOMPARE(objects[1].value(u"Ok").toBool(), false);
    QCOMPARE(objects[1].value(u"Format").toString(), QStringLiteral("不是Flash文件格式"));
    QCOMPARE(objects[2].value(u"Ok").toBool(), false);
    QCOMPARE(objects[2].value(u"Path").toString(), dir.filePath(QStringLiteral("missing.swf")));
}

void TestInfoCommand::everyFieldUnderItsName()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("m.swf"));
    swfgen::MovieSpec movieSpec;
    movieSpec.compression = swfgen::Compression::Zlib;
    movieSpec.version = 10;
    movieSpec.frameRate = 12.5;
    movieSpec.frameCount = 50;
    movieSpec.actionScript3 = true;
    QVERIFY(swfgen::WriteMovieFile(path, movieSpec));
    SwfHeaderInfo info;
    QVERIFY(ReadSwfHeader(path, info));

    int status = -1;
    const QList<QJsonObject> objects = run({ path }, &status);
    QCOMPARE(objects.size(), 1);
    const QJsonObject o = objects[0];
    const QStringList keys { QStringLiteral("Path"), QStringLiteral("Ok"), QStringLiteral("ActionScript3"),
        QStringLiteral("FileName"), QStringLiteral("Signature"), QStringLiteral("Version"),
        QStringLiteral("FileSize"), QStringLiteral("FileLength"), QStringLiteral("Width"), QStringLiteral("Height"),
        QStringLiteral("Nbits"), QStringLiteral("Xmin"), QStringLiteral("Xmax"), QStringLiteral("Ymin"),
        QStringLiteral("Ymax"), QStringLiteral("RectBytes"), QStringLiteral("FrameRate"),
        QStringLiteral("FrameCount"), QStringLiteral("Duration"), QStringLiteral("Format") };
    QStringList actual = o.keys();
    QStringList expected = keys;
    actual.sort();
    expected.sort();
    QCOMPARE(actual, expected);
    QCOMPARE(o.value(u"ActionScript3").toBool(), true);
    QCOMPARE(o.value(u"Signature").toString(), QStringLiteral("CWS"));
    QCOMPARE(o.value(u"Version").toInt(), 10);
    QCOMPARE(o.value(u"FileSize").toInteger(), info.FileSize);
    QCOMPARE(o.value(u"FileLength").toInteger(), info.FileLength);
    QCOMPARE(o.value(u"Width").toInt(), 550);
    QCOMPARE(o.value(u"Height").toInt(), 400);
    QCOMPARE(o.value(u"FrameRate").toDouble(), 12.5);
    QCOMPARE(o.value(u"FrameCount").toInt(), 50);
    QCOMPARE(o.value(u"Duration").toInt(), 4);
    QCOMPARE(o.value(u"Format").toString(), QStringLiteral("Zlib压缩格式的Flash"));
    QCOMPARE(o.value(u"RectBytes").toInt(), info.RectBytes);
    QCOMPARE(o.value(u"Xmax").toInt(), 11000);
}

void TestInfoCommand::oddPathsStayValidJson()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("quote\" back\\slash\ttab 中文.swf"));
    QVERIFY(swfgen::WriteMovieFile(path, {}));
    int status = -1;
    const QList<QJsonObject> objects = run({ path }, &status);
    QCOMPARE(objects.size(), 1);
    QCOMPARE(objects[0].value(u"Path").toString(), path);
    QCOMPARE(status, 0);

    // A binary "signature" of a non-SWF file is still a JSON string.
    const QString binary = dir.filePath(QStringLiteral("binary.swf"));
    QVERIFY(WriteAll(binary, QByteArray("\x00\x01\x22\xff", 4)));
    QCOMPARE(run({ binary }, &status).size(), 1);
}

QTEST_GUILESS_MAIN(TestInfoCommand)
#include "tst_infocommand.moc"
