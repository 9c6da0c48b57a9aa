#include "app/companionfiles.h"

#include "core/interfacefont.h"
#include "core/settings.h"
#include "core/textfile.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QUrl>
#include <cerrno>

namespace {

struct Carried {
    QStringView name;
    QStringView type;
    QStringView path;
};

constexpr Carried carriedFiles[] = {
    { u"README", u"TXT", u":/companion/readme/Readme.txt" },
    { u"DSEG7CLASSIC.TTF", u"FONT", u":/companion/fonts/DSEG7Classic-Regular.ttf" },
};

} // namespace

QString ReleaseError::text() const
{
    return QString::number(number) + u'\n' + description;
}

QByteArray CompanionResource(QStringView name, QStringView type)
{
    for (const Carried& file : carriedFiles) {
        if (file.name.compare(name, Qt::CaseInsensitive) == 0 && file.type.compare(type, Qt::CaseInsensitive) == 0) {
            QFile resource(file.path.toString());
            if (resource.open(QIODevice::ReadOnly))
                return resource.readAll();
        }
    }
    return {};
}

void ReleaseResFile(QStringView name, QStringView type, const QString& target, const ReleaseErrorReporter& report)
{
    const QByteArray bytes = CompanionResource(name, type);
    if (bytes.isEmpty()) {
        if (report)
            report({ ENOENT, QCoreApplication::translate("CompanionFiles", "程序中没有 %1 (%2)").arg(name, type) });
        return;
    }
    errno = 0;
    const WriteResult written = WriteFileAtomically(target, bytes);
    if (!written.ok && report) {
        // The write gives back only a description; the failing call's number is still in errno.
        const int number = errno != 0 ? errno : EIO;
        report({ number, written.error });
    }
}

QStringList RegisterClockFont()
{
    const int id = QFontDatabase::addApplicationFontFromData(CompanionResource(u"DSEG7CLASSIC.TTF", u"FONT"));
    return id < 0 ? QStringList() : QFontDatabase::applicationFontFamilies(id);
}

void InstallDigitalFont()
{
    // Registered for this process only, so there is nothing to copy into the system and nothing
    // left behind; a font the system already has is used as it is.
    if (!FontInstalled(ClockFontFamily.toString()))
        RegisterClockFont();
}

void ReleaseZlibDll()
{
    // zlib is linked into the program.
}

void ReleaseFlashOcx()
{
    // The engine's files are served from the program's own resources.
}

void RunStartupSteps(Settings& settings, const QString& iniFile)
{
    InstallDigitalFont();
    ReleaseZlibDll();
    LoadSettings(settings, iniFile);
    ReleaseFlashOcx();
}

QString GetTempFolder()
{
    QString folder = QDir::tempPath();
    // Qt answers empty text for a TMPDIR that does not exist; files must not land in the root then.
    if (folder.isEmpty())
        folder = QStringLiteral("/tmp");
    if (folder.endsWith(u'/'))
        folder.chop(1);
    return folder;
}

bool ShowReadme(const TextFileOpener& open, const ReleaseErrorReporter& report)
{
    const QString path = GetTempFolder() + QStringLiteral("/Readme.txt");
    ReleaseResFile(u"README", u"TXT", path, report);
    return open && open(path);
}

bool OpenWithDesktopEditor(const QString& path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}
