#include "playback/engineprocess.h"

#include <QCoreApplication>
#include <QWebEngineUrlScheme>
#include <unistd.h>

void PrepareEngineProcess()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    // The engine refuses to start its sandbox as root and aborts unless told to run without it.
    if (geteuid() == 0 && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);

    QWebEngineUrlScheme scheme(EngineScheme);
    scheme.setSyntax(QWebEngineUrlScheme::Syntax::Host);
    scheme.setDefaultPort(QWebEngineUrlScheme::PortUnspecified);
    // Not LocalScheme: with it the page's http(s) requests are silently dropped.
    scheme.setFlags(QWebEngineUrlScheme::SecureScheme | QWebEngineUrlScheme::CorsEnabled);
    QWebEngineUrlScheme::registerScheme(scheme);
}
