#pragma once

#include <QString>

// The program's version, taken from the build's project version.
QString ProgramVersion();
