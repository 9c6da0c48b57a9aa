// Pictures of the options dialog and the file information window for the documentation, taken from
// the real windows with a generated movie. Run through tools/screenshots.sh.

#include "app/companionfiles.h"
#include "app/frmoptions.h"
#include "core/interfacefont.h"
#include "core/settings.h"
#include "core/translation.h"
#include "swf/frmflashinfo.h"
#include "tools/swfgen/swfwriter.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QTemporaryDir>
#include <cstdio>

namespace {

bool save(QWidget& window, const QString& path)
{
    window.show();
    QCoreApplication::processEvents();
    const bool saved = window.grab().save(path);
    std::printf("%s %s\n", saved ? "wrote" : "could not write", qPrintable(path));
    window.close();
    return saved;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    InstallInterfaceFontSubstitutes();
    InstallDigitalFont();
    // The language follows the environment as the program's does; the second argument ends the file names.
    InstallInterfaceTranslation(QProcessEnvironment::systemEnvironment());
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("docs");
    const QString suffix = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
    QDir().mkpath(out);

    QTemporaryDir dir;
    Settings settings;
    LoadSettings(settings, dir.filePath(QStringLiteral("Quenbarrowick.ini")));
    settings.SaveList = true;
    settings.NotAllowNetworking = true;
    frmOptions options(settings, nullptr);

    const QString movie = dir.filePath(QStringLiteral("演示动画.swf"));
    swfgen::MovieSpec movieSpec;
    movieSpec.compression = swfgen::Compression::Zlib;
    movieSpec.frameCount = 240;
    swfgen::WriteMovieFile(movie, movieSpec);
    frmFlashInfo info(movie, nullptr, { [](const QString&) { return true; }, [](QWidget*) {} });

    const bool ok = save(options, out + QStringLiteral("/options-dialog%1.png").arg(suffix))
        && save(info, out + QStringLiteral("/file-information%1.png").arg(suffix));
    return ok ? 0 : 1;
}
