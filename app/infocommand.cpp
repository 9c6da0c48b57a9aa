#include "app/infocommand.h"

#include "core/jsontext.h"
#include "core/settings.h"
#include "swf/swfheader.h"

QString SwfHeaderJson(const QString& path, bool ok, const SwfHeaderInfo& info)
{
    QStringList fields;
    auto add = [&](const char* name, const QString& json) {
        fields.append(u'"' + QLatin1StringView(name) + QStringLiteral("\":") + json);
    };
    add("Path", JsonString(path));
    add("Ok", JsonBool(ok));
    add("ActionScript3", JsonBool(info.ActionScript3));
    add("FileName", JsonString(info.FileName));
    add("Signature", JsonString(info.Signature));
    add("Version", QString::number(info.Version));
    add("FileSize", QString::number(info.FileSize));
    add("FileLength", QString::number(info.FileLength));
    add("Width", QString::number(info.Width));
    add("Height", QString::number(info.Height));
    add("Nbits", QString::number(info.Nbits));
    add("Xmin", QString::number(info.Xmin));
    add("Xmax", QString::number(info.Xmax));
    add("Ymin", QString::number(info.Ymin));
    add("Ymax", QString::number(info.Ymax));
    add("RectBytes", QString::number(info.RectBytes));
    add("FrameRate", ShortestFloatText(info.FrameRate));
    add("FrameCount", QString::number(info.FrameCount));
    add("Duration", QString::number(info.Duration));
    add("Format", JsonString(info.Format));
    return u'{' + fields.join(u',') + u'}';
}

int RunInfoCommand(const QStringList& paths, QTextStream& out)
{
    int status = 0;
    for (const QString& path : paths) {
        SwfHeaderInfo info;
        const bool ok = ReadSwfHeader(path, info);
        if (!ok)
            status = 1;
        out << SwfHeaderJson(path, ok, info) << '\n';
    }
    out.flush();
    return status;
}
