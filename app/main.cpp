#include "about/frmabout.h"
#include "app/infocommand.h"
#include "shell/frmmain.h"

#include <QApplication>
#include <QCoreApplication>
#include <cstdio>

int main(int argc, char* argv[])
{
    // Commands that only print run without a display.
    if (argc >= 2 && qstrcmp(argv[1], "--info") == 0) {
        QCoreApplication app(argc, argv);
        QStringList paths = QCoreApplication::arguments().mid(2);
        QTextStream out(stdout);
        return RunInfoCommand(paths, out);
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
