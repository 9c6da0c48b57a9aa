// The main window's window states, full screen, mouse gestures, splitter and popup menus.
#include "shell/frmmain.h"

#include "core/flashcontrol.h"
#include "platform/pointervisibility.h"
#include "shell/windowgeometry.h"

#include <QAbstractItemView>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QScreen>
#include <QTimer>
#include <QTreeView>
#include <QWindow>

void frmMain::createMenus()
{
    m_mnuIcon = new QMenu(tr("图标菜单"), this);
    m_mnuIcon->setObjectName(QStringLiteral("mnuIcon"));
    QMenu* open = m_mnuIcon->addMenu(tr("打开"));
    open->setObjectName(QStringLiteral("mnuIconOpen"));
    QAction* openSwf = open->addAction(tr("swf文件"), this, &frmMain::openFilesRequested);
    openSwf->setObjectName(QStringLiteral("mnuIconOpenSwf"));
    openSwf->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    open->addAction(tr("播放列表"), this, &frmMain::openListRequested)
        ->setObjectName(QStringLiteral("mnuIconOpenList"));
    QAction* options = m_mnuIcon->addAction(tr("设置"), this, &frmMain::optionsRequested);
    options->setObjectName(QStringLiteral("mnuIconOptons"));
    options->setShortcut(QKeySequence(Qt::Key_F2));
    m_mnuIcon->addAction(tr("关于"), this, &frmMain::aboutRequested)->setObjectName(QStringLiteral("mnuIconAbout"));
    m_mnuIcon->addAction(tr("简要说明"), this, &frmMain::readmeRequested)
        ->setObjectName(QStringLiteral("mnuIconReadme"));
    m_mnuIcon->addAction(tr("退出"), this, &QWidget::close)->setObjectName(QStringLiteral("mnuIconQuit"));
    // The keys are the window's own (its key handler); the menu only shows them.
    for (QAction* action : { openSwf, options })
        action->setShortcutContext(Qt::WidgetShortcut);

    m_mnuPlayer = new QMenu(tr("播放器菜单"), this);
    m_mnuPlayer->setObjectName(QStringLiteral("mnuPlayer"));
    m_mnuPlayer->addAction(tr("打开"), this, &frmMain::openFilesRequested)
        ->setObjectName(QStringLiteral("mnuPlayerOpen"));
    m_mnuPlayerFull = m_mnuPlayer->addAction(tr("全屏"), this, [this] { SetWindowState(FullScreenToggle); });
    m_mnuPlayerFull->setObjectName(QStringLiteral("mnuPlayerFull"));
    QMenu* size = m_mnuPlayer->addMenu(tr("画面大小"));
    size->setObjectName(QStringLiteral("mnuPlayerSize"));
    const struct {
        const char* name;
        const char* caption;
        const char* mode;
    } sizes[] = { { "mnuPlayerSizeAtutoFit", QT_TRANSLATE_NOOP("frmMain", "自动适应"), "ShowAll" },
        { "mnuPlayerSizeOrigin", QT_TRANSLATE_NOOP("frmMain", "原始大小"), "NoScale" },
        { "mnuPlayerSizeStrech", QT_TRANSLATE_NOOP("frmMain", "填满窗口"), "ExactFit" } };
    for (const auto& item : sizes) {
        const QString mode = QLatin1String(item.mode);
        size->addAction(tr(item.caption), this, [this, mode] { emit scaleModeRequested(mode); })
            ->setObjectName(QLatin1String(item.name));
    }
    m_mnuPlayer->addAction(tr("设置"), this, &frmMain::optionsRequested)
        ->setObjectName(QStringLiteral("mnuPlayerOptions"));
    m_mnuPlayer->addAction(tr("关于"), this, &frmMain::aboutRequested)->setObjectName(QStringLiteral("mnuPlayerAbout"));
    m_mnuPlayerInfo = m_mnuPlayer->addAction(tr("文件信息"), this, &frmMain::fileInfoRequested);
    m_mnuPlayerInfo->setObjectName(QStringLiteral("mnuPlayerInfo"));
}

void frmMain::watchPlayerInput(QWidget* input)
{
    if (!input || m_playerInputs.contains(input))
        return;
    m_playerInputs.append(input);
    connect(input, &QObject::destroyed, this, [this](QObject* gone) { m_playerInputs.removeAll(gone); });
    watch(input);
}

void frmMain::watch(QWidget* widget)
{
    widget->setMouseTracking(true);
    widget->installEventFilter(this);
}

QRect frmMain::screenGeometry() const
{
    const QScreen* s = screen();
    return s ? s->geometry() : QRect(0, 0, 1024, 768);
}

bool frmMain::isMaximisedState() const
{
    return windowState() & Qt::WindowFullScreen;
}

bool frmMain::isFullScreenTimerActive() const
{
    return m_timerFullScr->isActive();
}

void frmMain::showCursor(bool show)
{
    Pointer::ShowCursor(show);
}

int frmMain::CursorShowCount() const
{
    return Pointer::ShowCount();
}

void frmMain::hideProgressBar()
{
    PlProgBar->hide();
}

void frmMain::stopFullScreenTimer()
{
    m_timerFullScr->stop();
}

void frmMain::DragWindow()
{
    // The window manager moves the window until the button is released (works on Wayland too).
    if (QWindow* window = windowHandle())
        window->startSystemMove();
    emit windowDragStarted();
}

void frmMain::restoreNormal()
{
    if (windowState() & (Qt::WindowFullScreen | Qt::WindowMinimized | Qt::WindowMaximized))
        showNormal();
    picTop->show();
    picBottom->show();
    setGeometry(RestoreRect(screenGeometry(), m_normalSize));
}

void frmMain::SetWindowState(int state)
{
    if (CursorShowCount() < 0)
        showCursor(true);
    switch (state) {
    case MinimiseWindow:
        showMinimized();
        break;
    case RestoreWindow:
        restoreNormal();
        break;
    case MaximiseToggle:
        if (SpansScreenWidth(width(), screenGeometry()) || isMaximisedState()) {
            m_layout.SetLayoutSuspended(false);
            restoreNormal();
            SetControlsSize();
        } else {
            const QScreen* s = screen();
            setGeometry(WorkAreaMaximiseRect(screenGeometry(), s ? s->availableGeometry() : screenGeometry()));
        }
        break;
    case FullScreenToggle:
        if (isMaximisedState()) {
            m_layout.SetLayoutSuspended(false);
            restoreNormal();
            SetControlsSize();
            m_mnuPlayerFull->setText(tr("全屏"));
        } else {
            // Without a window manager that honours the full-screen request the window still covers the screen.
            setGeometry(screenGeometry());
            showFullScreen();
            if (m_flash && m_flash->Scale() != u"ExactFit" && m_flash->Scale() != u"ShowAll")
                m_flash->SetScale(QStringLiteral("ShowAll"));
            m_mnuPlayerFull->setText(tr("退出全屏"));
            m_timerFullScr->start();
        }
        break;
    default:
        break;
    }
}

void frmMain::WinBtns_Click(int index)
{
    switch (index) {
    case 0:
        SetWindowState(MinimiseWindow);
        break;
    case 1:
        SetWindowState(MaximiseToggle);
        break;
    case 2:
        close();
        break;
    default:
        break;
    }
}

void frmMain::TimerFullScr_Timer()
{
    m_timerFullScr->stop();
    if (!isMaximisedState() || m_playState == 0)
        return;
    if (picPlayList->isVisible())
        SetPlaylistVisible(false);
    picTop->hide();
    picBottom->hide();
    PlProgBar->hide();
    if (CursorShowCount() > -1)
        showCursor(false);
    Flash->lower();
    m_layout.FillWindowWithPlayer(Twips::FromPixels(width()), Twips::FromPixels(height()));
    Flash->setGeometry(m_layout.areas().Flash.toPixels());
}

void frmMain::PlayerMouseMove(const QPointF& globalPos)
{
    ResetAllBtnIcon();
    hideProgressBar();
    if (!isMaximisedState())
        return;
    if (!PointerMovedFarEnough(globalPos, m_lastCursorPos))
        return;
    m_timerFullScr->stop();
    if (CursorShowCount() < 0)
        showCursor(true);
    // The bars come back where the last layout pass put them, over the player that still fills the screen.
    picTop->show();
    picBottom->show();
    m_lastCursorPos = globalPos;
    m_timerFullScr->start();
}

void frmMain::PlayerLeftButtonDown()
{
    // While a movie plays the press is the movie's business no longer: nothing happens.
    if (m_playState != 1)
        DragWindow();
}

void frmMain::PlayerDoubleClick()
{
    SetWindowState(FullScreenToggle);
}

void frmMain::PlayerRightButtonDown(const QPoint& globalPos)
{
    m_mnuPlayer->popup(globalPos);
}

void frmMain::onSplitterMouse(QEvent* event)
{
    auto* mouse = static_cast<QMouseEvent*>(event);
    const double x = mouse->position().x() * Twips::PerPixel;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        m_layout.SplitterDown(mouse->button() == Qt::LeftButton, x);
        break;
    case QEvent::MouseButtonRelease:
        m_layout.SplitterUp();
        break;
    case QEvent::MouseMove: {
        if (!m_layout.SplitterMove(x, Twips::FromPixels(width())))
            break;
        const MainLayout::Areas& a = m_layout.areas();
        Flash->setGeometry(a.Flash.toPixels());
        picPlayList->setGeometry(a.picPlayList.toPixels());
        picListEditor->setGeometry(a.picListEditor.toPixels());
        lvwFiles->setGeometry(a.lvwFiles.toPixels());
        picBigLogo->setGeometry(a.picBigLogo.toPixels());
        if (auto* view = qobject_cast<QTreeView*>(lvwFiles)) {
            const int fileName = m_layout.FileNameColumnWidth(
                Twips::FromPixels(view->columnWidth(0)), Twips::FromPixels(view->columnWidth(2)));
            view->setColumnWidth(1, qMax(0, Twips::ToPixels(fileName)));
        }
        break;
    }
    default:
        break;
    }
}

bool frmMain::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (watched == txtFilter && type == QEvent::KeyPress)
        return filterBoxKey(static_cast<QKeyEvent*>(event));
    const bool isMouse = type == QEvent::MouseMove || type == QEvent::MouseButtonPress
        || type == QEvent::MouseButtonRelease || type == QEvent::MouseButtonDblClick;
    QWidget* list = lvwFiles;
    const auto* listView = qobject_cast<QAbstractItemView*>(lvwFiles);
    const bool onList = watched == list || (listView && watched == listView->viewport());

    const bool onPlayer = watched == Flash || m_playerInputs.contains(watched);
    // The right press opens the player menu; the engine's own menu never shows.
    if (onPlayer && type == QEvent::ContextMenu)
        return true;
    if (onPlayer && type == QEvent::KeyPress) {
        // Keys on the player are the window's shortcuts, never the movie's.
        const auto* key = static_cast<QKeyEvent*>(event);
        emit Form_KeyDown(key->key(), key->modifiers());
        return true;
    }
    if (!isMouse)
        return QWidget::eventFilter(watched, event);
    auto* mouse = static_cast<QMouseEvent*>(event);

    if (watched == picSpliter) {
        onSplitterMouse(event);
        return false;
    }
    if (type == QEvent::MouseMove) {
        if (onPlayer) {
            PlayerMouseMove(mouse->globalPosition());
        } else if (watched == picTop) {
            ResetAllBtnIcon();
            stopFullScreenTimer();
        } else if (watched == picWinBtn || watched == picListEditor) {
            ResetAllBtnIcon();
        } else if (watched == picBottom || watched == fraPlayBtn || onList) {
            ResetAllBtnIcon();
            stopFullScreenTimer();
            hideProgressBar();
        } else if (watched == fraProgressMini || watched == lblProgressMini) {
            PlProgBar->show();
            PlProgBar->raise();
        } else if (watched == picBigLogo) {
            m_buttons->showBigOpenNormal();
        }
        // Handled here; a parent area must not see the move as its own. The list keeps its hover and
        // the progress bar its marker.
        return !onList && watched != PlProgBar;
    }
    if (type == QEvent::MouseButtonPress) {
        const bool left = mouse->button() == Qt::LeftButton;
        const bool right = mouse->button() == Qt::RightButton;
        if (onPlayer) {
            if (left)
                PlayerLeftButtonDown();
            else if (right)
                PlayerRightButtonDown(mouse->globalPosition().toPoint());
            return left || right;
        }
        if ((watched == picTop || watched == picBottom) && left) {
            DragWindow();
            return true;
        } else if (watched == picBigLogo || watched == imgBigLogo) {
            if (left)
                DragWindow();
            else if (right)
                m_mnuPlayer->popup(mouse->globalPosition().toPoint());
            return left || right;
        } else if (onList && left && m_playState == 0) {
            const bool empty = !listView || !listView->model() || listView->model()->rowCount() == 0;
            if (empty) {
                DragWindow();
                return true;
            }
        }
        return false;
    }
    if (type == QEvent::MouseButtonRelease) {
        if (watched == imgPlayerIcon && mouse->button() == Qt::LeftButton
            && imgPlayerIcon->rect().contains(mouse->position().toPoint())) {
            // The menu opens on every other click: the first, third, fifth ...
            m_iconMenuToggle = !m_iconMenuToggle;
            if (m_iconMenuToggle) {
                const QPoint at(Twips::ToPixels(15), picTop->height());
                m_mnuIcon->popup(mapToGlobal(at));
            }
        }
        return false;
    }
    // Double click.
    if (onPlayer) {
        PlayerDoubleClick();
        return true;
    }
    // Handled double clicks stop here, or the area below would toggle the state back.
    if (watched == picBigLogo || watched == imgBigLogo) {
        SetWindowState(FullScreenToggle);
        return true;
    }
    if (watched == lblFormTitle || watched == lblTime || watched == picTop) {
        WinBtns_Click(1);
        return true;
    }
    return false;
}
