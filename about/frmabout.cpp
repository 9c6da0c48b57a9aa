#include "about/frmabout.h"

#include "about/abouttext.h"
#include "about/version.h"
#include "core/twips.h"
#include "platform/pointervisibility.h"

#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

namespace {
QRect Px(int left, int top, int width, int height)
{
    return TwipRect { left, top, width, height }.toPixels();
}
} // namespace

frmAbout::frmAbout(QWidget* mainWindow) : QDialog(mainWindow), m_mainWindow(mainWindow)
{
    setObjectName(QStringLiteral("frmAbout"));
    setModal(true);
    setFixedSize(Px(0, 0, 3915, 2580).size());
    setWindowTitle(tr("关于 %1").arg(QString::fromUtf16(AboutText::ProductName)));
    setMouseTracking(true);

    Frame1 = new QGroupBox(this);
    Frame1->setGeometry(Px(120, 120, 3674, 1515));
    Frame1->setMouseTracking(true);
    Frame1->installEventFilter(this);

    Image1 = new QLabel(Frame1);
    Image1->setGeometry(Px(120, 360, 720, 720));
    Image1->setPixmap(QIcon(QStringLiteral(":/skin/icon.svg")).pixmap(QSize(48, 48), devicePixelRatioF()));

    lblTitle = new QLabel(AboutText::TitleForVersion(ProgramVersion()), Frame1);
    QFont titleFont(QStringLiteral("微软雅黑"));
    titleFont.setFamilies({ QStringLiteral("微软雅黑"), QStringLiteral("Noto Sans CJK SC") });
    titleFont.setBold(true);
    lblTitle->setFont(titleFont);
    lblTitle->move(Px(960, 360, 840, 300).topLeft());
    lblTitle->adjustSize();

    lblAuthor = new QLabel(tr(AboutText::CompanyName) + u' ' + tr(AboutText::LegalNotice), Frame1);
    QPalette palette = lblAuthor->palette();
    palette.setColor(QPalette::WindowText, QColor(0, 0, 255));
    lblAuthor->setPalette(palette);
    lblAuthor->setCursor(Qt::PointingHandCursor);
    lblAuthor->move(Px(960, 840, 840, 300).topLeft());
    lblAuthor->adjustSize();
    lblAuthor->installEventFilter(this);
    lblAuthor->hide();

    cmdOK = new QPushButton(tr("确定"), this);
    cmdOK->setGeometry(Px(1920, 2040, 1500, 465));
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
}

QString frmAbout::titleText() const
{
    return lblTitle->text();
}

QString frmAbout::authorText() const
{
    return lblAuthor->text();
}

bool frmAbout::authorVisible() const
{
    return lblAuthor->isVisible();
}

void frmAbout::showEvent(QShowEvent* event)
{
    centreOverMainWindow();
    QDialog::showEvent(event);
}

void frmAbout::centreOverMainWindow()
{
    if (!m_mainWindow)
        return;
    const QRect main = m_mainWindow->frameGeometry();
    move(main.left() + (main.width() - width()) / 2, main.top() + (main.height() - height()) / 2);
}

void frmAbout::paintEvent(QPaintEvent* event)
{
    QDialog::paintEvent(event);
    QPainter painter(this);
    painter.setPen(QPen(Qt::white, 2));
    const int y = Twips::ToPixels(2460);
    painter.drawLine(Twips::ToPixels(105), y, Twips::ToPixels(5654), y);
}

bool frmAbout::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseMove && watched == Frame1) {
        lblAuthor->show();
        return true; // the background below must not take it as its own
    }
    if (event->type() == QEvent::MouseButtonRelease && watched == lblAuthor
        && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
        emit authorClicked();
    return QDialog::eventFilter(watched, event);
}

void frmAbout::mouseMoveEvent(QMouseEvent* event)
{
    // Over the background, outside the frame: the details hide, and a pointer hidden by full screen shows.
    lblAuthor->hide();
    if (Pointer::ShowCount() < 0)
        Pointer::ShowCursor(true);
    QDialog::mouseMoveEvent(event);
}
