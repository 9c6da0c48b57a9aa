#include "app/companionmessages.h"

#include <QMessageBox>

void ShowReleaseResFileError(QWidget* parent, const ReleaseError& error)
{
    QMessageBox::information(parent, QStringLiteral("ReleaseResFile"), error.text());
}

void ShowReadmeFromMenu(QWidget* parent)
{
    ShowReadme(OpenWithDesktopEditor, [parent](const ReleaseError& error) { ShowReleaseResFileError(parent, error); });
}
