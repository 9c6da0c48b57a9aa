#pragma once

#include <QCoreApplication>
#include <QString>

// Texts of the about box.
namespace AboutText {
inline constexpr char16_t ProductName[] = u"Quenbarrowick";
// The maker's details, shown in the about box; a click on them opens the readme.
inline constexpr char CompanyName[] = QT_TRANSLATE_NOOP("frmAbout", "Quenbarrowick 开发组");
inline constexpr char LegalNotice[] = QT_TRANSLATE_NOOP("frmAbout", "自由软件，欢迎分享");

// "Quenbarrowick V major.minor.revision" from a version of three or four numbers. With four
// (major.minor.build.revision) the build number is left out; with three the last is the revision.
// Each number is written in plain decimal; a missing or unreadable one reads 0.
QString TitleForVersion(const QString& version);
} // namespace AboutText
