#pragma once

#include "app/companionfiles.h"

class QWidget;

// The message box for a carried file that could not be written: the error number and description,
// an information icon, titled "ReleaseResFile".
void ShowReleaseResFileError(QWidget* parent, const ReleaseError& error);

// The handler of the icon menu's "简要说明": the readme in the desktop's editor.
void ShowReadmeFromMenu(QWidget* parent);
