#pragma once

#include "shell/skinbutton.h"

#include <QList>
#include <QObject>
#include <array>

// The three cached pictures of one button, filled on first use and kept for the whole run.
struct ButtonPictures {
    SkinPicture Normal;
    SkinPicture Down;
    SkinPicture Over;
};

// The skin's button groups: the hover, press and release pictures, the hot flags that let the background
// put hovered buttons back cheaply, and the single-loop button's on/off look.
class SkinButtonSet : public QObject {
    Q_OBJECT
public:
    // Sound: 0 the speaker, 1 the muted speaker in the same place. Find: 0 the list's filter.
    enum class Group { Transport, ListTools, Window, BigOpen, Sound, Find };
    enum class State { Normal, Down, Over };

    explicit SkinButtonSet(QObject* parent = nullptr);

    // Buttons are registered once, in index order; the set connects to their mouse signals.
    void addButton(Group group, SkinButton* button);
    SkinButton* button(Group group, int index = 0) const;

    // Returns every hovered button to its normal picture; the big open button always.
    void ResetAllBtnIcon();
    // The single-loop button rests on its pressed picture while the loop is on: each toggle swaps its
    // normal and pressed slots. The screen changes at the next hover and reset.
    void ExchangeSingleLoopPictures();
    // The background of the logo panel puts the big open button back, hovered or not.
    void showBigOpenNormal();
    // Shows the normal picture on every button (the look at start).
    void showAllNormal();

    bool PlayerBtnsHot() const { return m_hot[0]; }
    bool ListBtnHot() const { return m_hot[1]; }
    bool WinBtnsHot() const { return m_hot[2]; }
    const ButtonPictures& pictures(Group group, int index = 0) const;
    // How many pictures have been decoded so far; each slot is filled at most once.
    int picturesLoaded() const { return m_loaded; }

    static QString resourceName(Group group, int index, State state);

signals:
    void clicked(SkinButtonSet::Group group, int index);

private:
    struct GroupData {
        QList<SkinButton*> buttons;
        QList<ButtonPictures> pictures;
    };

    void hover(Group group, int index);
    void press(Group group, int index);
    void release(Group group, int index);
    void show(Group group, int index, State state);
    const SkinPicture& picture(Group group, int index, State state);
    bool acceptsMouse(Group group, int index) const;

    std::array<GroupData, 6> m_groups;
    std::array<bool, 6> m_hot {}; // by group; the big open button's stays false
    int m_loaded = 0;
};
