#include "tests/support/fakeplaylistui.h"

QStringList FakePlaylistUi::ChooseSwfFiles()
{
    calls.append(QStringLiteral("ChooseSwfFiles"));
    return swfFiles;
}

QString FakePlaylistUi::ChooseListFileToOpen(const QString& folder)
{
    calls.append(QStringLiteral("ChooseListFileToOpen ") + folder);
    return listToOpen;
}

QString FakePlaylistUi::ChooseListFileToSave()
{
    calls.append(QStringLiteral("ChooseListFileToSave"));
    return listToSave;
}

std::optional<ListFontChoice> FakePlaylistUi::ChooseFont()
{
    calls.append(QStringLiteral("ChooseFont"));
    return font;
}

int32_t FakePlaylistUi::ChooseColor(int32_t current)
{
    calls.append(QStringLiteral("ChooseColor %1").arg(current));
    return color.value_or(current);
}

void FakePlaylistUi::ShowMessage(const QString& title, const QString& text)
{
    calls.append(QStringLiteral("ShowMessage ") + title + QStringLiteral(": ") + text);
}

bool FakePlaylistUi::RevealFile(const QString& path)
{
    calls.append(QStringLiteral("RevealFile ") + path);
    return true;
}

void FakePlaylistUi::WatchAddition(AddFilesJob& job)
{
    calls.append(QStringLiteral("WatchAddition"));
    watched = &job;
}
