#include "app/frmoptions.h"

#include "core/interfacefont.h"
#include "core/pointerwatch.h"
#include "core/twips.h"

#include <QCheckBox>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTabBar>

namespace {

// Client area, large enough for the page both where it was designed and where a tab click moves it.
constexpr int DialogWidth = 6240;
constexpr int DialogHeight = 5010;
constexpr int PageTop = 480;
constexpr int PageWidth = 5985;
constexpr int PageHeight = 3840;
constexpr int PageLeftDesigned = 60;
constexpr int PageLeftSelected = 210;
constexpr int PageLeftHidden = -20000;
// The hint under the time-out is long; it wraps in a smaller type and is given room for three lines.
constexpr int HintHeight = 720;
constexpr int HintPointSize = 8;

} // namespace

frmOptions::frmOptions(Settings& settings, FlashControl* flash, QWidget* owner)
    : QDialog(owner), m_settings(settings), m_flash(flash), m_editor(settings)
{
    setWindowTitle(tr("选项"));
    setModal(true);
    setFont(InterfaceFont());
    setFixedSize(Twips::ToPixels(DialogWidth), Twips::ToPixels(DialogHeight));
    buildControls();
    load();

    auto* watch = new PointerWatch(this);
    connect(watch, &PointerWatch::pointerMoved, this, &frmOptions::pointerMoved);
}

void frmOptions::buildControls()
{
    tbsOptions = new QTabBar(this);
    tbsOptions->setObjectName(QStringLiteral("tbsOptions"));
    tbsOptions->addTab(tr("Flash设置"));
    tbsOptions->setTabToolTip(0, tr("为群组 1 设置选项"));
    tbsOptions->setDrawBase(false);
    tbsOptions->setExpanding(false);
    tbsOptions->setGeometry(TwipsRect(PageLeftDesigned, 120, PageWidth, PageTop - 120));

    auto* page = new QFrame(this);
    page->setObjectName(QStringLiteral("picOptions0"));
    page->setFrameShape(QFrame::StyledPanel);
    page->setGeometry(TwipsRect(PageLeftDesigned, PageTop, PageWidth, PageHeight));
    picOptions.append(page);

    auto label = [page](const char* name, const QString& text, QRect twips) {
        auto* l = new QLabel(text, page);
        l->setObjectName(QLatin1StringView(name));
        l->setGeometry(twips);
        return l;
    };
    auto box = [page](const char* name, QRect twips) {
        auto* b = new QLineEdit(page);
        b->setObjectName(QLatin1StringView(name));
        b->setGeometry(twips);
        return b;
    };
    auto check = [page](const char* name, const QString& text, QRect twips) {
        auto* c = new QCheckBox(text, page);
        c->setObjectName(QLatin1StringView(name));
        c->setGeometry(twips);
        return c;
    };

    Label2 = label("Label2", tr("快进/快退帧数"), TwipsRect(300, 120, 1350, 300));
    txtFastFrames = box("txtFastFrames", TwipsRect(1800, 60, 1155, 420));
    txtFastFrames->setText(QStringLiteral("20"));
    chkAutoPlay = check("chkAutoPlay", tr("启动后自动播放"), TwipsRect(300, 660, 2115, 375));
    chkSaveList = check("chkSaveList", tr("保存播放列表"), TwipsRect(300, 1260, 2475, 375));
    chkNotAllowNetworking
        = check("chkNotAllowNetworking", tr("禁止Flash联网(用于关闭弹窗)"), TwipsRect(300, 1860, 3500, 375));
    chkNOtAllowScript = check("chkNOtAllowScript", tr("禁止Flash使用脚本"), TwipsRect(300, 2460, 2415, 375));
    Label1 = label("Label1", tr("循环帧超时/秒"), TwipsRect(300, 3120, 1350, 300));
    txtLoopTimeOut = box("txtLoopTimeOut", TwipsRect(1740, 3060, 795, 420));
    txtLoopTimeOut->setText(QStringLiteral("1"));
    Label3 = label("Label3", tr("影响切换速度,太低会导致某些使用循环帧做虚拟进度条的Flahs无法播放"),
        TwipsRect(2760, 3075, 3105, HintHeight));
    Label3->setWordWrap(true);
    Label3->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label3->setFont(InterfaceFont(HintPointSize));

    cmdOK = new QPushButton(tr("确定"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setGeometry(TwipsRect(2490, 4455, 1095, 375));
    cmdCancel = new QPushButton(tr("取消"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel->setGeometry(TwipsRect(4200, 4455, 1095, 375));
    // Enter in a box must not press OK behind the user's back.
    cmdOK->setAutoDefault(false);
    cmdCancel->setAutoDefault(false);

    connect(txtFastFrames, &QLineEdit::textChanged, this, &frmOptions::txtFastFrames_Change);
    connect(txtLoopTimeOut, &QLineEdit::textChanged, this, &frmOptions::txtLoopTimeOut_Change);
    connect(chkSaveList, &QCheckBox::toggled, this, [this](bool on) { m_editor.setSaveList(on); });
    connect(chkAutoPlay, &QCheckBox::toggled, this, [this](bool on) { m_editor.setAutoPlay(on); });
    connect(chkNotAllowNetworking, &QCheckBox::toggled, this, [this](bool on) { m_editor.setNotAllowNetworking(on); });
    connect(chkNOtAllowScript, &QCheckBox::toggled, this, [this](bool on) { m_editor.setNotAllowScript(on); });
    connect(tbsOptions, &QTabBar::tabBarClicked, this, &frmOptions::tbsOptions_Click);
    connect(cmdOK, &QPushButton::clicked, this, &frmOptions::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmOptions::reject);
}

void frmOptions::load()
{
    const QScreen* screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    if (screen) {
        const QRect area = screen->geometry();
        move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
    }
    // The editor already holds the loaded values; copying them into the boxes runs their checks.
    const OptionsEntries start = m_editor.entries();
    txtFastFrames->setText(start.fastFramesText);
    chkSaveList->setChecked(start.saveList);
    chkAutoPlay->setChecked(start.autoPlay);
    chkNotAllowNetworking->setChecked(start.notAllowNetworking);
    chkNOtAllowScript->setChecked(start.notAllowScript);
    txtLoopTimeOut->setText(start.loopTimeOutText);
}

void frmOptions::txtFastFrames_Change()
{
    // Setting the corrected text runs this check again, which then leaves it alone.
    const QString checked = m_editor.setFastFramesText(txtFastFrames->text());
    if (checked != txtFastFrames->text())
        txtFastFrames->setText(checked);
}

void frmOptions::txtLoopTimeOut_Change()
{
    const QString checked = m_editor.setLoopTimeOutText(txtLoopTimeOut->text());
    if (checked != txtLoopTimeOut->text())
        txtLoopTimeOut->setText(checked);
}

void frmOptions::tbsOptions_Click()
{
    const int selected = tbsOptions->currentIndex();
    for (int i = 0; i < picOptions.size(); ++i) {
        QWidget* page = picOptions[i];
        const bool shown = i == selected;
        page->move(Twips::ToPixels(shown ? PageLeftSelected : PageLeftHidden), page->y());
        page->setEnabled(shown);
    }
}

void frmOptions::cmdOK_Click()
{
    // The restrictions reach the player inside apply(), so before the dialog closes.
    m_editor.apply(m_settings, m_flash);
    accept();
}

void frmOptions::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Tab && event->modifiers() == Qt::ControlModifier) {
        tbsOptions->setCurrentIndex((tbsOptions->currentIndex() + 1) % tbsOptions->count());
        tbsOptions_Click();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
