#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

// What a second copy of the program hands to the first: the file named on its command line, and the
// desktop's activation token so that the first copy may raise its window.
inline constexpr QStringView HandOffPrefix = u"QUENBARROWICK:";

// "QUENBARROWICK:" followed directly by the path.
QString HandOffText(const QString& path);

// The path of a hand-off text; the prefix is matched without regard to case and must stand first.
// No value when the text is not a hand-off; the path itself is not checked.
std::optional<QString> HandOffPath(const QString& text);

// The command-line argument as a path the first copy can use from any folder: one balanced pair of
// surrounding double quotes removed, a file: URL turned into its local path, made absolute against
// workingFolder. Empty text stays empty.
QString CommandLinePath(const QString& argument, const QString& workingFolder);

struct HandOffMessage {
    QString activationToken;
    QString text; // a hand-off text, or empty to only activate
    QStringList moreTexts; // the hand-off texts of further files, in the order given
};

// On the wire: "QBRW", the payload length (4 bytes, big-endian), then the token, the text and the
// further texts in UTF-8, each separated from the next by one NUL. Anything longer than the cap (room
// for the paths of a wildcard over a large folder) is refused unread.
inline constexpr quint32 MaxHandOffPayload = 1024 * 1024;
inline constexpr char HandOffAck = '\x06';

QByteArray EncodeHandOff(const HandOffMessage& message);

enum class DecodeStatus { NeedMore, Complete, Invalid };
struct DecodeResult {
    DecodeStatus status = DecodeStatus::NeedMore;
    HandOffMessage message; // when Complete
};
// Looks at the bytes received so far.
DecodeResult DecodeHandOff(QByteArrayView received);
