#include "shell/skinbuttonset.h"

#include <QMouseEvent>
#include <QSignalSpy>
#include <QSvgRenderer>
#include <QTest>
#include <memory>

using Group = SkinButtonSet::Group;
Q_DECLARE_METATYPE(SkinButtonSet::Group)

// The skin buttons' pictures, hover flags, clicks and the single-loop button's swapped pictures.
class TestSkinButtonSet : public QObject {
    Q_OBJECT
private slots:
    void init();
    void everyPictureExistsAtItsSize();
    void hover_data();
    void hover();
    void pressAndClick();
    void singleLoopSwap();

private:
    static void send(QWidget* target, QEvent::Type type, Qt::MouseButton button = Qt::NoButton, QPoint at = { 3, 3 })
    {
        QMouseEvent e(type, QPointF(at), QPointF(target->mapToGlobal(at)), button,
            type == QEvent::MouseButtonPress ? Qt::MouseButtons(button) : Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(target, &e);
    }
    static void click(QWidget* target, Qt::MouseButton button = Qt::LeftButton, QPoint releaseAt = { 3, 3 })
    {
        send(target, QEvent::MouseButtonPress, button);
        send(target, QEvent::MouseButtonRelease, button, releaseAt);
    }
    SkinButton* button(Group group, int index = 0) const { return m_set->button(group, index); }
    QString hotFlags() const
    {
        return QString::number(m_set->PlayerBtnsHot()) + QString::number(m_set->ListBtnHot())
            + QString::number(m_set->WinBtnsHot());
    }
    std::unique_ptr<QWidget> m_parent;
    SkinButtonSet* m_set = nullptr;
};

void TestSkinButtonSet::init()
{
    m_parent = std::make_unique<QWidget>();
    m_set = new SkinButtonSet(m_parent.get());
    for (auto [group, count] : { std::pair { Group::Transport, 13 }, std::pair { Group::ListTools, 4 },
             std::pair { Group::Window, 3 }, std::pair { Group::BigOpen, 1 } }) {
        for (int i = 0; i < count; ++i) {
            auto* b = new SkinButton(i, m_parent.get());
            b->resize(24, 24);
            m_set->addButton(group, b);
        }
    }
    m_set->showAllNormal();
}

void TestSkinButtonSet::everyPictureExistsAtItsSize()
{
    QStringList wrong;
    for (const char* state : { "_NORMAL", "_OVER", "_DOWN" }) {
        QList<QPair<QString, QSize>> pictures { { QStringLiteral("BIGOPENBTN"), QSize(150, 31) } };
        for (int i = 0; i <= 12; ++i)
            pictures.append({ QStringLiteral("PLBTN%1").arg(i), i < 2 ? QSize(40, 40) : QSize(24, 24) });
        for (int i = 0; i <= 3; ++i)
            pictures.append({ QStringLiteral("LISTBTN%1").arg(i), QSize(24, 24) });
        for (int i = 0; i <= 2; ++i)
            pictures.append({ QStringLiteral("WINBTN%1").arg(i), QSize(24, 24) });
        for (const auto& [name, size] : pictures) {
            QSvgRenderer renderer(QStringLiteral(":/skin/%1%2.svg").arg(name, QLatin1String(state)));
            if (!renderer.isValid() || renderer.defaultSize() != size)
                wrong.append(name + QLatin1String(state));
        }
    }
    QCOMPARE(wrong, QStringList());
}

void TestSkinButtonSet::hover_data()
{
    QTest::addColumn<Group>("group");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("picture");
    QTest::addColumn<QString>("hotFlags"); // transport, list, window
    QTest::newRow("transport about") << Group::Transport << 10 << "PLBTN10_OVER"
                                     << "100";
    QTest::newRow("list file menu") << Group::ListTools << 3 << "LISTBTN3_OVER"
                                    << "010";
    QTest::newRow("close") << Group::Window << 2 << "WINBTN2_OVER"
                           << "001";
    QTest::newRow("big open has no flag") << Group::BigOpen << 0 << "BIGOPENBTN_OVER"
                                          << "000";
}

void TestSkinButtonSet::hover()
{
    QFETCH(Group, group);
    QFETCH(int, index);
    QFETCH(QString, picture);
    QFETCH(QString, hotFlags);
    send(button(group, index), QEvent::MouseMove);
    QCOMPARE(button(group, index)->pictureName(), picture);
    QCOMPARE(this->hotFlags(), hotFlags);
    // A reset brings every hot group back to normal, hidden buttons too, and the big open button.
    SkinButton* other = group == Group::BigOpen ? nullptr : button(group, index ? 0 : 1);
    if (other) {
        send(other, QEvent::MouseMove);
        other->hide();
    }
    m_set->ResetAllBtnIcon();
    QCOMPARE(button(group, index)->pictureName(), QString(picture).replace(QStringLiteral("_OVER"), u"_NORMAL"_qs));
    QVERIFY(!other || other->pictureName().endsWith(u"_NORMAL"));
    QCOMPARE(this->hotFlags(), QStringLiteral("000"));
}

void TestSkinButtonSet::pressAndClick()
{
    QSignalSpy clicks(m_set, &SkinButtonSet::clicked);
    SkinButton* next = button(Group::Transport, 4);
    send(next, QEvent::MouseMove);
    send(next, QEvent::MouseButtonPress, Qt::RightButton); // any button shows Down
    QCOMPARE(next->pictureName(), QStringLiteral("PLBTN4_DOWN"));
    send(next, QEvent::MouseButtonRelease, Qt::RightButton);
    QCOMPARE(next->pictureName(), QStringLiteral("PLBTN4_NORMAL")); // though the pointer is still there
    QVERIFY(m_set->PlayerBtnsHot());
    click(next, Qt::LeftButton, QPoint(40, 3)); // released off the button
    QCOMPARE(clicks.count(), 0);
    click(next);
    QCOMPARE(clicks.count(), 1);
    QCOMPARE(clicks.at(0).at(0).value<Group>(), Group::Transport);
    QCOMPARE(clicks.at(0).at(1).toInt(), 4);
    // A disabled button ignores hover, press and click.
    SkinButton* stop = button(Group::Transport, 2);
    stop->setEnabled(false);
    m_set->ResetAllBtnIcon();
    send(stop, QEvent::MouseMove);
    click(stop);
    QCOMPARE(stop->pictureName(), QStringLiteral("PLBTN2_NORMAL"));
    QVERIFY(!m_set->PlayerBtnsHot());
    QCOMPARE(clicks.count(), 1);
    // A press leaves Down on screen without making the group hot; a reset with the flag down skips it.
    send(button(Group::Window, 2), QEvent::MouseButtonPress, Qt::LeftButton);
    m_set->ResetAllBtnIcon();
    QCOMPARE(button(Group::Window, 2)->pictureName(), QStringLiteral("WINBTN2_DOWN"));
}

void TestSkinButtonSet::singleLoopSwap()
{
    SkinButton* loop = button(Group::Transport, 12);
    const auto atRest = [&] {
        send(loop, QEvent::MouseMove);
        m_set->ResetAllBtnIcon();
        return loop->pictureName();
    };
    // From the keyboard, before any press: at rest the button looks pressed, and held it looks normal.
    m_set->ExchangeSingleLoopPictures();
    QCOMPARE(atRest(), QStringLiteral("PLBTN12_DOWN"));
    send(loop, QEvent::MouseButtonPress, Qt::LeftButton);
    QCOMPARE(loop->pictureName(), QStringLiteral("PLBTN12_NORMAL"));
    send(loop, QEvent::MouseButtonRelease, Qt::LeftButton);
    m_set->ExchangeSingleLoopPictures();
    QCOMPARE(atRest(), QStringLiteral("PLBTN12_NORMAL"));
    // Every picture is decoded once: the 21 normal ones at the start, then Over and Down of this one.
    QCOMPARE(m_set->picturesLoaded(), 23);
}

QTEST_MAIN(TestSkinButtonSet)
#include "tst_skinbuttonset.moc"
