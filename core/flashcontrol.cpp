#include "core/flashcontrol.h"

#include <algorithm>
#include <utility>

namespace {

template<typename T> bool assign(T& field, const T& value)
{
    if (field == value)
        return false;
    field = value;
    return true;
}

} // namespace

int FlashControl::TakeLowestFrame()
{
    const int now = FrameNum();
    return std::min(std::exchange(m_lowestFrame, now), now);
}

void FlashControl::SetScale(const QString& mode)
{
    if (assign(m_scale, mode))
        applyProperties();
}

void FlashControl::SetQuality2(const QString& quality)
{
    if (assign(m_quality, quality))
        applyProperties();
}

void FlashControl::SetWMode(const QString& mode)
{
    if (assign(m_wmode, mode))
        applyProperties();
}

void FlashControl::SetBackgroundColor(int color)
{
    if (assign(m_backgroundColor, color))
        applyProperties();
}

void FlashControl::SetMenu(bool enabled)
{
    if (assign(m_menu, enabled))
        applyProperties();
}

void FlashControl::SetLoop(bool enabled)
{
    if (assign(m_loop, enabled))
        applyProperties();
}

void FlashControl::SetAllowNetworking(const QString& value)
{
    if (assign(m_allowNetworking, value))
        applyProperties();
}

void FlashControl::SetAllowScriptAccess(const QString& value)
{
    if (assign(m_allowScriptAccess, value))
        applyProperties();
}

void FlashControl::SetGain(double gain)
{
    gain = std::clamp(gain, 0.0, 1.0);
    if (gain == m_gain)
        return;
    m_gain = gain;
    applyGain();
}
