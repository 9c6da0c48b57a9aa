#include "about/version.h"

QString ProgramVersion() { return QStringLiteral(QUEN_VERSION); }
