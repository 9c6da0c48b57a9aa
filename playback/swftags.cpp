#include "playback/swftags.h"

namespace {

struct TagHeader {
    int code = 0;
    qsizetype headerBytes = 0;
    qsizetype bodyBytes = 0;
};

uint32_t readU(const QByteArray& b, qsizetype at, int bytes)
{
    uint32_t v = 0;
    for (int i = 0; i < bytes; ++i)
        v |= uint32_t(static_cast<uint8_t>(b.at(at + i))) << (8 * i);
    return v;
}

// False when the tag header or its body runs past the data.
bool readTagHeader(const QByteArray& b, qsizetype at, TagHeader& tag)
{
    if (at + 2 > b.size())
        return false;
    const uint32_t codeAndLength = readU(b, at, 2);
    tag.code = int(codeAndLength >> 6);
    tag.bodyBytes = codeAndLength & 0x3f;
    tag.headerBytes = 2;
    if (tag.bodyBytes == 0x3f) {
        if (at + 6 > b.size())
            return false;
        tag.bodyBytes = readU(b, at + 2, 4);
        tag.headerBytes = 6;
    }
    return tag.bodyBytes <= b.size() - at - tag.headerBytes;
}

// Tags whose body starts with the id of the character they define.
bool definesCharacter(int code)
{
    static const QSet<int> codes { 2, 6, 7, 8, 10, 11, 13, 14, 20, 21, 22, 32, 33, 34, 35, 36, 37, 39, 46, 48, 60, 75,
        83, 84, 87, 90, 91 };
    return codes.contains(code);
}

} // namespace

SwfTagLayout ScanSwfTags(const QByteArray& fws)
{
    SwfTagLayout layout;
    constexpr qsizetype RectAt = 8;
    if (fws.size() <= RectAt) {
        layout.error = QStringLiteral("the movie has no stage");
        return layout;
    }
    const int nbits = static_cast<uint8_t>(fws.at(RectAt)) >> 3;
    layout.firstTag = RectAt + (5 + 4 * nbits + 7) / 8 + 4; // stage, frame rate, frame count
    if (layout.firstTag > fws.size()) {
        layout.error = QStringLiteral("the movie ends inside its header");
        return layout;
    }
    layout.frameOneStart = layout.firstTag;

    qsizetype at = layout.firstTag;
    TagHeader tag;
    bool first = true;
    while (readTagHeader(fws, at, tag)) {
        if (tag.code == SwfTagCode::End) {
            layout.ended = true;
            break;
        }
        if (first && tag.code == SwfTagCode::FileAttributes) {
            layout.hasFileAttributes = true;
            const bool as3Flag = tag.bodyBytes > 0 && (fws.at(at + tag.headerBytes) & 0x08);
            layout.actionScript3 = as3Flag && static_cast<uint8_t>(fws.at(3)) >= 9;
            layout.frameOneStart = at + tag.headerBytes + tag.bodyBytes;
        }
        if (definesCharacter(tag.code) && tag.bodyBytes >= 2)
            layout.characterIds.insert(int(readU(fws, at + tag.headerBytes, 2)));
        if (tag.code == SwfTagCode::ShowFrame) {
            ++layout.showFrames;
            layout.lastShowFrame = at;
        }
        first = false;
        at += tag.headerBytes + tag.bodyBytes;
    }
    return layout;
}

QByteArray EncodeSwfTag(int code, const QByteArray& body)
{
    QByteArray tag;
    const bool longForm = body.size() >= 0x3f;
    const uint32_t head = uint32_t(code) << 6 | (longForm ? 0x3fu : uint32_t(body.size()));
    tag.append(static_cast<char>(head & 0xff));
    tag.append(static_cast<char>(head >> 8));
    if (longForm) {
        const auto n = static_cast<uint32_t>(body.size());
        for (int i = 0; i < 4; ++i)
            tag.append(static_cast<char>((n >> (8 * i)) & 0xff));
    }
    return tag + body;
}
