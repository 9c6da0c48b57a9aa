#include "swf/formatting.h"

#include "core/numbertext.h"

#include <QCoreApplication>

namespace {

// The last two digits of the number, zero-padded: 7 -> "07", 123 -> "23".
QString twoDigits(int64_t n)
{
    return QString(QStringLiteral("00") + QString::number(n)).right(2);
}

// value / unit rounded to two places (ties to even), shortest form: 1.5, 2, 1023.99.
QString scaled(int64_t bytes, int64_t unit)
{
    const int64_t hundredths = RoundRatioHalfEven(bytes * 100, unit);
    const int64_t whole = hundredths / 100;
    const int64_t fraction = hundredths % 100;
    if (fraction == 0)
        return QString::number(whole);
    if (fraction % 10 == 0)
        return QString::number(whole) + u'.' + QString::number(fraction / 10);
    return QString::number(whole) + u'.' + twoDigits(fraction);
}

} // namespace

QString FormatDuration(int32_t seconds, int32_t style)
{
    if (style < DurationWords || style > DurationFull)
        return {};
    const int64_t h = seconds / 3600;
    const int64_t m = (seconds % 3600) / 60;
    const int64_t s = seconds % 60;
    QString text;
    switch (style) {
    case DurationWords:
        if (h >= 1)
            text += QCoreApplication::translate("Duration", "%1小时").arg(h);
        if (m > 0)
            text += QCoreApplication::translate("Duration", "%1分").arg(m);
        if (!text.isEmpty() || s != 0)
            text += QCoreApplication::translate("Duration", "%1秒").arg(s);
        break;
    case DurationShort:
        if (h >= 1)
            text += QString::number(h) + u':';
        text += twoDigits(m) + u':' + twoDigits(s);
        break;
    case DurationFull:
        text = twoDigits(h) + u':' + twoDigits(m) + u':' + twoDigits(s);
        break;
    }
    return text;
}

QString FormatFileSize(int64_t bytes)
{
    constexpr int64_t KB = 1024, MB = KB * 1024, GB = MB * 1024;
    if (bytes > GB)
        return scaled(bytes, GB) + u"GB";
    if (bytes > MB)
        return scaled(bytes, MB) + u"MB";
    if (bytes > KB)
        return scaled(bytes, KB) + u"KB";
    return QString::number(bytes) + u"Byte";
}
