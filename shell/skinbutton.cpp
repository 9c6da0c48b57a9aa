#include "shell/skinbutton.h"

#include <QMouseEvent>
#include <QPainter>

SkinButton::SkinButton(int index, QWidget* parent) : QWidget(parent), m_index(index)
{
    // Hover pictures need moves without a held button.
    setMouseTracking(true);
    setAttribute(Qt::WA_NoSystemBackground);
}

void SkinButton::setPicture(const SkinPicture& picture)
{
    if (picture.name == m_picture.name)
        return;
    m_picture = picture;
    update();
}

void SkinButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    m_picture.icon.paint(&painter, rect());
}

void SkinButton::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    emit mouseDown(m_index);
}

void SkinButton::mouseMoveEvent(QMouseEvent* event)
{
    event->accept();
    emit mouseMove(m_index);
}

void SkinButton::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
    emit mouseUp(m_index);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked(m_index);
}
