#include "playback/keymap.h"

#include <QTest>

Q_DECLARE_METATYPE(KeyAction)

// The two shortcut tables: Ctrl alone selects the first, every other modifier state the second.
class TestKeyMap : public QObject {
    Q_OBJECT
private slots:
    void mapKey_followsTheTwoExclusiveTables_data();
    void mapKey_followsTheTwoExclusiveTables();
    void virtualKeyFromQt_data();
    void virtualKeyFromQt();
    void shiftMaskFromQt_data();
    void shiftMaskFromQt();
};

void TestKeyMap::mapKey_followsTheTwoExclusiveTables_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("shift");
    QTest::addColumn<KeyAction>("action");
    QTest::addColumn<bool>("consumed");
    const int none = 0, shift = 1, ctrl = 2, alt = 4;
    // Ctrl alone
    QTest::newRow("ctrl+O opens files and passes the key on") << 79 << ctrl << KeyAction::OpenFiles << false;
    QTest::newRow("ctrl+enter toggles full screen") << 13 << ctrl << KeyAction::FullScreen << true;
    QTest::newRow("ctrl+left rewinds") << 37 << ctrl << KeyAction::Rewind << true;
    QTest::newRow("ctrl+right fast-forwards") << 39 << ctrl << KeyAction::FastForward << true;
    QTest::newRow("ctrl+space does nothing") << 32 << ctrl << KeyAction::None << false;
    QTest::newRow("ctrl+page down does nothing") << 34 << ctrl << KeyAction::None << false;
    QTest::newRow("ctrl+page up does nothing") << 33 << ctrl << KeyAction::None << false;
    QTest::newRow("ctrl+F2 does nothing") << 113 << ctrl << KeyAction::None << false;
    // Every other modifier state
    QTest::newRow("space pauses or resumes") << 32 << none << KeyAction::PauseOrResume << true;
    QTest::newRow("shift+space pauses or resumes") << 32 << shift << KeyAction::PauseOrResume << true;
    QTest::newRow("alt+space pauses or resumes") << 32 << alt << KeyAction::PauseOrResume << true;
    QTest::newRow("left rewinds") << 37 << none << KeyAction::Rewind << true;
    QTest::newRow("right fast-forwards") << 39 << none << KeyAction::FastForward << true;
    QTest::newRow("ctrl+shift+right fast-forwards") << 39 << (ctrl | shift) << KeyAction::FastForward << true;
    QTest::newRow("page down plays the next row") << 34 << none << KeyAction::Next << true;
    QTest::newRow("page up plays the previous row") << 33 << none << KeyAction::Previous << true;
    QTest::newRow("F2 opens the options and passes the key on") << 113 << none << KeyAction::Options << false;
    QTest::newRow("O alone does nothing") << 79 << none << KeyAction::None << false;
    QTest::newRow("ctrl+shift+O does nothing") << 79 << (ctrl | shift) << KeyAction::None << false;
    QTest::newRow("enter alone does nothing") << 13 << none << KeyAction::None << false;
    QTest::newRow("ctrl+alt+enter does nothing") << 13 << (ctrl | alt) << KeyAction::None << false;
    QTest::newRow("escape is not a shortcut") << 27 << none << KeyAction::None << false;
    QTest::newRow("ctrl+escape is not a shortcut") << 27 << ctrl << KeyAction::None << false;
    QTest::newRow("a consumed key code 0 does nothing") << 0 << none << KeyAction::None << false;
}

void TestKeyMap::mapKey_followsTheTwoExclusiveTables()
{
    QFETCH(int, key);
    QFETCH(int, shift);
    QFETCH(KeyAction, action);
    QFETCH(bool, consumed);
    const KeyBinding binding = MapKey(key, shift);
    QCOMPARE(binding.action, action);
    QCOMPARE(binding.consumed, consumed);
}

void TestKeyMap::virtualKeyFromQt_data()
{
    QTest::addColumn<int>("qtKey");
    QTest::addColumn<int>("code");
    QTest::newRow("return") << int(Qt::Key_Return) << 13;
    QTest::newRow("keypad enter") << int(Qt::Key_Enter) << 13;
    QTest::newRow("space") << int(Qt::Key_Space) << 32;
    QTest::newRow("page up") << int(Qt::Key_PageUp) << 33;
    QTest::newRow("page down") << int(Qt::Key_PageDown) << 34;
    QTest::newRow("left") << int(Qt::Key_Left) << 37;
    QTest::newRow("right") << int(Qt::Key_Right) << 39;
    QTest::newRow("O") << int(Qt::Key_O) << 79;
    QTest::newRow("F2") << int(Qt::Key_F2) << 113;
    QTest::newRow("a digit keeps its code") << int(Qt::Key_7) << 55;
    QTest::newRow("escape has none here") << int(Qt::Key_Escape) << 0;
    QTest::newRow("up has none here") << int(Qt::Key_Up) << 0;
    QTest::newRow("F3 has none here") << int(Qt::Key_F3) << 0;
}

void TestKeyMap::virtualKeyFromQt()
{
    QFETCH(int, qtKey);
    QFETCH(int, code);
    QCOMPARE(VirtualKeyFromQt(qtKey), code);
}

void TestKeyMap::shiftMaskFromQt_data()
{
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("mask");
    QTest::newRow("none") << int(Qt::NoModifier) << 0;
    QTest::newRow("shift") << int(Qt::ShiftModifier) << 1;
    QTest::newRow("ctrl") << int(Qt::ControlModifier) << 2;
    QTest::newRow("alt") << int(Qt::AltModifier) << 4;
    QTest::newRow("ctrl+shift") << int(Qt::ControlModifier | Qt::ShiftModifier) << 3;
    QTest::newRow("ctrl on the keypad is still ctrl alone") << int(Qt::ControlModifier | Qt::KeypadModifier) << 2;
    QTest::newRow("meta is not a modifier here") << int(Qt::MetaModifier | Qt::ControlModifier) << 2;
}

void TestKeyMap::shiftMaskFromQt()
{
    QFETCH(int, modifiers);
    QFETCH(int, mask);
    QCOMPARE(ShiftMaskFromQt(Qt::KeyboardModifiers(modifiers)), mask);
}

QTEST_GUILESS_MAIN(TestKeyMap)
#include "tst_keymap.moc"
