#include "playback/keymap.h"
#include "tests/support/texttablerow.h"

#include <QTest>

// The two shortcut tables: Ctrl alone selects the first, every other modifier state the second. The keys
// the transport acts on are checked with it; these rows are the modifier states it does not try.
class TestKeyMap : public QObject {
    Q_OBJECT
private slots:
    // "key shift-mask => action (0 none, 3 rewind, 4 fast-forward, 5 pause or resume, 7 previous) consumed"
    void mapKey_data()
    {
        TextTable(uR"(
ctrl+left rewinds: 37 2 => 3 1
ctrl+space does nothing: 32 2 => 0 0
alt+space pauses or resumes: 32 4 => 5 1
ctrl+shift+right fast-forwards: 39 3 => 4 1
page up goes back a movie, not up the list: 33 0 => 7 1
)"_qs);
    }
    void mapKey()
    {
        const auto [given, expected] = TextRow();
        const KeyBinding binding = MapKey(given.section(u' ', 0, 0).toInt(), given.section(u' ', 1).toInt());
        QCOMPARE(u"%1 %2"_qs.arg(int(binding.action)).arg(int(binding.consumed)), expected);
    }
    void fromQt()
    {
        const QList<int> keys { Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space, Qt::Key_PageUp, Qt::Key_PageDown,
            Qt::Key_Left, Qt::Key_Right, Qt::Key_F2, Qt::Key_A, Qt::Key_Z, Qt::Key_0, Qt::Key_9, Qt::Key_Escape };
        QList<int> codes;
        for (int key : keys)
            codes.append(VirtualKeyFromQt(key));
        QCOMPARE(codes, (QList<int> { 13, 13, 32, 33, 34, 37, 39, 113, 65, 90, 48, 57, 0 }));
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
