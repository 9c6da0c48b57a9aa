#include "shell/skinbuttonset.h"

#include <QMouseEvent>
#include <QSignalSpy>
#include <QSvgRenderer>
#include <QTest>
#include <memory>

using Group = SkinButtonSet::Group;
Q_DECLARE_METATYPE(SkinButtonSet::Group)

class TestSkinButtonSet : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void everyPictureExistsAtItsSize_data();
    void everyPictureExistsAtItsSize();
    void hover_showsOverAndSetsOnlyItsGroupsFlag_data();
    void hover_showsOverAndSetsOnlyItsGroupsFlag();
    void press_anyMouseButton_showsDownThenNormal_data();
    void press_anyMouseButton_showsDownThenNormal();
    void click_onlyLeftReleaseInside();
    void disabledStop_ignoresHoverPressAndClick();
    void reset_returnsHotGroupsToNormal_data();
    void reset_returnsHotGroupsToNormal();
    void reset_withNothingHot_touchesOnlyTheBigOpenButton();
    void singleLoop_exchangeTwice_leavesPicturesAsTheyWere();
    void singleLoop_exchangeBeforeAnyPress_stillSwaps();
    void pictures_decodedOnceEach();

private:
    void sendMouse(QWidget* target, QEvent::Type type, Qt::MouseButton button = Qt::NoButton, QPoint at = { 3, 3 });
    SkinButton* button(Group group, int index = 0) const { return m_set->button(group, index); }

    std::unique_ptr<QWidget> m_parent;
    SkinButtonSet* m_set = nullptr;
};

void TestSkinButtonSet::init()
{
    m_parent = std::make_unique<QWidget>();
    m_set = new SkinButtonSet(m_parent.get());
    const QList<QPair<Group, int>> groups { { Group::Transport, 13 }, { Group::ListTools, 4 }, { Group::Window, 3 },
        { Group::BigOpen, 1 } };
    for (const auto& [group, count] : groups) {
        for (int i = 0; i < count; ++i) {
            auto* b = new SkinButton(i, m_parent.get());
            b->resize(24, 24);
            m_set->addButton(group, b);
        }
    }
    m_set->showAllNormal();
}

void TestSkinButtonSet::cleanup()
{
    m_parent.reset();
}

void TestSkinButtonSet::sendMouse(QWidget* target, QEvent::Type type, Qt::MouseButton button, QPoint at)
{
    const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? Qt::MouseButtons(button) : Qt::NoButton;
    QMouseEvent event(type, QPointF(at), QPointF(target->mapToGlobal(at)), button, held, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

void TestSkinButtonSet::everyPictureExistsAtItsSize_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QSize>("size");
    const QStringList states { QStringLiteral("_NORMAL"), QStringLiteral("_OVER"), QStringLiteral("_DOWN") };
    for (const QString& state : states) {
        for (int i = 0; i <= 12; ++i) {
            const QString name = QStringLiteral("PLBTN") + QString::number(i) + state;
            QTest::newRow(qPrintable(name)) << name << (i < 2 ? QSize(40, 40) : QSize(24, 24));
        }
        for (int i = 0; i <= 3; ++i) {
            const QString name = QStringLiteral("LISTBTN") + QString::number(i) + state;
            QTest::newRow(qPrintable(name)) << name << QSize(24, 24);
        }
        for (int i = 0; i <= 2; ++i) {
            const QString name = QStringLiteral("WINBTN") + QString::number(i) + state;
            QTest::newRow(qPrintable(name)) << name << QSize(24, 24);
        }
        const QString name = QStringLiteral("BIGOPENBTN") + state;
        QTest::newRow(qPrintable(name)) << name << QSize(150, 31);
    }
}

void TestSkinButtonSet::everyPictureExistsAtItsSize()
{
    QFETCH(QString, name);
    QFETCH(QSize, size);
    QSvgRenderer renderer(QStringLiteral(":/skin/") + name + u".svg");
    QVERIFY2(renderer.isValid(), qPrintable(name));
    QCOMPARE(renderer.defaultSize(), size);
}

void TestSkinButtonSet::hover_showsOverAndSetsOnlyItsGroupsFlag_data()
{
    QTest::addColumn<Group>("group");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("picture");
    QTest::addColumn<QString>("hotFlags"); // transport, list, window
    QTest::newRow("transport play") << Group::Transport << 0 << "PLBTN0_OVER"
                                    << "100";
    QTest::newRow("transport about") << Group::Transport << 10 << "PLBTN10_OVER"
                                     << "100";
    QTest::newRow("list file menu") << Group::ListTools << 3 << "LISTBTN3_OVER"
                                    << "010";
    QTest::newRow("close") << Group::Window << 2 << "WINBTN2_OVER"
                           << "001";
    QTest::newRow("big open has no flag") << Group::BigOpen << 0 << "BIGOPENBTN_OVER"
                                          << "000";
}

void TestSkinButtonSet::hover_showsOverAndSetsOnlyItsGroupsFlag()
{
    QFETCH(Group, group);
    QFETCH(int, index);
    QFETCH(QString, picture);
    QFETCH(QString, hotFlags);
    sendMouse(button(group, index), QEvent::MouseMove);
    QCOMPARE(button(group, index)->pictureName(), picture);
    const QString flags = QString::number(m_set->PlayerBtnsHot()) + QString::number(m_set->ListBtnHot())
        + QString::number(m_set->WinBtnsHot());
    QCOMPARE(flags, hotFlags);
}

void TestSkinButtonSet::press_anyMouseButton_showsDownThenNormal_data()
{
    QTest::addColumn<Qt::MouseButton>("mouseButton");
    QTest::newRow("left") << Qt::LeftButton;
    QTest::newRow("right") << Qt::RightButton;
    QTest::newRow("middle") << Qt::MiddleButton;
}

void TestSkinButtonSet::press_anyMouseButton_showsDownThenNormal()
{
    QFETCH(Qt::MouseButton, mouseButton);
    SkinButton* open = button(Group::Transport, 3);
    sendMouse(open, QEvent::MouseMove);
    sendMouse(open, QEvent::MouseButtonPress, mouseButton);
    QCOMPARE(open->pictureName(), QStringLiteral("PLBTN3_DOWN"));
    sendMouse(open, QEvent::MouseButtonRelease, mouseButton);
    // Normal although the pointer is still there; pressing does not clear the hot flag.
    QCOMPARE(open->pictureName(), QStringLiteral("PLBTN3_NORMAL"));
    QVERIFY(m_set->PlayerBtnsHot());
    sendMouse(open, QEvent::MouseMove);
    QCOMPARE(open->pictureName(), QStringLiteral("PLBTN3_OVER"));
}

void TestSkinButtonSet::click_onlyLeftReleaseInside()
{
    QSignalSpy clicks(m_set, &SkinButtonSet::clicked);
    SkinButton* next = button(Group::Transport, 4);
    sendMouse(next, QEvent::MouseButtonPress, Qt::RightButton);
    sendMouse(next, QEvent::MouseButtonRelease, Qt::RightButton);
    QCOMPARE(clicks.count(), 0);
    sendMouse(next, QEvent::MouseButtonPress, Qt::LeftButton);
    sendMouse(next, QEvent::MouseButtonRelease, Qt::LeftButton, QPoint(40, 3)); // dragged off the button
    QCOMPARE(clicks.count(), 0);
    sendMouse(next, QEvent::MouseButtonPress, Qt::LeftButton);
    sendMouse(next, QEvent::MouseButtonRelease, Qt::LeftButton);
    QCOMPARE(clicks.count(), 1);
    QCOMPARE(clicks.at(0).at(0).value<Group>(), Group::Transport);
    QCOMPARE(clicks.at(0).at(1).toInt(), 4);
}

void TestSkinButtonSet::disabledStop_ignoresHoverPressAndClick()
{
    QSignalSpy clicks(m_set, &SkinButtonSet::clicked);
    SkinButton* stop = button(Group::Transport, 2);
    stop->setEnabled(false);
    sendMouse(stop, QEvent::MouseMove);
    QCOMPARE(stop->pictureName(), QStringLiteral("PLBTN2_NORMAL"));
    QVERIFY(!m_set->PlayerBtnsHot());
    sendMouse(stop, QEvent::MouseButtonPress, Qt::LeftButton);
    QCOMPARE(stop->pictureName(), QStringLiteral("PLBTN2_NORMAL"));
    sendMouse(stop, QEvent::MouseButtonRelease, Qt::LeftButton);
    QCOMPARE(clicks.count(), 0);
    // Enabled again, it hovers as any other.
    stop->setEnabled(true);
    sendMouse(stop, QEvent::MouseMove);
    QCOMPARE(stop->pictureName(), QStringLiteral("PLBTN2_OVER"));
}

void TestSkinButtonSet::reset_returnsHotGroupsToNormal_data()
{
    QTest::addColumn<Group>("group");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("prefix");
    QTest::newRow("transport") << Group::Transport << 13 << "PLBTN";
    QTest::newRow("list tools") << Group::ListTools << 4 << "LISTBTN";
    QTest::newRow("window") << Group::Window << 3 << "WINBTN";
}

void TestSkinButtonSet::reset_returnsHotGroupsToNormal()
{
    QFETCH(Group, group);
    QFETCH(int, count);
    QFETCH(QString, prefix);
    // Hover every button of the group, one of them hidden meanwhile, and the big open button.
    for (int i = 0; i < count; ++i)
        sendMouse(button(group, i), QEvent::MouseMove);
    button(group, 1)->hide();
    sendMouse(button(Group::BigOpen), QEvent::MouseMove);
    m_set->ResetAllBtnIcon();
    for (int i = 0; i < count; ++i)
        QCOMPARE(button(group, i)->pictureName(), prefix + QString::number(i) + u"_NORMAL");
    QCOMPARE(button(Group::BigOpen)->pictureName(), QStringLiteral("BIGOPENBTN_NORMAL"));
    QVERIFY(!m_set->PlayerBtnsHot());
    QVERIFY(!m_set->ListBtnHot());
    QVERIFY(!m_set->WinBtnsHot());
}

void TestSkinButtonSet::reset_withNothingHot_touchesOnlyTheBigOpenButton()
{
    SkinButton* close = button(Group::Window, 2);
    sendMouse(close, QEvent::MouseMove);
    m_set->ResetAllBtnIcon();
    // A press leaves Down on screen without making the group hot; a reset with the flag down skips it.
    sendMouse(close, QEvent::MouseButtonPress, Qt::LeftButton);
    sendMouse(button(Group::BigOpen), QEvent::MouseMove);
    m_set->ResetAllBtnIcon();
    QCOMPARE(close->pictureName(), QStringLiteral("WINBTN2_DOWN"));
    QCOMPARE(button(Group::BigOpen)->pictureName(), QStringLiteral("BIGOPENBTN_NORMAL"));
}

void TestSkinButtonSet::singleLoop_exchangeTwice_leavesPicturesAsTheyWere()
{
    SkinButton* loop = button(Group::Transport, 12);
    auto clickLoop = [&] {
        sendMouse(loop, QEvent::MouseMove);
        sendMouse(loop, QEvent::MouseButtonPress, Qt::LeftButton);
        sendMouse(loop, QEvent::MouseButtonRelease, Qt::LeftButton);
    };
    clickLoop();
    m_set->ExchangeSingleLoopPictures(); // loop on
    QCOMPARE(m_set->pictures(Group::Transport, 12).Normal.name, QStringLiteral("PLBTN12_DOWN"));
    QCOMPARE(m_set->pictures(Group::Transport, 12).Down.name, QStringLiteral("PLBTN12_NORMAL"));
    // The screen changes at the next hover and reset: at rest the button looks pressed.
    sendMouse(loop, QEvent::MouseMove);
    m_set->ResetAllBtnIcon();
    QCOMPARE(loop->pictureName(), QStringLiteral("PLBTN12_DOWN"));
    // Held while the loop is on, it shows the normal picture.
    sendMouse(loop, QEvent::MouseButtonPress, Qt::LeftButton);
    QCOMPARE(loop->pictureName(), QStringLiteral("PLBTN12_NORMAL"));
    sendMouse(loop, QEvent::MouseButtonRelease, Qt::LeftButton);
    m_set->ExchangeSingleLoopPictures(); // loop off
    QCOMPARE(m_set->pictures(Group::Transport, 12).Normal.name, QStringLiteral("PLBTN12_NORMAL"));
    QCOMPARE(m_set->pictures(Group::Transport, 12).Down.name, QStringLiteral("PLBTN12_DOWN"));
    sendMouse(loop, QEvent::MouseMove);
    m_set->ResetAllBtnIcon();
    QCOMPARE(loop->pictureName(), QStringLiteral("PLBTN12_NORMAL"));
}

void TestSkinButtonSet::singleLoop_exchangeBeforeAnyPress_stillSwaps()
{
    // A toggle from the keyboard comes without a press on the button.
    m_set->ExchangeSingleLoopPictures();
    QCOMPARE(m_set->pictures(Group::Transport, 12).Normal.name, QStringLiteral("PLBTN12_DOWN"));
    QVERIFY(!m_set->pictures(Group::Transport, 12).Down.isNull());
    sendMouse(button(Group::Transport, 12), QEvent::MouseMove);
    m_set->ResetAllBtnIcon();
    QCOMPARE(button(Group::Transport, 12)->pictureName(), QStringLiteral("PLBTN12_DOWN"));
}

void TestSkinButtonSet::pictures_decodedOnceEach()
{
    // All 21 normal pictures are on show from the start.
    QCOMPARE(m_set->picturesLoaded(), 21);
    SkinButton* rewind = button(Group::Transport, 7);
    for (int round = 0; round < 3; ++round) {
        sendMouse(rewind, QEvent::MouseMove);
        sendMouse(rewind, QEvent::MouseButtonPress, Qt::LeftButton);
        sendMouse(rewind, QEvent::MouseButtonRelease, Qt::LeftButton);
        m_set->ResetAllBtnIcon();
    }
    QCOMPARE(m_set->picturesLoaded(), 23);
}

QTEST_MAIN(TestSkinButtonSet)
#include "tst_skinbuttonset.moc"
