#include "core/translation.h"
#include "tests/support/texttablerow.h"

#include <QCoreApplication>
#include <QTranslator>

class TestTranslation : public QObject {
    Q_OBJECT
private slots:
    void language_data()
    {
        // "NAME=value ... as the environment holds them => the interface's language"
        TextTable(uR"(
nothing set: TERM=xterm => zh
LANG English: LANG=en_US.UTF-8 => en
LANGUAGE before LANG: LANGUAGE=en:zh LANG=zh_CN.UTF-8 => en
LC_ALL before LANG: LC_ALL=zh_CN.UTF-8 LANG=en_GB.UTF-8 => zh
an empty one is passed over: LANGUAGE= LC_ALL=en_US.UTF-8 => en
)"_qs);
    }
    void language()
    {
        const auto [given, expected] = TextRow();
        QProcessEnvironment environment(QProcessEnvironment::InheritFromParent);
        environment.clear();
        for (const QString& pair : given.split(u' ', Qt::SkipEmptyParts))
            environment.insert(pair.section(u'=', 0, 0), pair.section(u'=', 1));
        QCOMPARE(WantsEnglish(environment) ? u"en"_qs : u"zh"_qs, expected);
        QCOMPARE(InstallInterfaceTranslation(environment), expected == u"en");
        // The carried translation is the one in use: a caption of the main window comes out in English.
        QCOMPARE(QCoreApplication::translate("frmMain", "关闭"), expected == u"en" ? u"Close"_qs : u"关闭"_qs);
        for (QTranslator* translator : QCoreApplication::instance()->findChildren<QTranslator*>())
            QCoreApplication::removeTranslator(translator), delete translator;
    }
};

QTEST_GUILESS_MAIN(TestTranslation)
#include "tst_translation.moc"
