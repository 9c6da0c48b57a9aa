// Any bytes as a settings file: reading every key, writing one and reading it back must work
// without a fault, and a write must never disturb another key.
#include "core/inifile.h"
#include "core/numbertext.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    IniDocument doc = IniDocument::fromBytes(bytes);
    const QString section = QStringLiteral("Options");
    const QString before = doc.value(section, QStringLiteral("FastFrames"));
    (void)LeadingNumber(before).toInt32();
    (void)LeadingNumber(before).rounded(1);

    doc.setValue(section, QStringLiteral("LoopTimeOut"), QStringLiteral("2.5"));
    IniDocument reread = IniDocument::fromBytes(doc.toBytes());
    if (reread.value(section, QStringLiteral("LoopTimeOut")) != QStringLiteral("2.5"))
        std::abort();
    if (reread.value(section, QStringLiteral("FastFrames")) != before)
        std::abort();
    return 0;
}
