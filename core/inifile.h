#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// A settings file as the classic profile functions see it: "[Section]" lines, "key=value" lines,
// names matched without regard to case, and every other line (comments, blank lines, other
// sections) kept exactly as it stands when a value is written.
class IniDocument {
public:
    static IniDocument fromBytes(const QByteArray& bytes);
    // The file's contents; an absent or unreadable file reads as an empty document.
    static IniDocument load(const QString& path);
    QByteArray toBytes() const;

    // The value of the first matching key of the first matching section; empty when absent.
    QString value(const QString& section, const QString& key) const;
    void setValue(const QString& section, const QString& key, const QString& value);

private:
    qsizetype findSection(const QString& section) const;
    // One past the last line of the section that starts at sectionLine.
    qsizetype sectionEnd(qsizetype sectionLine) const;

    QStringList m_lines; // without line ends
    QString m_lineEnd = QStringLiteral("\n");
    bool m_trailingLineEnd = true;
};

// Cuts a value as a fixed buffer of bufferSize characters would (bufferSize - 1 characters kept).
QString CutToBuffer(QString value, int bufferSize);

// Reads one value; like a fixed buffer of bufferSize characters, the result is cut to bufferSize - 1.
QString ReadIni(const QString& iniFile, const QString& section, const QString& key, int bufferSize);

// Writes one value, keeping the rest of the file; creates the file and section when missing.
// Returns false when the file could not be replaced (the callers stay silent about it).
bool WriteIni(const QString& iniFile, const QString& section, const QString& key, const QString& value);
