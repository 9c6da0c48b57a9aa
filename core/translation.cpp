#include "core/translation.h"

#include <QCoreApplication>
#include <QTranslator>

bool WantsEnglish(const QProcessEnvironment& environment)
{
    for (const char* name : { "LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG" }) {
        const QString value = environment.value(QString::fromLatin1(name));
        if (!value.isEmpty())
            return value.startsWith(u"en");
    }
    return false;
}

bool InstallInterfaceTranslation(const QProcessEnvironment& environment)
{
    if (!WantsEnglish(environment))
        return false;
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(QStringLiteral(":/i18n/quenbarrowick_en.qm"))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}
