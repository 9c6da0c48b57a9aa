#include "playback/rufflecontrol.h"

#include "playback/enginepage.h"
#include "playback/engineprocess.h"
#include "playback/enginerenderer.h"
#include "playback/enginescheme.h"
#include "playback/enginewatch.h"
#include "playback/inputfocus.h"
#include "playback/lookahead.h"
#include "playback/swfcontainer.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QEvent>
#include <QEventLoopLocker>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonValue>
#include <QLoggingCategory>
#include <QUrl>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineView>
#include <utility>

Q_LOGGING_CATEGORY(lcEngineMemory, "quen.engine.memory", QtInfoMsg)

namespace {

// The program counts frames from 0, the engine from 1: these two are the only conversions.
int programFrame(int engineFrame)
{
    return engineFrame - 1;
}
int engineFrame(int programFrame)
{
    return programFrame + 1;
}

constexpr int ReadIntervalMs = 40;

// The engine's memory never shrinks (its heap is one WebAssembly memory, which can only grow), and every
// movie leaves a little behind; loading the page again in the same process gives back only part of it.
// Past this much over its size at the first change of movie, the engine gets a fresh process at the
// next change; that costs one engine start there, a second or two.
constexpr qint64 EngineGrowthLimitKiB = 40 * 1024;

QString jsString(const QString& s)
{
    return QString::fromUtf8(
        QJsonDocument::fromVariant(QVariantList { s }).toJson(QJsonDocument::Compact).chopped(1).mid(1));
}

QString cssColor(int bgr)
{
    const int r = bgr & 0xff, g = (bgr >> 8) & 0xff, b = (bgr >> 16) & 0xff;
    return QStringLiteral("#%1%2%3")
        .arg(r, 2, 16, QLatin1Char('0'))
        .arg(g, 2, 16, QLatin1Char('0'))
        .arg(b, 2, 16, QLatin1Char('0'));
}

QString scaleName(const QString& scale)
{
    for (const char* known : { "ShowAll", "NoScale", "ExactFit" }) {
        if (scale.compare(QLatin1String(known), Qt::CaseInsensitive) == 0)
            return QLatin1String(known);
    }
    return QStringLiteral("ShowAll");
}

} // namespace

RuffleFlashControl::RuffleFlashControl(QObject* parent) : FlashControl(parent)
{
    m_profile = new QWebEngineProfile(this); // off the record: nothing of the movies lands on disk
    m_scheme = new EngineSchemeHandler(this);
    m_profile->installUrlSchemeHandler(EngineScheme, m_scheme);
    m_filter = new EngineRequestFilter(this);
    m_profile->setUrlRequestInterceptor(m_filter);

    m_page = new EnginePage(m_profile, this);
    QWebEngineSettings* s = m_page->settings();
    // Otherwise the engine's audio stays suspended until a click that never reaches the movie.
    s->setAttribute(QWebEngineSettings::PlaybackRequiresUserGesture, false);
    s->setAttribute(QWebEngineSettings::FocusOnNavigationEnabled, false);
    s->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
    s->setAttribute(QWebEngineSettings::ShowScrollBars, false);
    s->setAttribute(QWebEngineSettings::ErrorPageEnabled, false);
    m_page->setBackgroundColor(Qt::black);

    m_view = new QWebEngineView;
    m_view->setPage(m_page);
    m_view->setFocusPolicy(Qt::NoFocus);
    m_view->setContextMenuPolicy(Qt::NoContextMenu);
    m_view->installEventFilter(this);
    m_focus = new InputFocus(this);

    connect(m_page, &QWebEnginePage::loadFinished, this, &RuffleFlashControl::onPageLoaded);
    m_watch = new EngineWatch(m_page, this);
    connect(m_watch, &EngineWatch::failed, this, &RuffleFlashControl::recover);
    connect(m_watch, &EngineWatch::renewed, this, &RuffleFlashControl::startPage);
    m_saveWriter.setMaxThreadCount(1);
    m_readTimer.setInterval(ReadIntervalMs);
    connect(&m_readTimer, &QTimer::timeout, this, &RuffleFlashControl::requestRead);
    // Started from the event loop, so that the properties set right after construction are in
    // the first page and the engine does not start twice.
    QTimer::singleShot(0, this, [this] {
        if (!m_pageStarted && !m_holdStart)
            startPage();
    });
}

void RuffleFlashControl::startEngine()
{
    if (!m_pageStarted)
        startPage();
}

RuffleFlashControl::~RuffleFlashControl()
{
    // The page must go before its profile, and the profile before its scheme handler.
    delete m_view.data();
    delete m_page;
    delete m_profile;
}

QWidget* RuffleFlashControl::widget() const
{
    return m_view;
}

QWidget* RuffleFlashControl::inputWidget() const
{
    return m_input ? m_input.data() : static_cast<QWidget*>(m_view.data());
}

void RuffleFlashControl::runInPage(const QString& code, const std::function<void(const QVariant&)>& done)
{
    if (done)
        m_page->runJavaScript(code, done);
    else
        m_page->runJavaScript(code);
}

// Not for ever: a first movie the engine cannot open must not keep the monitor waiting.
bool RuffleFlashControl::Starting() const
{
    return !m_engineUp && (!m_pageStart.isValid() || m_pageStart.elapsed() < 60000);
}

qint64 RuffleFlashControl::engineProcessId() const
{
    return m_page->renderProcessPid();
}

void RuffleFlashControl::startPage()
{
    m_pageStarted = true;
    m_pageReady = false;
    m_watch->pageStarted();
    m_pageStart.start();
    m_engineUp = false;
    m_engineBaseKiB = 0;
    m_renewPending = false;
    m_readTimer.stop();
    m_readInFlight = false;
    m_skipInFlight = -1; // answers of the old page never come
    m_pageSavesPath.clear(); // a new page may start with no storage at all
    m_pagePolicy = contentSecurityPolicy();
    m_scheme->setContentSecurityPolicy(m_pagePolicy);
    m_filter->setNetworkAllowed(AllowNetworking() != u"none");
    m_page->load(QUrl(EngineSchemeHandler::pageUrl()));
}

// The same page, with its profile, settings, scheme, filter and policy, gets a fresh engine; the
// movie it had is gone and the monitor moves on.
void RuffleFlashControl::recover()
{
    ++m_gen;
    m_ready = 0;
    m_frame = 0;
    m_total = 0;
    m_playing = false;
    m_probeUp = false;
    m_resumeAt.reset();
    m_pending.clear();
    m_scheme->clearMovie();
    startPage();
    emit EngineFailed();
}

void RuffleFlashControl::onPageLoaded(bool ok)
{
    if (!ok)
        return;
    m_pageReady = true;
    applySettingsToPage();
    applyGain();
    const QStringList pending = std::exchange(m_pending, {});
    // With no movie chosen yet, a blank one makes the engine compile its code now.
    if (Movie().isEmpty())
        command(QStringLiteral("quen.warmUp(%1)").arg(jsString(EngineSchemeHandler::blankMovieUrl())));
    for (const QString& code : pending)
        command(code);
    m_readTimer.start();
    watchInputWidget();
}

QByteArray RuffleFlashControl::nextMovieIdentity() const
{
    return EngineSchemeHandler::movieIdentity(m_gen + 1);
}

bool RuffleFlashControl::engineOutgrown()
{
    if (!m_pageReady || !m_engineUp)
        return false;
    const qint64 pid = m_page->renderProcessPid();
    const qint64 now = ResidentKiB(pid);
    if (now <= 0)
        return false;
    if (m_engineBaseKiB <= 0 || now < m_engineBaseKiB)
        m_engineBaseKiB = now;
    if (now - m_engineBaseKiB <= EngineGrowthLimitKiB)
        return false;
    qCInfo(lcEngineMemory) << "engine process" << pid << "grew from" << m_engineBaseKiB / 1024 << "to" << now / 1024
                           << "MiB; it is started afresh";
    return true;
}

void RuffleFlashControl::LoadMovie(int layer, const QString& url)
{
    if (layer != 0)
        return;
    if (engineOutgrown()) {
        // The old movie's saves come out of the page first; until the fresh process has the page
        // again, commands wait and the monitor waits too. A page that never answers is renewed anyway.
        m_renewPending = true;
        const auto renew = [this] {
            if (std::exchange(m_renewPending, false))
                m_watch->renew();
        };
        takeSaves(m_gen, renew);
        QTimer::singleShot(3000, this, renew);
        m_pageReady = false;
        m_engineUp = false;
        m_pageStart.start();
        m_readTimer.stop();
    } else {
        takeSaves(m_gen);
    }
    setMovie(url);
    ++m_gen;
    ++m_commandSeq;
    m_ready = 0;
    m_frame = 0;
    m_total = 0;
    m_probeUp = false;
    m_hasTimeline = true;
    m_root = 0;
    m_resumeAt.reset();
    m_playing = false;
    m_report = {};
    m_pending.clear(); // nothing said about the previous movie matters any more

    const QString path = url.startsWith(u"file:") ? QUrl(url).toLocalFile() : url;
    const QByteArray identity = EngineSchemeHandler::movieIdentity(m_gen);
    std::optional<PreparedMovie> ahead
        = url == UnloadUrl || !m_lookahead ? std::nullopt : m_lookahead->take(path, identity);
    if (ahead)
        m_report = std::move(*ahead);
    else if (url != UnloadUrl)
        m_report = PrepareMovieFile(path, { identity, false });
    if (url == UnloadUrl || !m_report.error.isEmpty()) {
        // An empty player: a file that is no movie never becomes ready.
        m_scheme->clearMovie();
        command(QStringLiteral("quen.unload()"));
        return;
    }

    const QFileInfo info(path);
    const QString movieUrl = m_scheme->setMovie(m_gen, info.fileName(), m_report.fws, info.absolutePath());
    const QString saves = savesFor(info.absoluteFilePath());
    const bool probed = m_report.probe != ProbeKind::None;
    m_playing = true;
    // Concatenated, not arg(): a file name may hold "%1" and the like.
    const QString load = QStringLiteral("quen.load(") + QString::number(m_gen) + u", " + jsString(movieUrl) + u", "
        + (probed ? u"\"probe\"" : u"\"none\"") + u", " + QString::number(m_report.showFrames) + u", \""
        + QString::fromLatin1(EngineSchemeHandler::movieIdentity(m_gen)) + u':' + QString::number(m_report.showFrames)
        + u"\", " + saves + u")";
    command(load);
}

void RuffleFlashControl::Play()
{
    if (Movie().isEmpty() || Movie() == UnloadUrl || !m_report.error.isEmpty())
        return;
    m_playing = true;
    command(QStringLiteral("quen.play()"));
}

void RuffleFlashControl::StopPlay()
{
    m_playing = false;
    command(QStringLiteral("quen.stop()"));
}

void RuffleFlashControl::SetFrameNum(int frame)
{
    // Without an answering probe the movie cannot be moved: the old frame stays, as the contract says.
    if (m_ready != ReadyComplete || frame < 0 || !m_probeUp || m_total <= 0)
        return;
    // Past the end the engine would clamp without running the last frame's actions: clamp first.
    m_frame = std::min(frame, m_total - 1);
    noteFrame(m_frame);
    command(QStringLiteral("quen.gotoFrame(%1)").arg(engineFrame(m_frame)));
}

void RuffleFlashControl::SkipStuckFrame(int lastFrame)
{
    if (m_ready != ReadyComplete || !m_probeUp || !m_pageReady) {
        emit StuckFrameSkipped(lastFrame, lastFrame);
        return;
    }
    // The monitor asks again only when the last push brought no answer: an engine that no longer
    // answers cannot move the movie, and asking for ever would keep it on the frame for good.
    if (m_skipInFlight == m_gen) {
        // A page that answers nothing at all has hung: the watch ends the movie as the engine's
        // failure, not as a movie stuck on its frame.
        if (m_watch->answering())
            emit StuckFrameSkipped(lastFrame, lastFrame);
        return;
    }
    m_skipInFlight = m_gen;
    ++m_commandSeq;
    const int gen = m_gen;
    QPointer<RuffleFlashControl> self(this);
    m_page->runJavaScript(QStringLiteral("quen.skip(%1, %2, %3)")
                              .arg(engineFrame(lastFrame))
                              .arg(engineFrame(m_total - 1))
                              .arg(MaxSkipAttempts),
        [self, gen, lastFrame](const QVariant& answer) {
        if (!self)
            return;
        int reached = lastFrame;
        if (gen == self->m_gen)
            self->m_skipInFlight = -1;
        if (gen == self->m_gen && answer.isValid()) {
            reached = programFrame(answer.toInt());
            if (reached >= 0 && reached != lastFrame) {
                self->m_frame = reached;
                self->noteFrame(reached);
                self->m_playing = true;
            } else {
                reached = lastFrame;
            }
        }
        emit self->StuckFrameSkipped(lastFrame, reached);
    });
}

void RuffleFlashControl::command(const QString& code)
{
    ++m_commandSeq;
    if (m_pageReady)
        m_page->runJavaScript(code);
    else
        m_pending.append(code);
}

void RuffleFlashControl::requestRead()
{
    if (m_readInFlight || !m_pageReady)
        return;
    m_readInFlight = true;
    // An engine still starting answers slowly on a busy machine; taking that for a hang would
    // restart it again and again.
    m_watch->readSent(m_playing && !Starting());
    const int gen = m_gen;
    const quint64 seq = m_commandSeq;
    QPointer<RuffleFlashControl> self(this);
    m_page->runJavaScript(QStringLiteral("quen.read()"), [self, gen, seq](const QVariant& answer) {
        if (self)
            self->applyRead(answer, gen, seq);
    });
}

void RuffleFlashControl::applyRead(const QVariant& answer, int gen, quint64 commandSeq)
{
    m_readInFlight = false;
    const QVariantMap map = answer.toMap();
    storeSaves(map.value(QStringLiteral("gen")).toInt(), map.value(QStringLiteral("saves")));
    keepAccelerationAnswer(map.value(QStringLiteral("accelerated")));
    m_watch->readAnswered(gen == m_gen ? map : QVariantMap());
    // An answer to a read sent before the latest command or load would undo what it set.
    if (gen != m_gen || commandSeq != m_commandSeq || map.value(QStringLiteral("gen")).toInt() != m_gen)
        return;
    m_probeUp = map.value(QStringLiteral("probe")).toBool();
    m_hasTimeline = map.value(QStringLiteral("timeline"), true).toBool();
    if (m_probeUp) {
        m_frame = std::max(programFrame(map.value(QStringLiteral("frame")).toInt()), 0);
        noteFrame(m_frame);
    }
    m_playing = map.value(QStringLiteral("playing")).toBool();
    if (m_ready != ReadyComplete && map.value(QStringLiteral("ready")).toBool()) {
        m_total = map.value(QStringLiteral("total")).toInt();
        m_ready = ReadyComplete;
        m_engineUp = true;
        if (const std::optional<Place> place = std::exchange(m_resumeAt, std::nullopt)) {
            if (place->frame > 0)
                SetFrameNum(place->frame);
            if (!place->playing)
                StopPlay();
        }
        emit OnReadyStateChange(ReadyComplete);
    } else if (const int root = map.value(QStringLiteral("root")).toInt(); m_ready == ReadyComplete && root != m_root) {
        // Another movie took over level 0: its frames are what plays now, counted afresh.
        m_root = root;
        m_total = map.value(QStringLiteral("total")).toInt();
        emit OnReadyStateChange(ReadyComplete);
    }
    emit SnapshotTaken();
}

// Chromium's answer about the GPU, for the next start's choice of drawing. Only drawing through GL
// can it say yes: without GL its WebGL is never accelerated.
void RuffleFlashControl::keepAccelerationAnswer(const QVariant& accelerated)
{
    const QString file = CurrentDrawingAnswerFile();
    if (m_accelerationKept || accelerated.typeId() != QMetaType::Bool || file.isEmpty()
        || CurrentEngineDrawing() != EngineDrawing::Gl)
        return;
    m_accelerationKept = true;
    KeepAccelerationAnswer(file, accelerated.toBool(), EngineDisplay(), QDateTime::currentDateTimeUtc());
}

QString RuffleFlashControl::contentSecurityPolicy() const
{
    if (AllowScriptAccess() != u"never")
        return {};
    // No eval and no inline script: a movie's ExternalInterface.call and javascript: URLs stop here,
    // while our own script files, the engine's code and its WebAssembly still run.
    return QStringLiteral("default-src 'self' quen: data: blob:; script-src 'self' quen: 'wasm-unsafe-eval'; "
                          "style-src 'self' quen: 'unsafe-inline'; img-src * data: blob:; media-src * data: blob:; "
                          "connect-src * data: blob:; object-src 'none'; base-uri 'none'");
}

void RuffleFlashControl::applyProperties()
{
    m_filter->setNetworkAllowed(AllowNetworking() != u"none");
    if (contentSecurityPolicy() != m_pagePolicy && (m_pageReady || m_page->url().isValid())) {
        // A policy can only be lifted by a new page: reload it and the movie with it, at its place.
        const QString movie = Movie();
        const std::optional<Place> place
            = m_ready == ReadyComplete ? std::optional<Place>(Place { m_frame, m_playing }) : std::nullopt;
        startPage();
        if (!movie.isEmpty() && movie != UnloadUrl) {
            LoadMovie(0, movie);
            m_resumeAt = place;
        }
        return;
    }
    applySettingsToPage();
}

void RuffleFlashControl::applySettingsToPage()
{
    const QString settings
        = QStringLiteral("quen.settings({scale: %1, background: %2, transparent: %3, renderer: %4})")
              .arg(jsString(scaleName(Scale())), jsString(cssColor(BackgroundColor())),
                  WMode().compare(u"Transparent", Qt::CaseInsensitive) == 0 ? QStringLiteral("true")
                                                                            : QStringLiteral("false"),
                  jsString(EngineRenderer(qgetenv("QUEN_RENDERER"))));
    command(settings);
}

void RuffleFlashControl::applyGain()
{
    // Not through command(): a load drops what waits for the page, and the sound must survive it.
    if (m_pageReady)
        m_page->runJavaScript(QStringLiteral("quen.volume(%1)").arg(Gain()));
}

void RuffleFlashControl::watchInputWidget()
{
    QWidget* proxy = m_view ? m_view->focusProxy() : nullptr;
    if (!proxy || proxy == m_input)
        return;
    m_input = proxy;
    proxy->installEventFilter(this);
    m_focus->Watch(proxy);
    emit InputWidgetChanged(proxy);
}

bool RuffleFlashControl::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_view && event->type() == QEvent::ChildAdded)
        QTimer::singleShot(0, this, &RuffleFlashControl::watchInputWidget);
    if (watched == m_input) {
        switch (event->type()) {
        // The movie gets neither keys nor clicks: the window decides what they do.
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::Wheel:
        case QEvent::ContextMenu:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
            return true;
        default:
            break;
        }
    }
    return FlashControl::eventFilter(watched, event);
}

// A movie's save data belongs to the file the list played: what the movies it loads store is kept
// with it. The page holds only the playing movie's entries; the same file played again keeps them.
QString RuffleFlashControl::savesFor(const QString& path)
{
    m_savePaths.insert(m_gen, path);
    while (m_savePaths.size() > 4)
        m_savePaths.erase(m_savePaths.begin());
    if (path == std::exchange(m_pageSavesPath, path))
        return QStringLiteral("null");
    m_saveWriter.waitForDone(); // what the last movie wrote may be what this one reads
    const QVariantMap entries = m_saves ? m_saves->load(path) : QVariantMap();
    return QString::fromUtf8(QJsonDocument::fromVariant(entries).toJson(QJsonDocument::Compact));
}

void RuffleFlashControl::takeSaves(int gen, const std::function<void()>& then)
{
    if (!m_saves || !m_pageReady || !m_savePaths.contains(gen)) {
        if (then)
            then();
        return;
    }
    QPointer<RuffleFlashControl> self(this);
    m_page->runJavaScript(QStringLiteral("quen.takeSaves(true)"), [self, gen, then](const QVariant& entries) {
        if (!self)
            return;
        self->storeSaves(gen, entries);
        if (then)
            then();
    });
}

void RuffleFlashControl::storeSaves(int gen, const QVariant& entries)
{
    const QString path = m_savePaths.value(gen);
    // A full disk or a folder that cannot be written loses this save, not the one before it.
    if (m_saves && !path.isEmpty() && entries.typeId() == QMetaType::QVariantMap)
        m_saveWriter.start([saves = *m_saves, path, map = entries.toMap()] { saves.store(path, map); });
}

void RuffleFlashControl::keepSavesNow()
{
    if (!m_saves || !m_pageReady || !m_savePaths.contains(m_gen))
        return;
    auto hold = std::make_shared<std::optional<QEventLoopLocker>>(std::in_place);
    QTimer::singleShot(1000, QCoreApplication::instance(), [hold] { hold->reset(); });
    takeSaves(m_gen, [hold] { hold->reset(); });
}
