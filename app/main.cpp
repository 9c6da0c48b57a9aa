#include "app/infocommand.h"
#include "playback/engineprocess.h"

#include <QApplication>
#include <QCoreApplication>
#include <QLabel>
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

    PrepareEngineProcess();
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Quenbarrowick"));
    QCoreApplication::setApplicationVersion(QStringLiteral(QUEN_VERSION));
    QLabel window(QStringLiteral("Quenbarrowick"));
    window.setAlignment(Qt::AlignCenter);
    window.resize(640, 480);
    window.show();
    return app.exec();
}
