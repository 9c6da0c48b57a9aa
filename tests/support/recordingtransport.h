#pragma once

#include "core/transportcontrol.h"

#include <QStringList>

class PlaylistRows;

// A transport for playlist tests: records every call ("SetPlayState 0", "SetCurrFileIndex 3",
// "PlayerBtns_Click 0") and, when given the rows, plays command 0 the simple way: the current
// row is brought into range, the state becomes playing and the row is marked.
class RecordingTransport : public TransportControl {
public:
    explicit RecordingTransport(PlaylistRows* rows = nullptr) : m_rows(rows) { }

    int CurrFileIndex() const override { return m_index; }
    void SetCurrFileIndex(int index) override { calls.append(u"SetCurrFileIndex %1"_qs.arg(index)), m_index = index; }
    int PlayState() const override { return m_state; }
    void SetPlayState(int state) override
    {
        calls.append(u"SetPlayState %1"_qs.arg(state));
        m_state = state >= Stopped && state <= Paused ? state : m_state;
    }
    void PlayerBtns_Click(int index) override;

    // Sets the state without recording, as a test's starting point.
    void setUp(int currFileIndex, int playState)
    {
        m_index = currFileIndex;
        m_state = playState;
    }

    QStringList calls;

private:
    PlaylistRows* m_rows;
    int m_index = 0;
    int m_state = Stopped;
};
