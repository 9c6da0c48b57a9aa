#pragma once

#include <QObject>
#include <QString>
#include <optional>

class QTimer;

// Where the poll reads hand-off texts; the system clipboard outside tests.
class ClipboardSource {
public:
    virtual ~ClipboardSource() = default;
    // No value when the clipboard could not be read.
    virtual std::optional<QString> text() = 0;
    virtual void clear() = 0;
};

// The system clipboard as a ClipboardSource.
class SystemClipboard : public ClipboardSource {
public:
    std::optional<QString> text() override;
    void clear() override;
};

// Polls the clipboard every 2 s for a hand-off text that something other than a second copy of the
// program put there ("QUENBARROWICK:" and a path, the prefix in any case). A hand-off is taken off
// the clipboard and reported; any other text is left alone.
class ClipboardHandOff : public QObject {
    Q_OBJECT
public:
    static constexpr int IntervalMs = 2000;

    // source is not owned; null means the system clipboard.
    explicit ClipboardHandOff(ClipboardSource* source = nullptr, QObject* parent = nullptr);
    ~ClipboardHandOff() override;

    void start();
    void stop();
    bool active() const;

    // One tick: exposed so that the main window's timer and tests can run it directly.
    void TimerClipbrd_Timer();

signals:
    // To be added to the playlist and played at once; the path is not checked here.
    void fileHandedOver(const QString& path);

private:
    std::unique_ptr<SystemClipboard> m_system;
    ClipboardSource* m_source;
    QTimer* TimerClipbrd;
    bool m_polling = false;
};
