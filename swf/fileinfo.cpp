#include "swf/fileinfo.h"

#include "core/settings.h"
#include "swf/formatting.h"

#include <QFileInfo>

QStringList FileInfoLabels()
{
    return { QStringLiteral("路径"), QStringLiteral("文件名"), QStringLiteral("格式"), QStringLiteral("Flash版本"),
        QStringLiteral("文件大小"), QStringLiteral("原始大小"), QStringLiteral("分辨率"), QStringLiteral("速度"),
        QStringLiteral("帧数"), QStringLiteral("时长"), QStringLiteral("备注") };
}

QStringList FileInfoTexts(const QString& infoPath, const SwfHeaderInfo& info)
{
    return {
        infoPath,
        info.FileName,
        info.Signature,
        QString::number(info.Version),
        FormatFileSize(info.FileSize),
        FormatFileSize(info.FileLength),
        QString::number(info.Width) + u'x' + QString::number(info.Height),
        ShortestFloatText(info.FrameRate) + u"帧/秒",
        QString::number(info.FrameCount) + u"帧",
        FormatDuration(info.Duration, DurationWords),
        info.Format,
    };
}

HeaderReadOutcome ReadSwfHeaderChecked(const QString& path, SwfHeaderInfo& info)
{
    HeaderReadOutcome outcome;
    // A missing file leaves the record as it was, whose Format may say NotFlash from an earlier
    // file; any other read starts from an empty record.
    if (!QFileInfo(path).isFile())
        return outcome;
    outcome.decoded = ReadSwfHeader(path, info);
    outcome.notFlash = info.Format == SwfFormat::NotFlash;
    return outcome;
}
