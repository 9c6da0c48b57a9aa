#include "playback/playerprogressbar.h"

#include "playback/progressgeometry.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

using namespace ProgressGeometry;

namespace {

QPixmap thumbPicture()
{
    const int size = ToPixels(ThumbTwips);
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(100, 182, 40), 2));
    painter.setBrush(QColor(235, 235, 235));
    painter.drawEllipse(QRectF(2, 2, size - 4, size - 4));
    return pixmap;
}

void fill(QWidget* widget, const QColor& color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, color);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

double twipsX(const QMouseEvent* event) { return ToTwips(event->position().x()); }

} // namespace

PlayerProgressBar::PlayerProgressBar(QWidget* parent)
    : QWidget(parent)
    , m_lblProg(new QLabel(this))
    , m_dragIcon(new QLabel(this))
    , m_lblTiny(new QLabel(this))
{
    m_lblProg->setObjectName(QStringLiteral("lblProg"));
    m_dragIcon->setObjectName(QStringLiteral("DragIcon"));
    m_lblTiny->setObjectName(QStringLiteral("lblTiny"));
    const int height = ToPixels(ThumbTwips);
    setFixedHeight(height);
    fill(this, QColor(42, 42, 42));
    fill(m_lblProg, QColor(100, 182, 40));
    fill(m_lblTiny, QColor(255, 255, 255));
    m_dragIcon->setPixmap(thumbPicture());
    m_dragIcon->setFixedSize(height, height);
    m_lblTiny->setFixedSize(ToPixels(Twips::PerPixel), height);
    // The marker sits beside the pointer and must not take its events.
    m_lblTiny->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_lblTiny->hide();
    setFocusPolicy(Qt::ClickFocus);
    setMouseTracking(true);
    for (QLabel* child : { m_lblProg, m_dragIcon }) {
        child->setMouseTracking(true);
        child->installEventFilter(this);
    }
    placeFilledPart();
    placeThumb();
}

QSize PlayerProgressBar::sizeHint() const { return { ToPixels(975), ToPixels(ThumbTwips) }; }

double PlayerProgressBar::widthTwips() const { return ToTwips(width()); }

void PlayerProgressBar::placeThumb() { m_dragIcon->move(ToPixels(m_thumbLeft), 0); }

void PlayerProgressBar::placeFilledPart()
{
    m_lblProg->setGeometry(0, 0, std::max(0, ToPixels(m_filledWidth)), ToPixels(ThumbTwips));
}

void PlayerProgressBar::SetValue(float vNewValue)
{
    if (!(vNewValue >= 0.0f && vNewValue <= 100.0f))
        return;
    m_value = vNewValue;
    m_thumbLeft = ThumbLeft(widthTwips(), m_value);
    m_filledWidth = FilledWidth(widthTwips(), m_value);
    placeThumb();
    placeFilledPart();
}

bool PlayerProgressBar::HideTinyLable() const { return m_lblTiny->isHidden(); }

void PlayerProgressBar::SetHideTinyLable(bool bHide) { m_lblTiny->setHidden(bHide); }

bool PlayerProgressBar::ChangeValue(float p)
{
    if (!IsValueChange(m_value, p))
        return false;
    SetValue(p);
    return true;
}

void PlayerProgressBar::clickAt(double x)
{
    const std::optional<float> p = PercentAt(widthTwips(), x);
    if (p && ChangeValue(*p))
        emit DragProgress(m_value);
}

void PlayerProgressBar::showMarkerAt(double x)
{
    m_lblTiny->move(ToPixels(x - MarkerOffsetTwips), 0);
    m_lblTiny->show();
}

void PlayerProgressBar::updateTooltip() { m_dragIcon->setToolTip(PercentText(m_value)); }

void PlayerProgressBar::thumbPressed(double x)
{
    m_isDragging = true;
    m_dragStartX = x;
}

void PlayerProgressBar::thumbMoved(double x)
{
    updateTooltip();
    m_lblTiny->hide();
    if (!m_isDragging)
        return;
    const double dx = x - m_dragStartX;
    if (std::fabs(dx) < MinDragTwips)
        return;
    const double left = m_thumbLeft + dx;
    // The thumb does not follow the pointer past either end, nor is it clamped to the end.
    const std::optional<float> p = PercentOfThumbLeft(widthTwips(), left);
    if (!p || left < 0 || left > widthTwips() - ThumbTwips)
        return;
    m_filledWidth += dx;
    m_thumbLeft = left;
    m_value = *p;
    placeFilledPart();
    placeThumb();
    updateTooltip();
    emit DragProgress(m_value);
}

bool PlayerProgressBar::eventFilter(QObject* watched, QEvent* event)
{
    const auto type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove && type != QEvent::MouseButtonRelease)
        return QWidget::eventFilter(watched, event);
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const double x = twipsX(mouse);
    if (watched == m_dragIcon) {
        if (type == QEvent::MouseButtonPress)
            thumbPressed(x);
        else if (type == QEvent::MouseMove)
            thumbMoved(x);
        else
            m_isDragging = false;
        return true;
    }
    if (watched == m_lblProg) {
        // The filled part starts at the bar's left edge, so its x is the bar's x.
        if (type == QEvent::MouseButtonPress) {
            m_thumbLeft = x;
            placeThumb();
            clickAt(x);
        } else if (type == QEvent::MouseMove) {
            showMarkerAt(x);
        }
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void PlayerProgressBar::mousePressEvent(QMouseEvent* event) { clickAt(twipsX(event)); }

void PlayerProgressBar::mouseMoveEvent(QMouseEvent* event) { showMarkerAt(twipsX(event)); }

void PlayerProgressBar::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_lblTiny->raise();
    m_filledWidth = FilledWidth(widthTwips(), m_value);
    m_thumbLeft = ThumbLeft(widthTwips(), m_value);
    placeFilledPart();
    placeThumb();
}

void PlayerProgressBar::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    m_lblTiny->hide();
}
