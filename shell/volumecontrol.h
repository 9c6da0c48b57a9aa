#pragma once

#include "core/soundlevel.h"

#include <QWidget>
#include <array>

class SkinButton;

// The volume control of the button row: the speaker (the muted speaker in its place while muted),
// and beside it the level, which a click or a drag sets and the wheel steps over the whole control.
// It shows a level and asks for changes; the program decides and shows the result.
class VolumeControl : public QWidget {
    Q_OBJECT
public:
    explicit VolumeControl(QWidget* parent = nullptr);

    // The two speaker pictures, for the window's skin buttons: 0 sound on, 1 muted.
    SkinButton* speaker(int index) const { return m_speakers.at(index); }
    void ShowLevel(const SoundLevel& level);
    const SoundLevel& shownLevel() const { return m_level; }

signals:
    void StepRequested(int steps);
    void VolumeRequested(int percent);
    // The pointer moved over the control but off the speaker: hovered buttons go back to rest.
    void PointerOverBackground();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    QRect levelRect() const;
    int percentAt(int x) const;

    std::array<SkinButton*, 2> m_speakers {};
    SoundLevel m_level;
    int m_wheelRest = 0; // wheel travel short of a whole notch, kept for the next turn
};
