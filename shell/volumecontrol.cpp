#include "shell/volumecontrol.h"

#include "shell/skinbutton.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <cmath>

namespace {
const QColor Track(42, 42, 42);
const QColor Fill(100, 182, 40); // the progress strip's green
const QColor MutedFill(110, 110, 110);
const QColor Knob(223, 227, 232);
constexpr int WheelNotch = 120;
} // namespace

VolumeControl::VolumeControl(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("fraVolume"));
    setMouseTracking(true);
    setCursor(Qt::PointingHandCursor);
    for (int i = 0; i < 2; ++i)
        m_speakers[i] = new SkinButton(i, this);
    ShowLevel(m_level);
}

void VolumeControl::ShowLevel(const SoundLevel& level)
{
    m_level = level;
    m_speakers[0]->setVisible(!level.muted);
    m_speakers[1]->setVisible(level.muted);
    const QString tip = level.ToolTip();
    setToolTip(tip);
    for (SkinButton* speaker : m_speakers)
        speaker->setToolTip(tip + tr("，单击静音(Ctrl+M)"));
    update();
}

void VolumeControl::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    for (SkinButton* speaker : m_speakers)
        speaker->setGeometry(0, 0, height(), height());
}

QRect VolumeControl::levelRect() const
{
    const int left = height() + height() / 4;
    const int thickness = std::max(3, height() / 6);
    // Room for the knob at either end.
    const int knob = thickness + 2;
    return QRect(left + knob, (height() - thickness) / 2, std::max(1, width() - left - 2 * knob), thickness);
}

int VolumeControl::percentAt(int x) const
{
    const QRect track = levelRect();
    const double share = double(x - track.left()) / track.width();
    return std::clamp(int(std::lround(share * 100)), 0, 100);
}

void VolumeControl::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    const QRectF track = levelRect();
    const qreal radius = track.height() / 2.0;
    painter.setBrush(Track);
    painter.drawRoundedRect(track, radius, radius);
    const qreal filled = track.width() * m_level.volume / 100.0;
    painter.setBrush(m_level.muted ? MutedFill : Fill);
    painter.drawRoundedRect(QRectF(track.left(), track.top(), filled, track.height()), radius, radius);
    painter.setBrush(Knob);
    painter.drawEllipse(QPointF(track.left() + filled, track.center().y()), radius + 2, radius + 2);
}

void VolumeControl::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    emit VolumeRequested(percentAt(event->position().toPoint().x()));
}

void VolumeControl::mouseMoveEvent(QMouseEvent* event)
{
    emit PointerOverBackground();
    if (event->buttons() & Qt::LeftButton)
        emit VolumeRequested(percentAt(event->position().toPoint().x()));
}

void VolumeControl::wheelEvent(QWheelEvent* event)
{
    m_wheelRest += event->angleDelta().y();
    const int steps = m_wheelRest / WheelNotch;
    m_wheelRest -= steps * WheelNotch;
    if (steps != 0)
        emit StepRequested(steps);
    event->accept();
}
