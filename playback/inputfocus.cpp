#include "playback/inputfocus.h"

#include <QApplication>
#include <QFocusEvent>
#include <QWidget>

InputFocus::InputFocus(QObject* parent) : QObject(parent)
{
    if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance()))
        connect(app, &QApplication::focusChanged, this, &InputFocus::focusChanged);
}

void InputFocus::Watch(QWidget* input)
{
    if (!input || input == m_input)
        return;
    if (m_input)
        m_input->removeEventFilter(this);
    m_input = input;
    m_chosen = false;
    // Click focus only: Tab never lands in the movie, and the engine's own focusing is undone below.
    input->setFocusPolicy(Qt::ClickFocus);
    input->installEventFilter(this);
    if (input->hasFocus()) {
        m_taken = true;
        focusChanged(nullptr, input);
    }
}

bool InputFocus::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_input && event->type() == QEvent::FocusIn) {
        if (static_cast<QFocusEvent*>(event)->reason() == Qt::MouseFocusReason)
            m_chosen = true;
        // Once the user has clicked into the player area, the engine focusing it again changes nothing.
        m_taken = !m_chosen;
    }
    return QObject::eventFilter(watched, event);
}

// Runs once the focus events have been delivered, so the engine has seen its focus come and go.
void InputFocus::focusChanged(QWidget* old, QWidget* now)
{
    if (!now || !m_input)
        return;
    if (now != m_input) {
        m_holder = now;
        m_chosen = false;
        return;
    }
    if (!m_taken)
        return;
    m_taken = false;
    QWidget* back = old && old != m_input ? old : m_holder.data();
    if (back && back->isVisible() && back->isEnabled() && back->window() == m_input->window())
        back->setFocus(Qt::OtherFocusReason);
    else
        m_input->clearFocus();
}
