#pragma once

#include <QString>

// Pieces of the one-line JSON objects the command-line tools print, in the order they choose.
QString JsonString(const QString& text);
QString JsonBool(bool value);
