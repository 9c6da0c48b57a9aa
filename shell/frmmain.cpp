#include "shell/frmmain.h"

#include "core/flashcontrol.h"
#include "core/windowhost.h"
#include "shell/volumecontrol.h"
#include "shell/windowgeometry.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QCloseEvent>
#include <QFontDatabase>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTimer>

namespace {
QWidget* Area(QWidget* parent, const QColor& colour, const char* name)
{
    auto* widget = new QWidget(parent);
    widget->setObjectName(QLatin1String(name));
    widget->setAutoFillBackground(true);
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    return widget;
}

QLabel* TextLabel(QWidget* parent, const QString& text, const QColor& colour, const char* name)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    return label;
}

void SetBackground(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
}

QColor Background(const QWidget* widget)
{
    return widget->palette().color(QPalette::Window);
}

QPixmap SkinPixmap(const QString& file, const QSize& size, qreal ratio)
{
    return QIcon(QStringLiteral(":/skin/") + file).pixmap(size, ratio);
}
} // namespace

frmMain::frmMain(QWidget* parent) : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
{
    setWindowTitle(QStringLiteral("Quenbarrowick"));
    setWindowIcon(QIcon(QStringLiteral(":/skin/icon.svg")));
    setObjectName(QStringLiteral("frmMain"));
    setAutoFillBackground(true);
    SetBackground(this, QColor(64, 64, 64));
    // The restore size is the design size, read before anything else changes it.
    m_normalSize = QSize(Twips::ToPixels(MainLayout::DesignWidth), Twips::ToPixels(MainLayout::DesignHeight));
    resize(m_normalSize);

    m_buttons = new SkinButtonSet(this);
    connect(m_buttons, &SkinButtonSet::clicked, this, &frmMain::onButtonClicked);
    m_timerFullScr = new QTimer(this);
    m_timerFullScr->setInterval(FullScreenHideMs);
    connect(m_timerFullScr, &QTimer::timeout, this, &frmMain::TimerFullScr_Timer);

    createControls();
    createButtons();
    createMenus();
    ArrangeControls();
    ApplyClockFont();
    PresentPlayState(0);
    SetControlsSize();
}

frmMain::~frmMain()
{
    // The pointer must not stay hidden over other windows after this one is gone.
    if (CursorShowCount() < 0)
        showCursor(true);
    // The player's input widgets are our children: they are destroyed after this list is, and
    // their destroyed() must not reach it.
    for (QObject* input : std::as_const(m_playerInputs))
        disconnect(input, &QObject::destroyed, this, nullptr);
}

void frmMain::createControls()
{
    picTop = Area(this, QColor(30, 30, 30), "picTop");
    imgPlayerIcon = new QLabel(picTop);
    imgPlayerIcon->setObjectName(QStringLiteral("imgPlayerIcon"));
    imgPlayerIcon->setCursor(Qt::PointingHandCursor);
    imgPlayerIcon->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    lblFormTitle = TextLabel(picTop, QStringLiteral("Quenbarrowick"), Qt::white, "lblFormTitle");
    picWinBtn = Area(picTop, QColor(64, 64, 64), "picWinBtn");

    picBottom = Area(this, QColor(19, 19, 19), "picBottom");
    fraProgressMini = Area(picBottom, QColor(42, 42, 42), "fraProgressMini");
    lblProgressMini = Area(fraProgressMini, QColor(100, 182, 40), "lblProgressMini");
    fraPlayBtn = Area(picBottom, QColor(19, 19, 19), "fraPlayBtn");
    lblTime = TextLabel(picBottom, QStringLiteral("22:30:50"), QColor(0, 255, 0), "lblTime");
    lblFrameInfo = TextLabel(picBottom, tr("帧信息"), Qt::white, "lblFrameInfo");
    fraVolume = new VolumeControl(picBottom);
    connect(fraVolume, &VolumeControl::StepRequested, this, &frmMain::soundStepRequested);
    connect(fraVolume, &VolumeControl::VolumeRequested, this, &frmMain::volumeRequested);
    connect(fraVolume, &VolumeControl::PointerOverBackground, this, &frmMain::ResetAllBtnIcon);

    PlProgBar = Area(this, QColor(42, 42, 42), "PlProgBar");
    PlProgBar->hide();

    picPlayList = Area(this, QColor(64, 64, 64), "picPlayList");
    picListEditor = Area(picPlayList, palette().color(QPalette::Base), "picListEditor");
    picSpliter = Area(picPlayList, QColor(64, 64, 64), "picSpliter");
    picSpliter->setCursor(Qt::SizeHorCursor);
    picSpliter->setToolTip(tr("拖动改变列表宽度"));
    lvwFiles = Area(picPlayList, QColor(30, 30, 30), "lvwFiles");
    txtFilter = new QLineEdit(picPlayList);
    txtFilter->setObjectName(QStringLiteral("txtFilter"));
    txtFilter->setPlaceholderText(tr("筛选：输入文件名中的字词"));
    txtFilter->setToolTip(tr("只显示文件名含有每个字词的行(Esc 关闭)"));
    txtFilter->setClearButtonEnabled(true);
    txtFilter->setFrame(false);
    QPalette boxColours = txtFilter->palette();
    boxColours.setColor(QPalette::Base, QColor(42, 42, 42));
    boxColours.setColor(QPalette::Text, Qt::white);
    boxColours.setColor(QPalette::PlaceholderText, QColor(140, 146, 153));
    txtFilter->setPalette(boxColours);
    txtFilter->hide();
    txtFilter->installEventFilter(this);
    connect(txtFilter, &QLineEdit::textChanged, this, &frmMain::filterTextChanged);

    Flash = Area(this, Qt::black, "Flash");
    picBigLogo = Area(this, Qt::black, "picBigLogo");
    imgBigLogo = new QLabel(picBigLogo);
    imgBigLogo->setObjectName(QStringLiteral("imgBigLogo"));
    imgBigLogo->setScaledContents(true);

    for (QWidget* area :
        { picTop, picWinBtn, picBottom, fraProgressMini, lblProgressMini, fraPlayBtn, picListEditor, picSpliter,
            lvwFiles, Flash, picBigLogo, static_cast<QWidget*>(imgBigLogo), static_cast<QWidget*>(imgPlayerIcon),
            static_cast<QWidget*>(lblFormTitle), static_cast<QWidget*>(lblTime) })
        watch(area);
}

void frmMain::createButtons()
{
    static const char* const transportTips[MainLayout::TransportCount] = { QT_TRANSLATE_NOOP("frmMain", "播放/暂停"),
        QT_TRANSLATE_NOOP("frmMain", "暂停"), QT_TRANSLATE_NOOP("frmMain", "停止播放"),
        QT_TRANSLATE_NOOP("frmMain", "打开文件(Ctrl+O)"), QT_TRANSLATE_NOOP("frmMain", "下一首(PageDown)"),
        QT_TRANSLATE_NOOP("frmMain", "上一首(PageUp)"), QT_TRANSLATE_NOOP("frmMain", "快进(→)"),
        QT_TRANSLATE_NOOP("frmMain", "快退(←)"), QT_TRANSLATE_NOOP("frmMain", "播放列表"),
        QT_TRANSLATE_NOOP("frmMain", "设置(F2)"), QT_TRANSLATE_NOOP("frmMain", "关于"),
        QT_TRANSLATE_NOOP("frmMain", "全屏(Ctrl+Enter)"), QT_TRANSLATE_NOOP("frmMain", "单曲播放") };
    for (int i = 0; i < MainLayout::TransportCount; ++i) {
        PlayerBtns[i] = new SkinButton(i, fraPlayBtn);
        PlayerBtns[i]->setToolTip(tr(transportTips[i]));
        m_buttons->addButton(SkinButtonSet::Group::Transport, PlayerBtns[i]);
    }
    static const char* const listTips[MainLayout::ListToolCount] = { QT_TRANSLATE_NOOP("frmMain", "添加文件(Ctrl+O)"),
        QT_TRANSLATE_NOOP("frmMain", "删除(Delete)"), QT_TRANSLATE_NOOP("frmMain", "清空列表"), "" };
    for (int i = 0; i < MainLayout::ListToolCount; ++i) {
        ListBtn[i] = new SkinButton(i, picListEditor);
        ListBtn[i]->setToolTip(tr(listTips[i]));
        m_buttons->addButton(SkinButtonSet::Group::ListTools, ListBtn[i]);
    }
    imgFindBtn = new SkinButton(0, picListEditor);
    imgFindBtn->setToolTip(tr("查找(Ctrl+F)"));
    m_buttons->addButton(SkinButtonSet::Group::Find, imgFindBtn);
    for (int i = 0; i < 2; ++i)
        m_buttons->addButton(SkinButtonSet::Group::Sound, fraVolume->speaker(i));
    static const char* const windowTips[MainLayout::WindowButtonCount] = { QT_TRANSLATE_NOOP("frmMain", "最小化"),
        QT_TRANSLATE_NOOP("frmMain", "最大化"), QT_TRANSLATE_NOOP("frmMain", "关闭") };
    for (int i = 0; i < MainLayout::WindowButtonCount; ++i) {
        WinBtns[i] = new SkinButton(i, picWinBtn);
        WinBtns[i]->setToolTip(tr(windowTips[i]));
        m_buttons->addButton(SkinButtonSet::Group::Window, WinBtns[i]);
    }
    imgBigOpen = new SkinButton(0, picBigLogo);
    m_buttons->addButton(SkinButtonSet::Group::BigOpen, imgBigOpen);
    m_buttons->showAllNormal();
    PlayerBtns[1]->hide();
    PlayerBtns[2]->setEnabled(false);
}

void frmMain::ArrangeControls()
{
    m_layout.ArrangeControls();
    SetBackground(picWinBtn, Background(picTop));
    SetBackground(picListEditor, Background(picTop));
    SetBackground(picSpliter, Background(picPlayList));
    const qreal ratio = devicePixelRatioF();
    const QRect iconRect = m_layout.areas().imgPlayerIcon.toPixels();
    const int iconSide = qMin(iconRect.width(), iconRect.height()) - 2;
    imgPlayerIcon->setPixmap(SkinPixmap(QStringLiteral("icon.svg"), QSize(iconSide, iconSide), ratio));
    imgBigLogo->setPixmap(SkinPixmap(QStringLiteral("logo.svg"), m_layout.areas().imgBigLogo.toPixels().size(), ratio));
    applyGeometry();
}

void frmMain::ApplyClockFont()
{
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    const QString family = ClockFontFamily(QFontDatabase::families());
    if (!family.isEmpty())
        font.setFamily(family);
    font.setPixelSize(Twips::ToPixels(m_layout.areas().lblTime.height) - 8);
    lblTime->setFont(font);
    lblTime->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

void frmMain::applyGeometry()
{
    const MainLayout::Areas& a = m_layout.areas();
    picTop->setGeometry(a.picTop.toPixels());
    imgPlayerIcon->setGeometry(a.imgPlayerIcon.toPixels());
    fitFormTitle();
    picWinBtn->setGeometry(a.picWinBtn.toPixels());
    for (int i = 0; i < MainLayout::WindowButtonCount; ++i)
        WinBtns[i]->setGeometry(a.WinBtns[i].toPixels());
    picBottom->setGeometry(a.picBottom.toPixels());
    fraProgressMini->setGeometry(a.fraProgressMini.toPixels());
    lblProgressMini->setGeometry(a.lblProgressMini.toPixels());
    fraPlayBtn->setGeometry(a.fraPlayBtn.toPixels());
    for (int i = 0; i < MainLayout::TransportCount; ++i)
        PlayerBtns[i]->setGeometry(a.PlayerBtns[i].toPixels());
    lblTime->setGeometry(a.lblTime.toPixels());
    lblFrameInfo->move(a.lblFrameInfo.toPixels().topLeft());
    fraVolume->setGeometry(a.fraVolume.toPixels());
    PlProgBar->setGeometry(a.PlProgBar.toPixels());
    PlProgBar->raise();
    picPlayList->setGeometry(a.picPlayList.toPixels());
    picListEditor->setGeometry(a.picListEditor.toPixels());
    for (int i = 0; i < MainLayout::ListToolCount; ++i)
        ListBtn[i]->setGeometry(a.ListBtn[i].toPixels());
    imgFindBtn->setGeometry(a.imgFindBtn.toPixels());
    txtFilter->setGeometry(a.txtFilter.toPixels());
    picSpliter->setGeometry(a.picSpliter.toPixels());
    lvwFiles->setGeometry(a.lvwFiles.toPixels());
    Flash->setGeometry(a.Flash.toPixels());
    picBigLogo->setGeometry(a.picBigLogo.toPixels());
    imgBigLogo->setGeometry(a.imgBigLogo.toPixels());
    imgBigOpen->setGeometry(a.imgBigOpen.toPixels());
}

void frmMain::SetControlsSize()
{
    if (!m_layout.SetControlsSize(Twips::FromPixels(width()), Twips::FromPixels(height())))
        return;
    applyGeometry();
    picTop->update();
    picBottom->update();
}

void frmMain::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    // A minimised window reports a size that means nothing.
    if (!isMinimized())
        SetControlsSize();
}

void frmMain::PresentPlayState(int state)
{
    if (state < 0 || state > 2)
        return;
    m_playState = state;
    const PlayStatePresentation look = PresentationFor(state);
    PlayerBtns[0]->setVisible(look.playVisible);
    PlayerBtns[1]->setVisible(look.pauseVisible);
    PlayerBtns[2]->setEnabled(look.stopEnabled);
    fraProgressMini->setVisible(look.progressMiniVisible);
    lblFrameInfo->setVisible(look.frameInfoVisible);
    lblTime->setVisible(look.timeVisible);
    if (look.bigLogoVisible)
        picBigLogo->raise();
    picBigLogo->setVisible(look.bigLogoVisible);
    m_mnuPlayerInfo->setEnabled(look.playerInfoEnabled);
}

void frmMain::SetFormTitle(const QString& title)
{
    lblFormTitle->setText(title);
    fitFormTitle();
}

void frmMain::fitFormTitle()
{
    // A movie's name is often longer than the design width: let it run up to the window buttons.
    const QRect design = m_layout.areas().lblFormTitle.toPixels();
    const int room = m_layout.areas().picWinBtn.toPixels().left() - design.left() - 8;
    lblFormTitle->setGeometry(
        design.adjusted(0, 0, qMax(0, qMin(lblFormTitle->sizeHint().width(), room) - design.width()), 0));
}

void frmMain::SetTimeText(const QString& text)
{
    lblTime->setText(text);
}

void frmMain::SetFrameInfoText(const QString& text)
{
    lblFrameInfo->setText(text);
    // The design width holds only a short text; longer frame counts widen the label rather than clip.
    lblFrameInfo->resize(qMax(Twips::ToPixels(m_layout.areas().lblFrameInfo.width), lblFrameInfo->sizeHint().width()),
        Twips::ToPixels(m_layout.areas().lblFrameInfo.height));
}

void frmMain::SetMiniProgressWidth(int twips)
{
    m_layout.SetMiniProgressWidth(twips);
    lblProgressMini->setGeometry(m_layout.areas().lblProgressMini.toPixels());
}

void frmMain::SetPlaylistVisible(bool visible)
{
    picPlayList->setVisible(visible);
    m_layout.SetPlaylistVisible(visible, Twips::FromPixels(width()));
    Flash->setGeometry(m_layout.areas().Flash.toPixels());
    picBigLogo->setGeometry(m_layout.areas().picBigLogo.toPixels());
    if (visible)
        emit playlistShown();
}

void frmMain::ResetAllBtnIcon()
{
    m_buttons->ResetAllBtnIcon();
}

void frmMain::ExchangeSingleLoopPictures()
{
    m_buttons->ExchangeSingleLoopPictures();
}

void frmMain::onButtonClicked(SkinButtonSet::Group group, int index)
{
    switch (group) {
    case SkinButtonSet::Group::Transport:
        emit PlayerBtnsClicked(index);
        break;
    case SkinButtonSet::Group::ListTools:
        emit ListBtnClicked(index);
        break;
    case SkinButtonSet::Group::Window:
        WinBtns_Click(index);
        break;
    case SkinButtonSet::Group::BigOpen:
        emit BigOpenClicked();
        break;
    case SkinButtonSet::Group::Sound:
        emit muteToggleRequested();
        break;
    case SkinButtonSet::Group::Find:
        if (FilterBoxVisible())
            HideFilterBox();
        else
            ShowFilterBox();
        break;
    }
}

void frmMain::ShowSoundLevel(const SoundLevel& level)
{
    fraVolume->ShowLevel(level);
}

void frmMain::ShowFilterBox()
{
    if (!FilterBoxVisible()) {
        m_layout.SetFilterBoxVisible(true);
        txtFilter->setGeometry(m_layout.areas().txtFilter.toPixels());
        lvwFiles->setGeometry(m_layout.areas().lvwFiles.toPixels());
        txtFilter->show();
    }
    txtFilter->setFocus(Qt::ShortcutFocusReason);
    txtFilter->selectAll();
}

void frmMain::HideFilterBox()
{
    if (!FilterBoxVisible())
        return;
    txtFilter->clear();
    txtFilter->hide();
    m_layout.SetFilterBoxVisible(false);
    lvwFiles->setGeometry(m_layout.areas().lvwFiles.toPixels());
    lvwFiles->setFocus(Qt::OtherFocusReason);
}

// The box keeps what it edits with; the list's keys pass through it so that a match can be picked
// and played without reaching for the mouse.
bool frmMain::filterBoxKey(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        HideFilterBox();
        return true;
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // With Ctrl they are the window's: the volume, full screen.
        if (event->modifiers() & Qt::ControlModifier)
            emit Form_KeyDown(event->key(), event->modifiers());
        else
            QApplication::sendEvent(lvwFiles, event);
        return true;
    default:
        return false;
    }
}

void frmMain::replaceWidget(QWidget*& slot, QWidget* widget)
{
    if (!widget || widget == slot)
        return;
    QWidget* old = slot;
    widget->setParent(old->parentWidget());
    widget->setObjectName(old->objectName());
    widget->setGeometry(old->geometry());
    widget->setVisible(!old->isHidden());
    widget->stackUnder(old);
    slot = widget;
    old->removeEventFilter(this);
    old->deleteLater();
    old->hide();
    watch(widget);
    if (auto* view = qobject_cast<QAbstractScrollArea*>(widget))
        watch(view->viewport());
}

void frmMain::setPlayerView(QWidget* view)
{
    replaceWidget(Flash, view);
    // The idle logo lies over the player.
    picBigLogo->raise();
    PlProgBar->raise();
}

void frmMain::setPlaylistView(QWidget* view)
{
    replaceWidget(lvwFiles, view);
}

void frmMain::setProgressBar(QWidget* bar)
{
    replaceWidget(PlProgBar, bar);
    PlProgBar->raise();
}

void frmMain::keyPressEvent(QKeyEvent* event)
{
    emit Form_KeyDown(event->key(), event->modifiers());
    QWidget::keyPressEvent(event);
}

void frmMain::closeEvent(QCloseEvent* event)
{
    emit unloading();
    event->accept();
}
