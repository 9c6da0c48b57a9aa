#include "shell/skinbuttonset.h"

#include "tests/support/widgetevents.h"

#include <QSignalSpy>
#include <QSvgRenderer>
#include <QTest>

using Group = SkinButtonSet::Group;
Q_DECLARE_METATYPE(SkinButtonSet::Group)

// The skin buttons' pictures, hover flags, clicks and the single-loop button's swapped pictures.
class TestSkinButtonSet : public QObject {
    Q_OBJECT
private slots:
    void everyPictureLoads()
    {
        QStringList names { u"BIGOPENBTN"_qs, u"SOUNDBTN0"_qs, u"SOUNDBTN1"_qs, u"FINDBTN0"_qs }, wrong;
        for (const auto& [group, count] :
            { std::pair { "PLBTN", 13 }, std::pair { "LISTBTN", 4 }, std::pair { "WINBTN", 3 } }) {
            for (int i = 0; i < count; ++i)
                names.append(QLatin1String(group) + QString::number(i));
        }
        for (const QString& name : names) {
            for (const char* state : { "_NORMAL", "_OVER", "_DOWN" }) {
                if (!QSvgRenderer(u":/skin/%1%2.svg"_qs.arg(name, QLatin1String(state))).isValid())
                    wrong << name + QLatin1String(state);
            }
        }
        QCOMPARE(wrong, QStringList());
    }
    void hoverPressAndClick()
    {
        QWidget parent;
        auto* set = new SkinButtonSet(&parent);
        for (auto [group, count] : { std::pair { Group::Transport, 13 }, std::pair { Group::ListTools, 4 },
                 std::pair { Group::Window, 3 }, std::pair { Group::BigOpen, 1 } }) {
            for (int i = 0; i < count; ++i)
                set->addButton(group, new SkinButton(i, &parent)), set->button(group, i)->resize(24, 24);
        }
        set->showAllNormal();
        const auto hot
            = [&] { return u"%1%2%3"_qs.arg(set->PlayerBtnsHot()).arg(set->ListBtnHot()).arg(set->WinBtnsHot()); };
        // Hovering makes a group hot; the big open button has no flag; a reset brings hidden buttons back too.
        for (auto [group, index, flags] : { std::tuple { Group::ListTools, 3, "010" },
                 std::tuple { Group::Window, 2, "001" }, std::tuple { Group::BigOpen, 0, "000" } }) {
            SkinButton* b = set->button(group, index);
            SendMouse(b, QEvent::MouseMove);
            QVERIFY(b->pictureName().endsWith(u"_OVER"));
            QCOMPARE(hot(), QLatin1String(flags));
            b->hide();
            set->ResetAllBtnIcon();
            QVERIFY(b->pictureName().endsWith(u"_NORMAL"));
            QCOMPARE(hot(), u"000"_qs);
        }
        QSignalSpy clicks(set, &SkinButtonSet::clicked);
        SkinButton* next = set->button(Group::Transport, 4);
        SendMouse(next, QEvent::MouseMove);
        SendMouse(next, QEvent::MouseButtonPress, Qt::RightButton); // any button shows Down
        QCOMPARE(next->pictureName(), u"PLBTN4_DOWN"_qs);
        SendMouse(next, QEvent::MouseButtonRelease, Qt::RightButton);
        QCOMPARE(next->pictureName(), u"PLBTN4_NORMAL"_qs); // though the pointer is still there
        SendMouse(next, QEvent::MouseButtonPress, Qt::LeftButton);
        SendMouse(next, QEvent::MouseButtonRelease, Qt::LeftButton, QPoint(40, 3)); // released off the button
        QCOMPARE(clicks.count(), 0);
        SendMouse(next, QEvent::MouseButtonPress, Qt::LeftButton);
        SendMouse(next, QEvent::MouseButtonRelease, Qt::LeftButton);
        QCOMPARE(clicks.count(), 1);
        QCOMPARE(clicks.at(0).at(0).value<Group>(), Group::Transport);
        QCOMPARE(clicks.at(0).at(1).toInt(), 4);
        // Single loop swapped from the keyboard: at rest it looks pressed, and held it looks normal.
        SkinButton* loop = set->button(Group::Transport, 12);
        const auto atRest = [&] {
            SendMouse(loop, QEvent::MouseMove);
            set->ResetAllBtnIcon();
            return loop->pictureName();
        };
        set->ExchangeSingleLoopPictures();
        QCOMPARE(atRest(), u"PLBTN12_DOWN"_qs);
        SendMouse(loop, QEvent::MouseButtonPress, Qt::LeftButton);
        QCOMPARE(loop->pictureName(), u"PLBTN12_NORMAL"_qs);
        SendMouse(loop, QEvent::MouseButtonRelease, Qt::LeftButton);
        set->ExchangeSingleLoopPictures();
        QCOMPARE(atRest(), u"PLBTN12_NORMAL"_qs);
    }
};

QTEST_MAIN(TestSkinButtonSet)
#include "tst_skinbuttonset.moc"
