#pragma once

#include <QString>

// Shows the file selected in the desktop's file manager; when no file manager answers on D-Bus,
// opens the folder that holds it instead. Returns false when neither worked.
bool RevealInFileManager(const QString& path);
