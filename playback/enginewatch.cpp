#include "playback/enginewatch.h"
#include "playback/hangclock.h"

#include <QLoggingCategory>
#include <QWebEnginePage>
#include <csignal>
#include <utility>

Q_LOGGING_CATEGORY(lcEngineWatch, "quen.engine.watch", QtInfoMsg)

EngineWatch::EngineWatch(QWebEnginePage* page, QObject* parent) : QObject(parent), m_page(page)
{
    m_hangTimer.setInterval(1000);
    connect(&m_hangTimer, &QTimer::timeout, this, &EngineWatch::checkHang);
    connect(page, &QWebEnginePage::renderProcessTerminated, this,
        [this](QWebEnginePage::RenderProcessTerminationStatus status, int exitCode) {
        // A normal exit only happens when the page itself goes away.
        if (status == QWebEnginePage::NormalTerminationStatus)
            return;
        if (std::exchange(m_renewing, false)) {
            emit renewed();
            return;
        }
        qCInfo(lcEngineWatch) << "engine process ended" << status << exitCode;
        fail();
    });
}

void EngineWatch::pageStarted()
{
    m_waiting = false;
    m_failing = false;
    m_hangTimer.stop();
}

void EngineWatch::renew()
{
    m_waiting = false;
    m_hangTimer.stop();
    const qint64 pid = m_page->renderProcessPid();
    m_renewing = pid > 0 && ::kill(pid_t(pid), SIGKILL) == 0;
    if (!m_renewing) {
        QMetaObject::invokeMethod(this, &EngineWatch::renewed, Qt::QueuedConnection);
        return;
    }
    // Without word of its end the page is loaded again anyway: the list must not wait for ever. Word
    // that comes later still counts as planned (the page is then loaded once more); after a minute it
    // no longer does.
    const int renewal = ++m_renewals;
    QTimer::singleShot(5000, this, [this, renewal] {
        if (m_renewing && renewal == m_renewals)
            emit renewed();
    });
    QTimer::singleShot(60000, this, [this, renewal] {
        if (renewal == m_renewals)
            m_renewing = false;
    });
}

void EngineWatch::readSent(bool moviePlaying)
{
    m_waiting = moviePlaying;
    m_sentAt.start();
    m_statAtSend = moviePlaying ? MainThreadSchedstat(m_page->renderProcessPid()) : QByteArray();
    if (moviePlaying && !m_hangTimer.isActive())
        m_hangTimer.start();
}

void EngineWatch::readAnswered(const QVariantMap& answer)
{
    m_waiting = false;
    if (answer.value(QStringLiteral("panicked")).toBool()) {
        qCInfo(lcEngineWatch) << "engine panicked";
        fail();
    }
}

void EngineWatch::checkHang()
{
    if (!m_waiting) {
        m_hangTimer.stop();
        return;
    }
    if (m_sentAt.elapsed() < HangLimitMs || m_failing)
        return;
    const qint64 pid = m_page->renderProcessPid();
    const qint64 elapsed = HangElapsedMs(m_sentAt.elapsed(), m_statAtSend, MainThreadSchedstat(pid));
    if (elapsed < HangLimitMs)
        return;
    m_waiting = false;
    qCInfo(lcEngineWatch) << "engine stopped answering; ending its process" << pid << "after" << m_sentAt.elapsed()
                          << "ms," << elapsed << "ms of them with a chance to run";
    // The renderer's end is then reported like any other death.
    if (pid > 0 && ::kill(pid_t(pid), SIGKILL) == 0)
        return;
    fail();
}

void EngineWatch::fail()
{
    if (m_failing)
        return;
    m_failing = true;
    m_hangTimer.stop();
    // Not from inside the page's own signal: the page is loaded again from the event loop.
    QMetaObject::invokeMethod(this, &EngineWatch::failed, Qt::QueuedConnection);
}
