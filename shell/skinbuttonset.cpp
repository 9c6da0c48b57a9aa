#include "shell/skinbuttonset.h"

namespace {
constexpr int SingleLoopIndex = 12;

int Slot(SkinButtonSet::Group group)
{
    return static_cast<int>(group);
}
} // namespace

SkinButtonSet::SkinButtonSet(QObject* parent) : QObject(parent)
{
}

QString SkinButtonSet::resourceName(Group group, int index, State state)
{
    QString name;
    switch (group) {
    case Group::Transport:
        name = QStringLiteral("PLBTN") + QString::number(index);
        break;
    case Group::ListTools:
        name = QStringLiteral("LISTBTN") + QString::number(index);
        break;
    case Group::Window:
        name = QStringLiteral("WINBTN") + QString::number(index);
        break;
    case Group::BigOpen:
        name = QStringLiteral("BIGOPENBTN");
        break;
    case Group::Sound:
        name = QStringLiteral("SOUNDBTN") + QString::number(index);
        break;
    case Group::Find:
        name = QStringLiteral("FINDBTN") + QString::number(index);
        break;
    }
    switch (state) {
    case State::Normal:
        return name + u"_NORMAL";
    case State::Down:
        return name + u"_DOWN";
    case State::Over:
        return name + u"_OVER";
    }
    return name;
}

void SkinButtonSet::addButton(Group group, SkinButton* button)
{
    GroupData& data = m_groups[Slot(group)];
    Q_ASSERT(button->index() == (group == Group::BigOpen ? 0 : data.buttons.size()));
    data.buttons.append(button);
    data.pictures.append(ButtonPictures {});
    // The list file menu button and the big open button keep the arrow; the others show the hand.
    const bool arrow = group == Group::BigOpen || (group == Group::ListTools && button->index() == 3);
    if (!arrow)
        button->setCursor(Qt::PointingHandCursor);
    connect(button, &SkinButton::mouseMove, this, [this, group](int i) { hover(group, i); });
    connect(button, &SkinButton::mouseDown, this, [this, group](int i) { press(group, i); });
    connect(button, &SkinButton::mouseUp, this, [this, group](int i) { release(group, i); });
    connect(button, &SkinButton::clicked, this, [this, group](int i) {
        if (acceptsMouse(group, i))
            emit clicked(group, i);
    });
}

SkinButton* SkinButtonSet::button(Group group, int index) const
{
    return m_groups[Slot(group)].buttons.value(index);
}

const ButtonPictures& SkinButtonSet::pictures(Group group, int index) const
{
    return m_groups[Slot(group)].pictures.at(index);
}

bool SkinButtonSet::acceptsMouse(Group group, int index) const
{
    // A disabled transport button keeps its picture: there is no disabled artwork.
    return group != Group::Transport || button(group, index)->isEnabled();
}

const SkinPicture& SkinButtonSet::picture(Group group, int index, State state)
{
    ButtonPictures& cache = m_groups[Slot(group)].pictures[index];
    SkinPicture& slot = state == State::Normal ? cache.Normal : state == State::Down ? cache.Down : cache.Over;
    if (slot.isNull()) {
        const QString name = resourceName(group, index, state);
        slot = SkinPicture { name, QIcon(QStringLiteral(":/skin/") + name + u".svg") };
        ++m_loaded;
    }
    return slot;
}

void SkinButtonSet::show(Group group, int index, State state)
{
    button(group, index)->setPicture(picture(group, index, state));
}

void SkinButtonSet::hover(Group group, int index)
{
    if (!acceptsMouse(group, index))
        return;
    show(group, index, State::Over);
    if (group != Group::BigOpen)
        m_hot[Slot(group)] = true;
}

void SkinButtonSet::press(Group group, int index)
{
    if (acceptsMouse(group, index))
        show(group, index, State::Down);
}

void SkinButtonSet::release(Group group, int index)
{
    if (acceptsMouse(group, index))
        show(group, index, State::Normal);
}

void SkinButtonSet::ResetAllBtnIcon()
{
    for (Group group : { Group::Transport, Group::ListTools, Group::Window, Group::Sound, Group::Find }) {
        if (!m_hot[Slot(group)])
            continue;
        // Hidden and disabled buttons too: one of them may have been hovered before it changed.
        for (int i = 0; i < m_groups[Slot(group)].buttons.size(); ++i)
            show(group, i, State::Normal);
        m_hot[Slot(group)] = false;
    }
    showBigOpenNormal();
}

void SkinButtonSet::showBigOpenNormal()
{
    if (!m_groups[Slot(Group::BigOpen)].buttons.isEmpty())
        show(Group::BigOpen, 0, State::Normal);
}

void SkinButtonSet::ExchangeSingleLoopPictures()
{
    GroupData& transport = m_groups[Slot(Group::Transport)];
    if (transport.pictures.size() <= SingleLoopIndex)
        return;
    // Both cache are normally filled by the press and release before the click; a toggle from a key or
    // menu fills them here so the swap never leaves an empty slot.
    picture(Group::Transport, SingleLoopIndex, State::Normal);
    picture(Group::Transport, SingleLoopIndex, State::Down);
    ButtonPictures& cache = transport.pictures[SingleLoopIndex];
    std::swap(cache.Normal, cache.Down);
}

void SkinButtonSet::showAllNormal()
{
    for (Group group : { Group::Transport, Group::ListTools, Group::Window, Group::BigOpen, Group::Sound, Group::Find }) {
        for (int i = 0; i < m_groups[Slot(group)].buttons.size(); ++i)
            show(group, i, State::Normal);
    }
}
