#include "playlist/playlistdialogs.h"

#include "platform/revealfile.h"
#include "playlist/addfilesjob.h"
#include "playlist/playlistmodel.h"

#include <QColorDialog>
#include <QCoreApplication>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFontDialog>
#include <QMessageBox>
#include <QProgressDialog>
#include <QTimer>
#include <limits>

QStringList PlaylistDialogs::ChooseSwfFiles()
{
    return QFileDialog::getOpenFileNames(m_parent, QCoreApplication::translate("PlaylistDialogs", "打开"), QString(),
        QCoreApplication::translate("PlaylistDialogs", "flash文件(*.swf)"));
}

QString PlaylistDialogs::ChooseListFileToOpen(const QString& folder)
{
    return QFileDialog::getOpenFileName(m_parent, QCoreApplication::translate("PlaylistDialogs", "打开列表"), folder,
        QCoreApplication::translate("PlaylistDialogs", "flash文件(*.m3u)"));
}

QString PlaylistDialogs::ChooseListFileToSave()
{
    // No default suffix: a name typed without ".m3u" is written as typed.
    return QFileDialog::getSaveFileName(m_parent, QCoreApplication::translate("PlaylistDialogs", "另存列表"), QString(),
        QCoreApplication::translate("PlaylistDialogs", "flash文件(*.m3u)"));
}

std::optional<ListFontChoice> PlaylistDialogs::ChooseFont()
{
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, m_parent);
    if (!ok)
        return std::nullopt;
    return ListFontChoice { font.family(), font.pointSizeF(), font.bold(), font.italic() };
}

int32_t PlaylistDialogs::ChooseColor(int32_t current)
{
    const QColor chosen = QColorDialog::getColor(PlaylistModel::ToQColor(current), m_parent);
    return chosen.isValid() ? PlaylistModel::FromQColor(chosen) : current;
}

void PlaylistDialogs::ShowMessage(const QString& title, const QString& text)
{
    QMessageBox::warning(m_parent, title, text);
}

bool PlaylistDialogs::RevealFile(const QString& path)
{
    return RevealInFileManager(path);
}

bool PlaylistDialogs::FontInstalled(const QString& family) const
{
    return QFontDatabase::families().contains(family, Qt::CaseInsensitive);
}

void PlaylistDialogs::WatchAddition(AddFilesJob& job)
{
    auto* dialog = new QProgressDialog(m_parent);
    dialog->setWindowTitle(QCoreApplication::translate("PlaylistDialogs", "添加文件"));
    dialog->setLabelText(QCoreApplication::translate("PlaylistDialogs", "正在添加文件……"));
    dialog->setCancelButtonText(QCoreApplication::translate("PlaylistDialogs", "取消"));
    dialog->setRange(0, 0);
    dialog->setAutoClose(false);
    dialog->setAutoReset(false);
    // Shown by our timer, not by its own estimate, which needs a known total.
    dialog->setMinimumDuration(std::numeric_limits<int>::max());
    dialog->setWindowModality(Qt::WindowModal);

    QObject::connect(&job, &AddFilesJob::Progress, dialog, [dialog](int collected) {
        dialog->setLabelText(
            QCoreApplication::translate("PlaylistDialogs", "正在添加文件……已找到 %1 个").arg(collected));
    });
    QObject::connect(dialog, &QProgressDialog::canceled, &job, &AddFilesJob::Cancel);
    QObject::connect(&job, &AddFilesJob::Done, dialog, &QObject::deleteLater);
    QObject::connect(&job, &QObject::destroyed, dialog, &QObject::deleteLater);
    QTimer::singleShot(ProgressDelayMs, dialog, [dialog] { dialog->show(); });
}
