#include "swf/frmflashinfo.h"

#include "core/interfacefont.h"
#include "core/pointerwatch.h"
#include "core/twips.h"
#include "platform/revealfile.h"
#include "swf/fileinfo.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>

namespace {

constexpr int WindowWidth = 6120;
constexpr int WindowHeight = 5040;
constexpr int BoxLeft = 900;
constexpr int BoxTop = 120;
constexpr int BoxPitch = 378;
constexpr int BoxWidth = 5100;
constexpr int BoxHeight = 300;
// The labels may use the whole margin: the longest, "Flash版本", needs nearly all of it.
constexpr int LabelLeft = 0;
constexpr int LabelRight = 840;
constexpr int ButtonTop = 4380;
constexpr int ButtonWidth = 1515;
constexpr int ButtonHeight = 480;
constexpr double Opacity = 220.0 / 255.0;

} // namespace

void ShowNotFlashMessage(QWidget* parent)
{
    // A plain note: an OK button and no icon.
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Quenbarrowick"),
        QCoreApplication::translate("SwfFormat", "不是Flash文件格式"), QMessageBox::Ok, parent);
    box.exec();
}

frmFlashInfo::Services frmFlashInfo::defaultServices()
{
    return { RevealInFileManager, ShowNotFlashMessage };
}

frmFlashInfo::frmFlashInfo(const QString& selFileName, QWidget* owner, Services services)
    : QDialog(owner), m_services(std::move(services)), InfoPath(selFileName)
{
    setWindowTitle(tr("文件属性"));
    setModal(true);
    setFont(InterfaceFont());
    setFixedSize(Twips::ToPixels(WindowWidth), Twips::ToPixels(WindowHeight));

    const QStringList labels = FileInfoLabels();
    for (int i = 0; i < FileInfoBoxCount; ++i) {
        const int top = BoxTop + BoxPitch * i;
        auto* box = new QLineEdit(this);
        box->setObjectName(QStringLiteral("txtInfo%1").arg(i));
        box->setGeometry(TwipsRect(BoxLeft, top, BoxWidth, BoxHeight));
        txtInfo.append(box);
        auto* label = new QLabel(labels[i], this);
        label->setObjectName(QStringLiteral("lblInfo%1").arg(i));
        label->setGeometry(TwipsRect(LabelLeft, top, LabelRight - LabelLeft, BoxHeight));
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        lblInfo.append(label);
    }
    // The path cannot be edited; a click on it shows the file in the file manager.
    txtInfo[0]->setReadOnly(true);
    txtInfo[0]->setCursor(Qt::PointingHandCursor);
    txtInfo[0]->installEventFilter(this);
    connect(txtInfo[0], &QLineEdit::textChanged, this, &frmFlashInfo::txtInfo0_Change);

    cmdRefresh = new QPushButton(tr("刷新"), this);
    cmdRefresh->setObjectName(QStringLiteral("cmdRefresh"));
    cmdRefresh->setGeometry(TwipsRect(1200, ButtonTop, ButtonWidth, ButtonHeight));
    cmdReturn = new QPushButton(tr("返回"), this);
    cmdReturn->setObjectName(QStringLiteral("cmdReturn"));
    cmdReturn->setGeometry(TwipsRect(3540, ButtonTop, ButtonWidth, ButtonHeight));
    cmdRefresh->setAutoDefault(false);
    cmdReturn->setAutoDefault(false);
    connect(cmdRefresh, &QPushButton::clicked, this, &frmFlashInfo::ShowFileInfo);
    connect(cmdReturn, &QPushButton::clicked, this, &frmFlashInfo::accept);

    auto* watch = new PointerWatch(this);
    connect(watch, &PointerWatch::pointerMoved, this, &frmFlashInfo::pointerMoved);

    ShowFileInfo();
    setWindowOpacity(Opacity);
}

void frmFlashInfo::ShowFileInfo()
{
    for (QLineEdit* box : std::as_const(txtInfo))
        box->clear();
    // A fresh record every time, so nothing of an earlier reading survives a refresh.
    SwfHeaderInfo info;
    const HeaderReadOutcome outcome = ReadSwfHeaderChecked(InfoPath, info);
    if (outcome.notFlash && m_services.warnNotFlash)
        m_services.warnNotFlash(isVisible() ? this : parentWidget());
    const QStringList texts = FileInfoTexts(InfoPath, info);
    for (int i = 0; i < FileInfoBoxCount; ++i)
        txtInfo[i]->setText(texts[i]);
}

void frmFlashInfo::txtInfo0_Change()
{
    if (txtInfo[0]->text() != InfoPath)
        txtInfo[0]->setText(InfoPath);
}

bool frmFlashInfo::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == txtInfo[0] && event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton && txtInfo[0]->rect().contains(mouse->position().toPoint())
            && !txtInfo[0]->text().isEmpty() && m_services.reveal)
            m_services.reveal(InfoPath);
    }
    return QDialog::eventFilter(watched, event);
}
