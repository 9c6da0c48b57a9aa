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

// The transport's calls as the tables write them: S, C and B stand for SetPlayState, SetCurrFileIndex and
// PlayerBtns_Click.
inline QString ShortCalls(const QStringList& calls)
{
    QString text = calls.join(u',').replace(u"SetPlayState "_qs, u"S"_qs);
    return text.replace(u"SetCurrFileIndex "_qs, u"C"_qs).replace(u"PlayerBtns_Click "_qs, u"B"_qs);
}
