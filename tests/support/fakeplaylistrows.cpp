#include "tests/support/fakeplaylistrows.h"

void FakePlaylistRows::RemoveRow(int row)
{
    calls.append(QStringLiteral("RemoveRow %1").arg(row));
    PathListRows::RemoveRow(row);
}

void FakePlaylistRows::SetDurations(int row, const QString& timeShort, const QString& timeFull)
{
    calls.append(QStringLiteral("SetDurations %1 %2 %3").arg(row).arg(timeShort, timeFull));
    PathListRows::SetDurations(row, timeShort, timeFull);
}

void FakePlaylistRows::RenumberList()
{
    calls.append(QStringLiteral("RenumberList"));
    PathListRows::RenumberList();
}

void FakePlaylistRows::MarkPlayingItem(int currFileIndex)
{
    calls.append(QStringLiteral("MarkPlayingItem %1").arg(currFileIndex));
    PathListRows::MarkPlayingItem(currFileIndex);
}

void FakePlaylistRows::SelectPlayingItem(int currFileIndex)
{
    calls.append(QStringLiteral("SelectPlayingItem %1").arg(currFileIndex));
    PathListRows::SelectPlayingItem(currFileIndex);
}
