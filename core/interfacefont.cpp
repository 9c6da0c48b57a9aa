#include "core/interfacefont.h"

#include <QFontDatabase>

namespace {

// Most desktops ship one of these; Noto first because it covers every caption's characters.
const QStringList& preferredStandIns()
{
    static const QStringList families = { QStringLiteral("Noto Sans CJK SC"), QStringLiteral("Source Han Sans SC"),
        QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("WenQuanYi Zen Hei"),
        QStringLiteral("Droid Sans Fallback"), QStringLiteral("AR PL UMing CN") };
    return families;
}

} // namespace

QStringList InterfaceFontFamilies()
{
    QStringList families;
    if (FontInstalled(DesignFontFamily.toString()))
        families.append(DesignFontFamily.toString());
    for (const QString& family : preferredStandIns()) {
        if (FontInstalled(family))
            families.append(family);
    }
    if (families.isEmpty()) {
        const QStringList chinese = QFontDatabase::families(QFontDatabase::SimplifiedChinese);
        if (!chinese.isEmpty())
            families.append(chinese.first());
    }
    return families;
}

QFont InterfaceFont(int pointSize)
{
    QFont font;
    const QStringList families = InterfaceFontFamilies();
    if (!families.isEmpty())
        font.setFamilies(families);
    font.setPointSize(pointSize);
    return font;
}

void InstallInterfaceFontSubstitutes()
{
    QStringList standIns = InterfaceFontFamilies();
    standIns.removeAll(DesignFontFamily.toString());
    if (!standIns.isEmpty())
        QFont::insertSubstitutions(DesignFontFamily.toString(), standIns);
}

bool FontInstalled(const QString& fontName)
{
    const QStringList families = QFontDatabase::families();
    for (const QString& family : families) {
        // Families that several foundries provide are listed as "Name [Foundry]".
        const qsizetype foundry = family.indexOf(QStringLiteral(" ["));
        const QStringView name = foundry < 0 ? QStringView(family) : QStringView(family).first(foundry);
        if (name.compare(fontName, Qt::CaseInsensitive) == 0 || family.compare(fontName, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}
