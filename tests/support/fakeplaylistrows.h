#pragma once

#include "playback/pathlistrows.h"

#include <QStringList>

// The playlist as the transport sees it, recording what the transport asked of it.
class FakePlaylistRows : public PathListRows {
public:
    using PathListRows::PathListRows;

    // Every call that changes the list or its presentation, e.g. "RemoveRow 2", "MarkPlayingItem 1".
    QStringList calls;

    void RemoveRow(int row) override { calls.append(u"RemoveRow %1"_qs.arg(row)), PathListRows::RemoveRow(row); }
    void SetDurations(int row, const QString& timeShort, const QString& timeFull) override
    {
        calls.append(u"SetDurations %1 %2 %3"_qs.arg(row).arg(timeShort, timeFull));
        PathListRows::SetDurations(row, timeShort, timeFull);
    }
    void RenumberList() override { calls.append(u"RenumberList"_qs), PathListRows::RenumberList(); }
    void MarkPlayingItem(int index) override
    {
        calls.append(u"MarkPlayingItem %1"_qs.arg(index)), PathListRows::MarkPlayingItem(index);
    }
    void SelectPlayingItem(int index) override
    {
        calls.append(u"SelectPlayingItem %1"_qs.arg(index));
        PathListRows::SelectPlayingItem(index);
    }
};
