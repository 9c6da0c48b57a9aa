#include "playback/keymap.h"

#include <QTest>

Q_DECLARE_METATYPE(KeyAction)

// The two shortcut tables: Ctrl alone selects the first, every other modifier state the second. The keys
// the transport acts on are checked with it; these rows are the modifier states it does not try.
class TestKeyMap : public QObject {
    Q_OBJECT
private slots:
    void mapKey_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("shift");
        QTest::addColumn<KeyAction>("action");
        QTest::addColumn<bool>("consumed");
        const int shift = 1, ctrl = 2, alt = 4;
        QTest::newRow("ctrl+left rewinds") << 37 << ctrl << KeyAction::Rewind << true;
        QTest::newRow("ctrl+space does nothing") << 32 << ctrl << KeyAction::None << false;
        QTest::newRow("alt+space pauses or resumes") << 32 << alt << KeyAction::PauseOrResume << true;
        QTest::newRow("ctrl+shift+right fast-forwards") << 39 << (ctrl | shift) << KeyAction::FastForward << true;
        QTest::newRow("page up goes back a movie, not up the list") << 33 << 0 << KeyAction::Previous << true;
    }
    void mapKey()
    {
        QFETCH(int, key);
        QFETCH(int, shift);
        QFETCH(KeyAction, action);
        QFETCH(bool, consumed);
        const KeyBinding binding = MapKey(key, shift);
        QCOMPARE(binding.action, action);
        QCOMPARE(binding.consumed, consumed);
    }
    void fromQt()
    {
        const QList<int> keys { Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space, Qt::Key_PageUp, Qt::Key_PageDown,
            Qt::Key_Left, Qt::Key_Right, Qt::Key_F2, Qt::Key_A, Qt::Key_Z, Qt::Key_0, Qt::Key_9, Qt::Key_Escape,
            Qt::Key_At, Qt::Key_BracketLeft, Qt::Key_Slash, Qt::Key_Colon };
        QList<int> codes;
        for (int key : keys)
            codes.append(VirtualKeyFromQt(key));
        QCOMPARE(codes, (QList<int> { 13, 13, 32, 33, 34, 37, 39, 113, 65, 90, 48, 57, 0, 0, 0, 0, 0 }));
        // Meta counts for nothing, so Ctrl with it is still Ctrl alone.
        QList<int> masks;
        for (Qt::KeyboardModifiers m : QList<Qt::KeyboardModifiers> { Qt::NoModifier, Qt::ShiftModifier,
                 Qt::ControlModifier | Qt::KeypadModifier, Qt::AltModifier, Qt::ControlModifier | Qt::MetaModifier })
            masks.append(ShiftMaskFromQt(m));
        QCOMPARE(masks, (QList<int> { 0, 1, 2, 4, 2 }));
    }
};

QTEST_GUILESS_MAIN(TestKeyMap)
#include "tst_keymap.moc"
