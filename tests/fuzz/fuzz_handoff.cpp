// Any bytes as a message from another copy of the program: decoding must not fault, a decoded
// message must survive encoding again, and a good message cut short must ask for more.
#include "app/handoff.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const DecodeResult result = DecodeHandOff(bytes);
    if (result.status == DecodeStatus::Complete) {
        const QByteArray again = EncodeHandOff(result.message);
        const DecodeResult reread = DecodeHandOff(again);
        if (reread.status != DecodeStatus::Complete || reread.message.text != result.message.text
            || reread.message.activationToken != result.message.activationToken)
            std::abort();
        if (DecodeHandOff(QByteArrayView(again).first(again.size() - 1)).status != DecodeStatus::NeedMore)
            std::abort();
    }
    const QString text = QString::fromUtf8(bytes);
    (void)HandOffPath(text);
    (void)CommandLinePath(text, QStringLiteral("/w"));
    return 0;
}
