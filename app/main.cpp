#include "about/frmabout.h"
#include "app/commandline.h"
#include "app/infocommand.h"
#include "shell/frmmain.h"

#include <QApplication>
#include <QCoreApplication>
#include <cstdio>

int main(int argc, char* argv[])
{
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args.append(QString::fromLocal8Bit(argv[i]));
    const CommandLine command = ParseCommandLine(args);

    // Commands that only print run without a display.
    switch (command.mode) {
    case CommandLine::Mode::Help:
        std::fputs(UsageText().toLocal8Bit().constData(), stdout);
        return 0;
    case CommandLine::Mode::Version:
        std::printf("Quenbarrowick %s\n", QUEN_VERSION);
        return 0;
    case CommandLine::Mode::Error:
        std::fprintf(stderr, "quenbarrowick: %s\n%s", qPrintable(command.error), qPrintable(UsageText()));
        return 2;
    case CommandLine::Mode::Info: {
        QCoreApplication app(argc, argv);
        QTextStream out(stdout);
        return RunInfoCommand(command.paths, out);
    }
    case CommandLine::Mode::Probe:
        std::fputs("quenbarrowick: --probe needs the engine, which this build does not have yet\n", stderr);
        return 2;
    case CommandLine::Mode::Gui:
        break;
    }

    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Quenbarrowick"));
    QCoreApplication::setApplicationVersion(QStringLiteral(QUEN_VERSION));
    frmMain window;
    QObject::connect(&window, &frmMain::aboutRequested, &window, [&window] { frmAbout(&window).exec(); });
    window.SetWindowState(frmMain::RestoreWindow);
    window.show();
    return app.exec();
}
