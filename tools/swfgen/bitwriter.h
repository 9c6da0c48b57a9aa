#pragma once

#include <QByteArray>
#include <cstdint>
#include <utility>

namespace swfgen {

// Packs values into the most significant bits first, as the SWF format's bit fields want them.
class BitWriter {
public:
    void bits(uint32_t value, int count)
    {
        for (int i = count - 1; i >= 0; --i) {
            if (m_used == 0)
                m_bytes.append('\0');
            if ((value >> i) & 1u)
                m_bytes.back() = static_cast<char>(m_bytes.back() | (0x80 >> m_used));
            m_used = (m_used + 1) % 8;
        }
    }
    void signedBits(int32_t value, int count) { bits(static_cast<uint32_t>(value) & mask(count), count); }
    // The bytes so far, the last one padded with zero bits; the writer starts again empty.
    QByteArray take()
    {
        m_used = 0;
        return std::exchange(m_bytes, {});
    }

private:
    static uint32_t mask(int count) { return count >= 32 ? 0xFFFFFFFFu : (1u << count) - 1; }
    QByteArray m_bytes;
    int m_used = 0;
};

} // namespace swfgen
