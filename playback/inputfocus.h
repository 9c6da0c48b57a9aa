#pragma once

#include <QObject>
#include <QPointer>

class QWidget;

// Keeps the keyboard where the user put it while the engine works. The engine focuses its input
// widget by itself (a page loads, the window becomes active); that focus goes straight back to the
// widget that had it, the filter box or the list, or nowhere, where the window's own keys take it.
// A click into the player area does give that widget the focus: the keys then go to the player
// area's shortcuts, and stay there until the user clicks or tabs elsewhere.
class InputFocus : public QObject {
    Q_OBJECT
public:
    explicit InputFocus(QObject* parent = nullptr);

    // The engine's current input widget; a new one replaces the old.
    void Watch(QWidget* input);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void focusChanged(QWidget* old, QWidget* now);

    QPointer<QWidget> m_input;
    QPointer<QWidget> m_holder; // the last widget outside the engine that had the focus
    bool m_chosen = false; // the user clicked into the player area since the focus was last elsewhere
    bool m_taken = false; // the engine took the focus and it has not been given back yet
};
