// Shows the main window on the running X server in its stopped, playing and full-screen looks and saves a
// picture of the screen for each into the folder given as the argument (tools/screenshots.sh runs it
// under Xvfb). There is no engine here: the player area stays black.
#include "shell/frmmain.h"

#include <QApplication>
#include <QDir>
#include <QHeaderView>
#include <QScreen>
#include <QStandardItemModel>
#include <QTimer>
#include <QTreeView>
#include <cstdio>

namespace {
void Settle(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

bool Shoot(const QWidget& window, const QString& path)
{
    const QRect frame = window.isFullScreen() ? window.screen()->geometry() : window.frameGeometry();
    const QPixmap shot = window.screen()->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height());
    const bool saved = shot.save(path);
    std::fprintf(stderr, "%s %s\n", saved ? "saved" : "could not save", qPrintable(path));
    return saved;
}
} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: quen_screenshots <folder>\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));

    frmMain window;
    auto* model = new QStandardItemModel(0, 3, &window);
    const char* const names[] = { "orbit.swf", "paper-boat.swf", "night-train.swf", "fireflies.swf", "tide.swf" };
    const char* const times[] = { "0:12", "0:08", "1:45", "0:31", "2:04" };
    for (int i = 0; i < 5; ++i)
        model->appendRow({ new QStandardItem(QString::number(i + 1)), new QStandardItem(QString::fromUtf8(names[i])),
            new QStandardItem(QString::fromUtf8(times[i])) });
    auto* list = new QTreeView;
    list->setModel(model);
    list->setHeaderHidden(true);
    list->setRootIsDecorated(false);
    list->setStyleSheet(QStringLiteral("QTreeView { background: #1e1e1e; color: #d8d8d8; border: none; }"
                                       "QTreeView::item:selected { background: #2f4f1a; color: #9be35c; }"));
    list->setColumnWidth(0, 28);
    list->setColumnWidth(2, 40);
    list->header()->setStretchLastSection(false);
    list->header()->setSectionResizeMode(1, QHeaderView::Stretch);
    window.setPlaylistView(list);
    window.SetWindowState(frmMain::RestoreWindow);
    window.show();
    Settle(600);

    bool ok = Shoot(window, out.filePath(QStringLiteral("stopped.png")));

    window.PresentPlayState(1);
    window.SetFormTitle(QStringLiteral("night-train.swf"));
    window.SetTimeText(QStringLiteral("00:42"));
    window.SetFrameInfoText(QStringLiteral("504/1260"));
    window.SetMiniProgressWidth(window.MiniStripWidth() * 2 / 5);
    list->setCurrentIndex(model->index(2, 0));
    Settle(300);
    ok = Shoot(window, out.filePath(QStringLiteral("playing.png"))) && ok;

    window.SetWindowState(frmMain::FullScreenToggle);
    Settle(800);
    ok = Shoot(window, out.filePath(QStringLiteral("fullscreen.png"))) && ok;
    return ok ? 0 : 1;
}
