// Any bytes as a list file: reading must answer without a fault, no duration may hold a "|",
// and every row written back the way the program writes lists must read back the same.
#include "playlist/listparse.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QString folder = QStringLiteral("/lists/动画");
    const QList<ListFileLine> lines = ParseListFile(bytes, folder);
    if (lines.size() > bytes.count('\n') + 1)
        std::abort();
    QByteArray written;
    for (const ListFileLine& line : lines) {
        if (line.timeShort.contains(u'|') || line.timeFull.contains(u'|'))
            std::abort();
        written += ListFileLineBytes(line.path, line.timeShort, line.timeFull);
    }
    const QList<ListFileLine> reread = ParseListFile(written, folder);
    if (reread.size() != lines.size())
        std::abort();
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const ListFileLine& a = lines.at(i);
        const ListFileLine& b = reread.at(i);
        if (a.path != b.path || a.timeShort != b.timeShort || a.timeFull != b.timeFull)
            std::abort();
    }
    return 0;
}
