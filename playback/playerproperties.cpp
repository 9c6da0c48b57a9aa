#include "playback/playerproperties.h"

#include "core/flashcontrol.h"
#include "core/settings.h"

void ApplyPlayerProperties(FlashControl& flash, const Settings& settings)
{
    flash.SetQuality2(QStringLiteral("High"));
    flash.SetWMode(QStringLiteral("Transparent"));
    flash.SetBackgroundColor(0);
    flash.SetMenu(false);
    flash.SetLoop(false);
    flash.SetAllowNetworking(settings.NotAllowNetworking ? QStringLiteral("none") : QStringLiteral("all"));
    flash.SetAllowScriptAccess(settings.NotAllowScript ? QStringLiteral("never") : QStringLiteral("always"));
}
