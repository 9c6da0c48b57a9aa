#include "app/program.h"
#include "core/inifile.h"
#include "core/settings.h"
#include "platform/pointervisibility.h"
#include "playback/inputfocus.h"
#include "playback/transport.h"
#include "playlist/playlistmodel.h"
#include "shell/frmmain.h"
#include "shell/volumecontrol.h"
#include "tests/support/fakeflashcontrol.h"
#include "tests/support/texttablerow.h"
#include "tests/support/widgetevents.h"
#include "tools/swfgen/swfwriter.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

// The shortcut keys and the pointer through the whole program: a key acts once, wherever the focus is.
class TestKeysAndPointer : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    const QString m_movie = m_dir.filePath(QStringLiteral("a.swf"));
    Settings m_settings;
    FakeFlashControl m_engine;
    std::unique_ptr<Program> m_program;
    int m_countOverModal = 0;
    // The class of the modal window the action opened, after a pointer move over it; it is closed at once.
    QString modalOpenedBy(const std::function<void()>& action)
    {
        QString opened;
        QTimer closer;
        connect(&closer, &QTimer::timeout, &closer, [&] {
            if (QWidget* modal = QApplication::activeModalWidget(); modal && modal->isVisible()) {
                SendMouse(modal, QEvent::MouseMove, Qt::NoButton, QPoint(20, 20));
                m_countOverModal = Pointer::ShowCount();
                opened = QString::fromLatin1(modal->metaObject()->className());
                modal->close();
            }
        });
        closer.start(10);
        action();
        return opened;
    }
    // Rows of the one movie, the first playing; with a click on the list's row 2 if asked.
    void addRows(int count, bool clickRow2)
    {
        for (int i = 1; i <= count; ++i)
            m_program->model().AddFileToList(m_movie, i == 1, true);
        auto* list = qobject_cast<QAbstractItemView*>(m_program->window().playlistView());
        if (clickRow2)
            QTest::mouseClick(
                list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(1, 1)).center());
    }
private slots:
    void init()
    {
        QVERIFY(swfgen::WriteMovieFile(m_movie, {}));
        m_settings.IniFile = m_dir.filePath(QStringLiteral("Quenbarrowick.ini"));
        QFile::remove(m_settings.IniFile);
        m_program = std::make_unique<Program>(m_settings, m_dir.path(), m_engine, new QWidget);
        m_program->window().show();
        QVERIFY(QTest::qWaitForWindowExposed(&m_program->window()));
    }
    void cleanup() { m_program.reset(); }

    // The focus (nothing, the empty list, the list's row 2) and the key => a modal window, or the current and
    // selected rows and the play state.
    void keys_data()
    {
        TextTable(uR"(
nothing focused, Page Down: nothing PgDown => 2/2 1
empty list, Ctrl+O: empty Ctrl+O => QFileDialog
empty list, F2: empty F2 => frmOptions
empty list, Ctrl+Enter: empty Ctrl+Return => 0/0 0 full screen
list, Ctrl+Enter is not Enter: list Ctrl+Return => 1/2 1 full screen
list, Page Down moves one row: list PgDown => 2/2 1
list, Enter plays the selection: list Return => 2/2 1)"_qs);
    }
    void keys()
    {
        const auto [given, effect] = TextRow();
        const QString focus = given.section(u' ', 0, 0);
        const QKeyCombination key = QKeySequence(given.section(u' ', 1))[0];
        frmMain& window = m_program->window();
        addRows(focus == u"empty" ? 0 : 30, focus != u"nothing"); // a click on row 2, or on the empty list
        if (focus == u"nothing" && window.focusWidget())
            window.focusWidget()->clearFocus();
        const QString modal
            = modalOpenedBy([&] { QTest::keyClick(window.windowHandle(), key.key(), key.keyboardModifiers()); });
        const QString state
            = QString::asprintf("%d/%d %d%s", m_program->transport().CurrFileIndex(), m_program->model().SelectedRow(),
                m_program->transport().PlayState(), window.isFullScreen() ? " full screen" : "");
        QCOMPARE(modal.isEmpty() ? state : modal, effect);
    }

    // The sound keys from the player area, the list, the window and the filter box: the level shown, the
    // remembered one, the one the next movie starts at, and the list's row (its own Up and Down are untouched).
    // Where the keys go, the keys => the effect.
    void soundKeys_data()
    {
        TextTable(uR"(
player area, two steps down, mute: player Ctrl+Down,Ctrl+Down,Ctrl+M => shown 90 muted, saved 90 True, next at 0, row 1
list, down and up past 100, Down moves: list Ctrl+Down,Ctrl+Up,Ctrl+Up,Down => shown 100, saved 100 False, next at 100, row 3
window, mute, a step ends it, mute: window Ctrl+M,Ctrl+Down,Ctrl+M => shown 95 muted, saved 95 True, next at 0, row 1
filter box: box Ctrl+M,Ctrl+Down,Ctrl+Up => shown 100, saved 100 False, next at 100, row 1)"_qs);
    }
    void soundKeys()
    {
        const auto [given, effect] = TextRow();
        const QString place = given.section(u' ', 0, 0), keys = given.section(u' ', 1);
        frmMain& window = m_program->window();
        addRows(3, place == u"list");
        if (place == u"box")
            QTest::keyClick(&window, Qt::Key_F, Qt::ControlModifier);
        QWidget* target = place == u"player" ? window.playerView() : QApplication::focusWidget();
        for (const QString& key : keys.split(u',')) {
            const QKeyCombination k = QKeySequence(key)[0];
            QKeyEvent press(QEvent::KeyPress, k.key(), k.keyboardModifiers());
            QApplication::sendEvent(place == u"window" ? static_cast<QWidget*>(&window) : target, &press);
        }
        const int row = m_program->model().SelectedRow();
        m_program->transport().PlayerBtns_Click(TransportControl::CmdNext);
        const SoundLevel shown = window.volumeControl()->shownLevel();
        const QString saved = ReadIni(m_settings.IniFile, u"Player"_qs, u"Volume"_qs, 255) + u' '
            + ReadIni(m_settings.IniFile, u"Player"_qs, u"Muted"_qs, 255);
        QCOMPARE(QString::asprintf("shown %d%s, saved %s, next at %d, row %d", shown.volume,
                     shown.muted ? " muted" : "", qPrintable(saved), int(m_engine.gainAtLoad * 100 + 0.5), row),
            effect);
    }

    // Ctrl+F from the list, a word typed, Down and Enter play the second match; Escape shows every row
    // again with the played row selected.
    void filterBox_typeDownEnterEscape()
    {
        frmMain& window = m_program->window();
        for (const char* name : { "alpha", "beta", "gamma", "Beta 2" }) {
            const QString path = m_dir.filePath(QString::fromLatin1(name) + u".swf"_qs);
            QVERIFY(swfgen::WriteMovieFile(path, {}));
            m_program->model().AddFileToList(path, false, true);
        }
        auto* list = qobject_cast<QAbstractItemView*>(window.playlistView());
        list->setFocus();
        QTest::keyClick(list, Qt::Key_F, Qt::ControlModifier);
        QVERIFY(window.filterBox()->hasFocus());
        QTest::keyClicks(window.filterBox(), u"BETA"_qs); // Down then moves to the second match, not row 2
        QTest::keyClick(window.filterBox(), Qt::Key_Down);
        QTest::keyClick(window.filterBox(), Qt::Key_Return);
        QCOMPARE(m_program->transport().CurrFileIndex(), 4);
        // The engine focuses its input as the movie starts: the focus goes back, typing on reaches the box.
        auto* input = new QWidget(window.playerView());
        input->resize(50, 50);
        input->show();
        InputFocus focus;
        focus.Watch(input);
        m_program->watchPlayerInput(input);
        input->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_2);
        QCOMPARE(window.filterBox()->text() + u' ' + QString::number(list->model()->rowCount()), u"BET2 0"_qs);
        // A click gives the player area the keys, the engine focusing it again changes nothing: Space pauses.
        QTest::mouseClick(input, Qt::LeftButton);
        input->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QCOMPARE(m_program->transport().PlayState(), int(TransportControl::Paused));
        QCOMPARE(window.filterBox()->text(), u"BET2"_qs);
        QTest::keyClick(window.filterBox(), Qt::Key_Escape);
        QVERIFY(!window.FilterBoxVisible() && list->hasFocus());
        QCOMPARE(list->currentIndex().row() + 1, 4); // the last of the four rows: every row is back
    }

    void dialogs_showHiddenPointer()
    {
        m_program->model().AddFileToList(m_movie, true, true);
        for (const char* request : { "optionsRequested", "fileInfoRequested" }) {
            Pointer::ShowCursor(false);
            QVERIFY2(
                !modalOpenedBy([&] { QMetaObject::invokeMethod(&m_program->window(), request); }).isEmpty(), request);
            QVERIFY2(m_countOverModal == 0, request);
        }
    }
};

QTEST_MAIN(TestKeysAndPointer)
#include "tst_keysandpointer.moc"
