#include "app/program.h"
#include "core/settings.h"
#include "platform/pointervisibility.h"
#include "playback/playerprogressbar.h"
#include "playback/transport.h"
#include "playlist/playlistmodel.h"
#include "shell/frmmain.h"
#include "tests/support/fakeflashcontrol.h"
#include "tools/swfgen/swfwriter.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

// The shortcut keys and the pointer through the whole program: a key acts once, wherever the focus is.
class TestKeysAndPointer : public QObject {
    Q_OBJECT
    enum Focus { Nothing, EmptyList, ListRow2 };
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
                QMouseEvent move(QEvent::MouseMove, QPointF(20, 20), modal->mapToGlobal(QPointF(20, 20)), Qt::NoButton,
                    Qt::NoButton, Qt::NoModifier);
                QApplication::sendEvent(modal, &move);
                m_countOverModal = Pointer::ShowCount();
                opened = QString::fromLatin1(modal->metaObject()->className());
                modal->close();
            }
        });
        closer.start(10);
        action();
        return opened;
    }
private slots:
    void init()
    {
        QVERIFY(swfgen::WriteMovieFile(m_movie, {}));
        m_program = std::make_unique<Program>(m_settings, m_dir.path(), m_engine, new QWidget);
        m_program->window().show();
        QVERIFY(QTest::qWaitForWindowExposed(&m_program->window()));
    }
    void cleanup() { m_program.reset(); }

    void keys_data()
    {
        QTest::addColumn<int>("focus");
        QTest::addColumn<QKeySequence>("key");
        QTest::addColumn<QString>("effect"); // a modal window, or the current and selected rows and the play state
        const QKeySequence ctrlEnter(Qt::CTRL | Qt::Key_Return), ctrlO(Qt::CTRL | Qt::Key_O);
        QTest::newRow("nothing focused: Page Down") << int(Nothing) << QKeySequence(Qt::Key_PageDown) << "2/2 1";
        QTest::newRow("empty list: Ctrl+O") << int(EmptyList) << ctrlO << "QFileDialog";
        QTest::newRow("empty list: F2") << int(EmptyList) << QKeySequence(Qt::Key_F2) << "frmOptions";
        QTest::newRow("empty list: Ctrl+Enter") << int(EmptyList) << ctrlEnter << "0/0 0 full screen";
        QTest::newRow("list: Ctrl+Enter is not Enter") << int(ListRow2) << ctrlEnter << "1/2 1 full screen";
        QTest::newRow("list: Page Down moves one row") << int(ListRow2) << QKeySequence(Qt::Key_PageDown) << "2/2 1";
        QTest::newRow("list: Enter plays the selection") << int(ListRow2) << QKeySequence(Qt::Key_Return) << "2/2 1";
    }
    void keys()
    {
        QFETCH(int, focus);
        QFETCH(QKeySequence, key);
        QFETCH(QString, effect);
        frmMain& window = m_program->window();
        for (int i = 1; i <= 30 && focus != EmptyList; ++i)
            m_program->model().AddFileToList(m_movie, i == 1, true);
        auto* list = qobject_cast<QAbstractItemView*>(window.playlistView());
        if (focus >= EmptyList) // a click in the list: on row 2, or on the empty list
            QTest::mouseClick(
                list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(1, 1)).center());
        if (focus == Nothing && window.focusWidget())
            window.focusWidget()->clearFocus();
        const QString modal
            = modalOpenedBy([&] { QTest::keyClick(window.windowHandle(), key[0].key(), key[0].keyboardModifiers()); });
        const QString state
            = QString::asprintf("%d/%d %d%s", m_program->transport().CurrFileIndex(), m_program->model().SelectedRow(),
                m_program->transport().PlayState(), window.isFullScreen() ? " full screen" : "");
        QCOMPARE(modal.isEmpty() ? state : modal, effect);
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

    void progressBar_markerFollowsPointer()
    {
        auto* bar = qobject_cast<PlayerProgressBar*>(m_program->window().progressBar());
        bar->show();
        QTest::mouseMove(bar, QPoint(bar->width() / 2, 4));
        QVERIFY(!bar->HideTinyLable());
    }
};

QTEST_MAIN(TestKeysAndPointer)
#include "tst_keysandpointer.moc"
