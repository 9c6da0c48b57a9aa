#pragma once

#include "tests/support/texttable.h"

#include <utility>

// A table of "name: given => expected" lines as the columns "given" and "expected" of a data-driven test.
inline void TextTable(const QString& table)
{
    QTest::addColumn<QString>("given");
    QTest::addColumn<QString>("expected");
    AddTextTableRows(table);
}

// The given and the expected text of the row under test.
inline std::pair<QString, QString> TextRow()
{
    const auto column = [](const char* name) { return *static_cast<QString*>(QTest::qData(name, QMetaType::QString)); };
    return { column("given"), column("expected") };
}
