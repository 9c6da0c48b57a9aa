#pragma once

#include <QByteArray>
#include <QString>
#include <QWebEngineUrlSchemeHandler>

// Serves the player page, the engine's files (compiled in as resources), the prepared movie from
// memory and the files beside the movie. Nothing else on disk is reachable.
class EngineSchemeHandler : public QWebEngineUrlSchemeHandler {
    Q_OBJECT
public:
    using QWebEngineUrlSchemeHandler::QWebEngineUrlSchemeHandler;

    static QString pageUrl() { return QStringLiteral("quen://player/index.html"); }
    static QString blankMovieUrl() { return QStringLiteral("quen://player/blank.swf"); }

    // The movie of generation gen: its bytes as prepared, and the folder its own loads come from.
    // Returns the URL the engine loads it by; the folder of that URL is the movie's folder.
    QString setMovie(int gen, const QString& fileName, const QByteArray& bytes, const QString& folder);
    // The identity the probe of generation gen's own movie reports (see Avm1Probe::RootCallback).
    static QByteArray movieIdentity(int gen) { return "g" + QByteArray::number(gen); }
    void clearMovie();
    void setContentSecurityPolicy(const QString& policy) { m_policy = policy; }

    void requestStarted(QWebEngineUrlRequestJob* job) override;

private:
    QByteArray page() const;
    void replyPart(QWebEngineUrlRequestJob* job, const QString& path);

    int m_gen = -1;
    QString m_fileName;
    QByteArray m_bytes;
    QString m_folder;
    QString m_policy;
    int m_parts = 0; // movies served to the current one, each with an identity of its own
};
