#pragma once

#include <QString>

// Shows the file selected in the desktop's file manager, without waiting for it; when no file manager
// answers on D-Bus, opens the folder that holds it instead. Returns false when, without a session bus,
// the folder could not be opened either.
bool RevealInFileManager(const QString& path);
