#pragma once

#include <QString>

// The playlist as the transport sees it. Rows are 1-based; the current row is the transport's
// CurrFileIndex, passed in where the playlist needs it.
class PlaylistRows {
public:
    virtual ~PlaylistRows() = default;

    virtual int RowCount() const = 0;
    virtual QString FilePath(int row) const = 0; // the path as it was added
    virtual QString FileName(int row) const = 0; // the part after the last separator
    virtual void RemoveRow(int row) = 0;
    // Writes the short (style 1) and full (style 2) duration texts of a row.
    virtual void SetDurations(int row, const QString& timeShort, const QString& timeFull) = 0;
    // Rewrites every row's number as its position.
    virtual void RenumberList() = 0;
    // Recolours every row (the current one green), then SelectPlayingItem.
    virtual void MarkPlayingItem(int currFileIndex) = 0;
    // Selects the current row and scrolls it into view; nothing when the index is out of range.
    virtual void SelectPlayingItem(int currFileIndex) = 0;
};
