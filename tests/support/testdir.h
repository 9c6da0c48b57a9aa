#pragma once

#include <QByteArray>
#include <QString>

// Small file helpers for tests that work in a QTemporaryDir.
QByteArray ReadAll(const QString& path);
bool WriteAll(const QString& path, const QByteArray& bytes);
