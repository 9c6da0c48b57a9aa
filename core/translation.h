#pragma once

#include <QProcessEnvironment>

// The interface speaks Chinese, its source language, unless the user's messages language is English.
// The first of LANGUAGE, LC_ALL, LC_MESSAGES and LANG that is set decides, as it does for gettext.
bool WantsEnglish(const QProcessEnvironment& environment);

// Installs the English translation carried in the program when the environment asks for it; true when
// it was installed. Texts written into files (the list, the readme) never go through it.
bool InstallInterfaceTranslation(const QProcessEnvironment& environment);
