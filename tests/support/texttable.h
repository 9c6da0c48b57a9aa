#pragma once

#include <QString>
#include <QTest>

// Adds one data row per line "name: given => expected" of a text table, for a test whose two columns
// hold the given and the expected text.
inline void AddTextTableRows(const QString& table)
{
    for (const QString& row : table.split(u'\n', Qt::SkipEmptyParts)) {
        const QString entry = row.section(QStringLiteral(": "), 1);
        QTest::newRow(qPrintable(row.section(QStringLiteral(": "), 0, 0)))
            << entry.section(QStringLiteral(" => "), 0, 0) << entry.section(QStringLiteral(" => "), 1);
    }
}
