#include "about/abouttext.h"

#include <QStringList>

QString AboutText::TitleForVersion(const QString& version)
{
    const QStringList parts = version.trimmed().split(u'.');
    auto number = [&parts](int i) {
        bool ok = false;
        const qulonglong value = i < parts.size() ? parts.at(i).trimmed().toULongLong(&ok) : 0;
        return ok ? QString::number(value) : QStringLiteral("0");
    };
    const int revision = parts.size() >= 4 ? 3 : 2;
    return QString::fromUtf16(ProductName) + u" V " + number(0) + u'.' + number(1) + u'.' + number(revision);
}
