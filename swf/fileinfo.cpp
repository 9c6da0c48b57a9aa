#include "swf/fileinfo.h"

#include "core/settings.h"
#include "swf/formatting.h"

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
    // The reader leaves Format alone when it cannot open the file; clearing it first tells an old
    // record's value apart from one this read set. The old value comes back when nothing was read.
    const QString previousFormat = info.Format;
    info.Format.clear();
    HeaderReadOutcome outcome;
    outcome.decoded = ReadSwfHeader(path, info);
    outcome.notFlash = info.Format == SwfFormat::NotFlash;
    if (info.Format.isEmpty())
        info.Format = previousFormat;
    return outcome;
}
