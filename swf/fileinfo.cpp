#include "swf/fileinfo.h"

#include "core/settings.h"
#include "swf/formatting.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {
// For the translator: the names ReadSwfHeader gives (swf/swfheader.h).
[[maybe_unused]] const char* const FormatNames[]
    = { QT_TRANSLATE_NOOP("SwfFormat", "未压缩的Flash格式"), QT_TRANSLATE_NOOP("SwfFormat", "Zlib压缩格式的Flash"),
          QT_TRANSLATE_NOOP("SwfFormat", "LZMA压缩格式的Flash"), QT_TRANSLATE_NOOP("SwfFormat", "不是Flash文件格式") };
} // namespace

QStringList FileInfoLabels()
{
    static const char* const labels[] = { QT_TRANSLATE_NOOP("FileInfo", "路径"),
        QT_TRANSLATE_NOOP("FileInfo", "文件名"), QT_TRANSLATE_NOOP("FileInfo", "格式"),
        QT_TRANSLATE_NOOP("FileInfo", "Flash版本"), QT_TRANSLATE_NOOP("FileInfo", "文件大小"),
        QT_TRANSLATE_NOOP("FileInfo", "原始大小"), QT_TRANSLATE_NOOP("FileInfo", "分辨率"),
        QT_TRANSLATE_NOOP("FileInfo", "速度"), QT_TRANSLATE_NOOP("FileInfo", "帧数"),
        QT_TRANSLATE_NOOP("FileInfo", "时长"), QT_TRANSLATE_NOOP("FileInfo", "备注") };
    QStringList texts;
    for (const char* label : labels)
        texts.append(QCoreApplication::translate("FileInfo", label));
    return texts;
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
        QCoreApplication::translate("FileInfo", "%1帧/秒").arg(ShortestFloatText(info.FrameRate)),
        QCoreApplication::translate("FileInfo", "%1帧").arg(info.FrameCount),
        FormatDuration(info.Duration, DurationWords),
        // The format names are the header reader's own words, translated only for the eye.
        QCoreApplication::translate("SwfFormat", info.Format.toUtf8().constData()),
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
