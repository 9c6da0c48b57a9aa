#include "tests/support/recordingtransport.h"

#include "core/playlistrows.h"

void RecordingTransport::PlayerBtns_Click(int index)
{
    calls.append(QStringLiteral("PlayerBtns_Click %1").arg(index));
    if (index != CmdPlay || !m_rows)
        return;
    if (m_index < 1)
        m_index = 1;
    const int n = m_rows->RowCount();
    if (n < 1)
        return;
    m_index = (m_index - 1) % n + 1;
    m_state = Playing;
    m_rows->MarkPlayingItem(m_index);
}
