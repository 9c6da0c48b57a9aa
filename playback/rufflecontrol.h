#pragma once

#include "core/flashcontrol.h"
#include "playback/movieprep.h"
#include "playback/moviesaves.h"

#include <QElapsedTimer>
#include <QMap>
#include <QPointer>
#include <QThreadPool>
#include <QTimer>
#include <functional>
#include <optional>

class EngineSchemeHandler;
class EngineWatch;
class InputFocus;
class Lookahead;
class EngineRequestFilter;
class QWebEnginePage;
class QWebEngineProfile;
class QWebEngineView;
class QWidget;

// The Flash engine: Ruffle's web build in a web view. The player page runs in another process, so
// reads answer from a snapshot refreshed by one read in flight at a time, and commands are sent
// without waiting (see FlashControl).
class RuffleFlashControl : public FlashControl {
    Q_OBJECT
public:
    explicit RuffleFlashControl(QObject* parent = nullptr);
    ~RuffleFlashControl() override;

    // The view the window places; only a click into it gives it the keyboard focus.
    QWidget* widget() const;
    // The widget that receives the view's input events, for the window's event filter. It appears
    // once the page has been shown, announced by InputWidgetChanged.
    QWidget* inputWidget() const;

    // What preparing the current movie found: probe kind, root frames, or why there is no probe.
    const PreparedMovie& movieReport() const { return m_report; }
    // True once the movie's probe has answered: frames are then read and driven exactly.
    bool probeAnswering() const { return m_probeUp; }
    // False for an ActionScript 3 movie whose document class is a Sprite: there is no frame to read.
    bool hasTimeline() const { return m_hasTimeline; }

    void LoadMovie(int layer, const QString& url) override;
    void Play() override;
    void StopPlay() override;
    int FrameNum() const override { return m_frame; }
    void SetFrameNum(int frame) override;
    int TotalFrames() const override { return m_ready == ReadyComplete ? m_total : 0; }
    bool Playing() const override { return m_playing; }
    int ReadyState() const override { return m_ready; }
    bool TimelineReadable() const override { return m_probeUp && m_hasTimeline; }
    bool Starting() const override;
    void SkipStuckFrame(int lastFrame) override;

    // Starts loading the player page now rather than from the event loop: the engine then starts
    // while the window is still being built. Set the properties first, or the page loads twice.
    void startEngine();
    // Keeps the page from starting by itself from the event loop: it starts at startEngine().
    void holdStart() { m_holdStart = true; }

    // Where LoadMovie looks first for a movie prepared ahead of time; none by default.
    void setLookahead(Lookahead* lookahead) { m_lookahead = lookahead; }
    // The name the next movie loaded will be known by; bytes prepared ahead must carry it.
    QByteArray nextMovieIdentity() const;

    // Keeps each movie's save data (its local shared objects) in the folder, by the movie's path, and
    // hands it back when that path plays again. Without it every movie starts with none.
    void keepSavesIn(const QString& folder) { m_saves.emplace(folder); }
    // Writes the playing movie's save data once more, holding the program's end back until it has
    // (a second at most): for the window's closing.
    void keepSavesNow();

    // The engine's page process, for tests and benchmarks that make it fail; 0 while there is none.
    qint64 engineProcessId() const;
    // Runs code in the player page; for tests and benchmarks that look at the page itself.
    void runInPage(const QString& code, const std::function<void(const QVariant&)>& done = {});

signals:
    void InputWidgetChanged(QWidget* widget);
    // Every snapshot taken, for tests and benchmarks that wait for the engine.
    void SnapshotTaken();

protected:
    void applyProperties() override;
    void applyGain() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void startPage();
    bool engineOutgrown();
    void recover();
    void onPageLoaded(bool ok);
    void requestRead();
    void applyRead(const QVariant& answer, int gen, quint64 commandSeq);
    void command(const QString& code);
    void applySettingsToPage();
    QString contentSecurityPolicy() const;
    void keepAccelerationAnswer(const QVariant& accelerated);
    void watchInputWidget();
    // Asks the page for a movie's saves and keeps them; then, if given, runs once they are in (or at once).
    void takeSaves(int gen, const std::function<void()>& then = {});
    void storeSaves(int gen, const QVariant& entries);
    QString savesFor(const QString& path);

    QWebEngineProfile* m_profile = nullptr;
    EngineSchemeHandler* m_scheme = nullptr;
    EngineRequestFilter* m_filter = nullptr;
    QWebEnginePage* m_page = nullptr;
    EngineWatch* m_watch = nullptr;
    QPointer<QWebEngineView> m_view;
    QPointer<QWidget> m_input;
    InputFocus* m_focus = nullptr;
    QTimer m_readTimer;
    Lookahead* m_lookahead = nullptr;
    QElapsedTimer m_pageStart;
    bool m_engineUp = false; // a movie has been ready since the page was started
    qint64 m_engineBaseKiB = 0; // the engine process's resident size at the first change of movie
    bool m_renewPending = false; // a fresh process waits for the old movie's saves
    bool m_accelerationKept = false; // Chromium's answer about the GPU is kept for the next start

    bool m_pageStarted = false;
    bool m_holdStart = false;
    bool m_pageReady = false;
    QStringList m_pending; // commands given before the page was up, run once it is
    QString m_pagePolicy; // the policy the page was loaded with
    bool m_readInFlight = false;
    quint64 m_commandSeq = 0; // a read sent before a command does not overwrite what the command set

    std::optional<MovieSaves> m_saves;
    QThreadPool m_saveWriter; // one thread: a megabyte of save data is written off the window's thread, in order
    QMap<int, QString> m_savePaths; // the movie path of each recent generation, for late answers
    QString m_pageSavesPath; // the movie whose save data the page holds

    PreparedMovie m_report;
    int m_gen = 0;
    int m_frame = 0;
    int m_total = 0;
    int m_ready = 0;
    bool m_playing = false;
    bool m_probeUp = false;
    bool m_hasTimeline = true;
    int m_root = 0; // how many times level 0 changed hands, as the page counts
    int m_skipInFlight = -1; // the generation whose push off a stuck frame has not been answered
    // Where the movie was when a new page had to be loaded under it; taken up again once ready.
    struct Place {
        int frame = 0;
        bool playing = true;
    };
    std::optional<Place> m_resumeAt;
};
