#include "playback/pathlistrows.h"

#include "swf/swfheader.h"

PathListRows::PathListRows(const QStringList& paths)
{
    for (const QString& path : paths)
        Append(path);
}

void PathListRows::Append(const QString& path) { m_rows.append({ path, {}, {}, RowCount() + 1 }); }

QString PathListRows::FilePath(int row) const { return valid(row) ? m_rows.at(row - 1).path : QString(); }

QString PathListRows::FileName(int row) const { return valid(row) ? FileNameOfPath(FilePath(row)) : QString(); }

void PathListRows::RemoveRow(int row)
{
    if (valid(row))
        m_rows.removeAt(row - 1);
}

void PathListRows::SetDurations(int row, const QString& timeShort, const QString& timeFull)
{
    if (!valid(row))
        return;
    m_rows[row - 1].timeShort = timeShort;
    m_rows[row - 1].timeFull = timeFull;
}

void PathListRows::RenumberList()
{
    for (int i = 0; i < RowCount(); ++i)
        m_rows[i].number = i + 1;
}

void PathListRows::MarkPlayingItem(int currFileIndex)
{
    m_markedRow = valid(currFileIndex) ? currFileIndex : 0;
    SelectPlayingItem(currFileIndex);
}

void PathListRows::SelectPlayingItem(int) { }
