#include "playback/enginepage.h"

#include "playback/engineprocess.h"
#include "playback/enginescheme.h"

#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcEnginePage, "quen.engine.page", QtWarningMsg)

bool EnginePage::acceptNavigationRequest(const QUrl& url, NavigationType, bool isMainFrame)
{
    // Leaving the page would take the player with it.
    return isMainFrame && url == QUrl(EngineSchemeHandler::pageUrl());
}

QWebEnginePage* EnginePage::createWindow(WebWindowType)
{
    return nullptr;
}

// Off by default; QT_LOGGING_RULES="quen.engine.page.debug=true" shows what the engine says.
void EnginePage::javaScriptConsoleMessage(
    JavaScriptConsoleMessageLevel level, const QString& message, int line, const QString& source)
{
    qCDebug(lcEnginePage) << level << source << line << message;
}

void EngineRequestFilter::interceptRequest(QWebEngineUrlRequestInfo& info)
{
    if (m_networkAllowed)
        return;
    const QString scheme = info.requestUrl().scheme();
    if (scheme != QLatin1String(EngineScheme) && scheme != u"data" && scheme != u"blob")
        info.block(true);
}
