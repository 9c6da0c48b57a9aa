#include "app/clipboardhandoff.h"

#include "app/handoff.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QTimer>

std::optional<QString> SystemClipboard::text()
{
    const QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard)
        return std::nullopt;
    return clipboard->text();
}

void SystemClipboard::clear()
{
    if (QClipboard* clipboard = QGuiApplication::clipboard())
        clipboard->clear();
}

ClipboardHandOff::ClipboardHandOff(ClipboardSource* source, QObject* parent)
    : QObject(parent)
    , m_system(source ? nullptr : std::make_unique<SystemClipboard>())
    , m_source(source ? source : m_system.get())
    , TimerClipbrd(new QTimer(this))
{
    TimerClipbrd->setInterval(IntervalMs);
    connect(TimerClipbrd, &QTimer::timeout, this, &ClipboardHandOff::TimerClipbrd_Timer);
}

ClipboardHandOff::~ClipboardHandOff() = default;

void ClipboardHandOff::start()
{
    m_polling = true;
    TimerClipbrd->start();
}

void ClipboardHandOff::stop()
{
    m_polling = false;
    TimerClipbrd->stop();
}

bool ClipboardHandOff::active() const
{
    return TimerClipbrd->isActive();
}

void ClipboardHandOff::TimerClipbrd_Timer()
{
    // Off while the file is handed on: adding it may open a message box with its own event loop.
    TimerClipbrd->stop();
    const std::optional<QString> text = m_source->text();
    if (text) {
        if (const std::optional<QString> path = HandOffPath(*text)) {
            m_source->clear();
            emit fileHandedOver(*path);
        }
    }
    // Polling goes on after a failed read too, unless the owner stopped it meanwhile.
    if (m_polling)
        TimerClipbrd->start();
}
