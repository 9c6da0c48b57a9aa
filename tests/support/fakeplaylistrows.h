#pragma once

#include "playback/pathlistrows.h"

#include <QStringList>

// The playlist as the transport sees it, recording what the transport asked of it.
class FakePlaylistRows : public PathListRows {
public:
    using PathListRows::PathListRows;

    // Every call that changes the list or its presentation, e.g. "RemoveRow 2", "MarkPlayingItem 1".
    QStringList calls;

    void RemoveRow(int row) override;
    void SetDurations(int row, const QString& timeShort, const QString& timeFull) override;
    void RenumberList() override;
    void MarkPlayingItem(int currFileIndex) override;
    void SelectPlayingItem(int currFileIndex) override;
};
