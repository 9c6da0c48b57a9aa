#include "core/inifile.h"

#include "core/textfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

QStringView sectionName(QStringView line)
{
    line = line.trimmed();
    if (!line.startsWith(u'['))
        return {};
    const qsizetype close = line.indexOf(u']');
    if (close < 0)
        return {};
    return line.sliced(1, close - 1).trimmed();
}

bool isSectionLine(QStringView line) { return line.trimmed().startsWith(u'['); }

// Splits "key=value"; comment lines and lines without "=" have no key.
bool splitKeyLine(QStringView line, QStringView* key, QStringView* value)
{
    const QStringView trimmed = line.trimmed();
    if (trimmed.isEmpty() || trimmed.startsWith(u';'))
        return false;
    const qsizetype eq = line.indexOf(u'=');
    if (eq < 0)
        return false;
    *key = line.first(eq).trimmed();
    *value = line.sliced(eq + 1).trimmed();
    return true;
}

QString stripQuotes(QStringView value)
{
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') && value.back() == value.front())
        return value.sliced(1, value.size() - 2).toString();
    return value.toString();
}

} // namespace

IniDocument IniDocument::fromBytes(const QByteArray& bytes)
{
    IniDocument doc;
    const QString text = DecodeLegacyText(bytes);
    if (text.isEmpty()) {
        return doc;
    }
    if (text.contains(u"\r\n"))
        doc.m_lineEnd = QStringLiteral("\r\n");
    doc.m_trailingLineEnd = text.endsWith(u'\n');
    doc.m_lines = text.split(u'\n');
    if (doc.m_trailingLineEnd)
        doc.m_lines.removeLast();
    for (QString& line : doc.m_lines) {
        if (line.endsWith(u'\r'))
            line.chop(1);
    }
    return doc;
}

QByteArray IniDocument::toBytes() const
{
    QString text = m_lines.join(m_lineEnd);
    if (!m_lines.isEmpty() && m_trailingLineEnd)
        text += m_lineEnd;
    return text.toUtf8();
}

qsizetype IniDocument::findSection(const QString& section) const
{
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        if (isSectionLine(m_lines[i]) && sectionName(m_lines[i]).compare(section, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

qsizetype IniDocument::sectionEnd(qsizetype sectionLine) const
{
    qsizetype i = sectionLine + 1;
    while (i < m_lines.size() && !isSectionLine(m_lines[i]))
        ++i;
    return i;
}

QString IniDocument::value(const QString& section, const QString& key) const
{
    const qsizetype start = findSection(section);
    if (start < 0)
        return {};
    const qsizetype end = sectionEnd(start);
    for (qsizetype i = start + 1; i < end; ++i) {
        QStringView k, v;
        if (splitKeyLine(m_lines[i], &k, &v) && k.compare(key, Qt::CaseInsensitive) == 0)
            return stripQuotes(v);
    }
    return {};
}

void IniDocument::setValue(const QString& section, const QString& key, const QString& value)
{
    // A line break inside a value would split it into two lines of the file.
    QString clean = value;
    clean.replace(u'\r', u' ').replace(u'\n', u' ');
    const QString line = key + u'=' + clean;

    const qsizetype start = findSection(section);
    if (start < 0) {
        if (!m_lines.isEmpty() && !m_lines.last().trimmed().isEmpty())
            m_lines.append(QString());
        m_lines.append(u'[' + section + u']');
        m_lines.append(line);
        m_trailingLineEnd = true;
        return;
    }
    const qsizetype end = sectionEnd(start);
    qsizetype lastKey = start;
    for (qsizetype i = start + 1; i < end; ++i) {
        QStringView k, v;
        if (splitKeyLine(m_lines[i], &k, &v)) {
            if (k.compare(key, Qt::CaseInsensitive) == 0) {
                m_lines[i] = line;
                return;
            }
            lastKey = i;
        }
    }
    // New keys go after the section's last key, ahead of any blank lines that separate sections.
    m_lines.insert(lastKey + 1, line);
    if (lastKey + 1 == m_lines.size() - 1)
        m_trailingLineEnd = true;
}

IniDocument IniDocument::load(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return fromBytes(file.readAll());
}

QString CutToBuffer(QString value, int bufferSize)
{
    const qsizetype limit = qMax(0, bufferSize - 1);
    if (value.size() > limit) {
        value.truncate(limit);
        // Never leave half of a surrogate pair at the end.
        if (!value.isEmpty() && value.back().isHighSurrogate())
            value.chop(1);
    }
    return value;
}

QString ReadIni(const QString& iniFile, const QString& section, const QString& key, int bufferSize)
{
    return CutToBuffer(IniDocument::load(iniFile).value(section, key), bufferSize);
}

bool WriteIni(const QString& iniFile, const QString& section, const QString& key, const QString& value)
{
    QByteArray existing;
    QFile file(iniFile);
    if (file.exists()) {
        // An existing file we cannot read must not be replaced by one holding only this key.
        if (!file.open(QIODevice::ReadOnly))
            return false;
        existing = file.readAll();
        file.close();
    } else {
        QDir().mkpath(QFileInfo(iniFile).absolutePath());
    }
    IniDocument doc = IniDocument::fromBytes(existing);
    doc.setValue(section, key, value);
    return WriteFileAtomically(iniFile, doc.toBytes()).ok;
}
