#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <QVariantMap>

class QWebEnginePage;

// Watches the engine's page for the three ways it stops working: its renderer process dies, the
// engine panics (its error screen replaces the movie), or the page stops answering reads while a
// movie should be playing. Each is reported once as failed(); a page that hangs has its renderer
// killed first, so that loading the page again gets a fresh process instead of the stuck one.
class EngineWatch : public QObject {
    Q_OBJECT
public:
    // Well above the engine's own per-frame script limit (player.js), so that a movie that merely
    // computes for a while is not taken for a dead engine. Time the renderer spent waiting for a
    // CPU does not count (hangclock.h): a starved engine is slow, not hung.
    static constexpr int HangLimitMs = 10000;
    static constexpr int AnswerLateMs = 1500;

    EngineWatch(QWebEnginePage* page, QObject* parent);

    // A read went to the page; moviePlaying says whether a slow answer would hold up a movie.
    void readSent(bool moviePlaying);
    void readAnswered(const QVariantMap& answer);
    // The page is being loaded afresh: nothing is outstanding any more.
    void pageStarted();
    // Ends the engine's process on purpose; its end is reported as renewed(), not as a failure.
    void renew();
    // False while a read has gone unanswered for longer than a working page ever takes.
    bool answering() const { return !m_waiting || m_sentAt.elapsed() < AnswerLateMs; }

signals:
    void failed();
    void renewed();

private:
    void checkHang();
    void fail();

    QWebEnginePage* m_page;
    QTimer m_hangTimer;
    QElapsedTimer m_sentAt;
    QByteArray m_statAtSend; // the renderer's scheduling figures when the read went out
    bool m_waiting = false;
    bool m_failing = false; // reported, and the page not yet started again
    bool m_renewing = false; // the process was ended on purpose
    int m_renewals = 0;
};
