#include "playlist/playlistcommands.h"

#include "core/fileexists.h"
#include "core/flashcontrol.h"
#include "core/settings.h"
#include "core/transportcontrol.h"
#include "playlist/listfile.h"
#include "playlist/naturalorder.h"
#include "playlist/playlistmodel.h"

#include <QCollatorSortKey>
#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSet>
#include <QTimer>
#include <algorithm>
#include <numeric>

namespace {
const QString Ascending = QString::fromUtf8(QT_TRANSLATE_NOOP("PlaylistMenus", "升序"));
const QString Descending = QString::fromUtf8(QT_TRANSLATE_NOOP("PlaylistMenus", "降序"));
} // namespace

PlaylistCommands::PlaylistCommands(PlaylistModel& model, TransportControl& transport, Settings& settings,
    PlaylistUi& ui, const QString& dataFolder, QObject* parent)
    : QObject(parent)
    , m_model(model)
    , m_transport(transport)
    , m_settings(settings)
    , m_ui(ui)
    , m_dataFolder(dataFolder)
    , m_random(QRandomGenerator::global()->generate64())
    , m_sortCaption(Ascending)
{
}

PlaylistCommands::~PlaylistCommands() = default;

void PlaylistCommands::ListBtn_Click(int Index)
{
    switch (Index) {
    case 0:
        OpenSwfFiles();
        break;
    case 1:
        DeleteSelectedItem();
        break;
    case 2:
        ClearList();
        break;
    case 3:
        // The click that closes the open menu also reaches the button; only every other click opens it.
        m_listMenuToggle = !m_listMenuToggle;
        if (m_listMenuToggle)
            emit ListButtonMenuRequested();
        break;
    default:
        break;
    }
}

// --- adding files ---

void PlaylistCommands::OpenSwfFiles()
{
    const QStringList chosen = m_ui.ChooseSwfFiles();
    if (!chosen.isEmpty())
        addPaths(chosen, AddFilesJob::Origin::OpenDialog);
}

void PlaylistCommands::AddDroppedFiles(const QStringList& paths)
{
    if (!paths.isEmpty())
        addPaths(paths, AddFilesJob::Origin::Drop);
}

void PlaylistCommands::addPaths(const QStringList& paths, AddFilesJob::Origin origin)
{
    m_waiting.append(new AddFilesJob(m_model, m_transport, paths, origin, this));
    if (!m_running)
        startNextAddition();
}

void PlaylistCommands::startNextAddition()
{
    while (!m_waiting.isEmpty()) {
        AddFilesJob* job = m_waiting.takeFirst();
        m_running = job;
        if (!job->RunFor(m_sliceMs)) {
            m_ui.WatchAddition(*job);
            QTimer::singleShot(0, this, &PlaylistCommands::continueAddition);
            return;
        }
        m_running = nullptr;
        job->deleteLater();
    }
}

void PlaylistCommands::continueAddition()
{
    if (!m_running)
        return;
    if (!m_running->RunFor(m_sliceMs)) {
        QTimer::singleShot(0, this, &PlaylistCommands::continueAddition);
        return;
    }
    m_running->deleteLater();
    m_running = nullptr;
    startNextAddition();
}

// --- list files ---

QString PlaylistCommands::ListFilePath() const
{
    return m_dataFolder + QStringLiteral("/PlayList.m3u");
}

WriteResult PlaylistCommands::SaveListToFile()
{
    // The data folder under $XDG_CONFIG_HOME may not exist yet on a first run.
    QDir().mkpath(m_dataFolder);
    return WriteListFile(m_model, ListFilePath());
}

void PlaylistCommands::OpenListWithDialog()
{
    const QString chosen = m_ui.ChooseListFileToOpen(m_dataFolder);
    if (chosen.isEmpty())
        return;
    m_model.Clear();
    OpenListFile(m_model, m_transport, chosen);
    // A movie left playing over an empty list would later step through zero rows.
    if (m_model.RowCount() == 0 && m_transport.PlayState() != TransportControl::Stopped)
        m_transport.SetPlayState(TransportControl::Stopped);
}

void PlaylistCommands::SaveListAs()
{
    const QString chosen = m_ui.ChooseListFileToSave();
    if (chosen.isEmpty())
        return;
    const WriteResult result = WriteListFile(m_model, chosen);
    if (!result.ok)
        m_ui.ShowMessage(tr("另存列表"), tr("无法保存列表文件 %1：\n%2").arg(chosen, result.error));
}

// --- editing ---

void PlaylistCommands::DeleteSelectedItem()
{
    const int s = m_model.SelectedRow();
    if (m_model.RowCount() < 1 || s < 1)
        return;
    const int c = m_transport.CurrFileIndex();
    m_model.RemoveRow(s);
    const int n = m_model.RowCount();
    if (s == c) {
        // The playing row went: the row that followed it plays, or row 1 after the last one.
        m_transport.SetPlayState(TransportControl::Stopped);
        if (n > 0) {
            m_transport.SetCurrFileIndex((c - 1) % n + 1);
            m_transport.PlayerBtns_Click(TransportControl::CmdPlay);
        }
    } else if (s > c) {
        m_model.SelectRow(std::min(s, n));
    } else {
        m_transport.SetCurrFileIndex(c - 1);
        m_model.SelectRow(s);
    }
    m_model.RenumberList();
}

void PlaylistCommands::ClearList()
{
    if (m_model.RowCount() < 1)
        return;
    m_model.Clear();
    m_transport.SetCurrFileIndex(0);
    m_transport.SetPlayState(TransportControl::Stopped);
}

void PlaylistCommands::RemoveDuplicateItems()
{
    if (m_model.RowCount() < 1)
        return;
    QSet<QString> seen;
    seen.reserve(m_model.RowCount());
    m_model.RemoveRowsIf([&seen](int, const PlaylistItem& item) {
        const qsizetype before = seen.size();
        seen.insert(item.FilePath);
        return seen.size() == before;
    });
    if (m_transport.PlayState() == TransportControl::Stopped) {
        m_model.RenumberList();
        return;
    }
    const QString movie = m_flash ? m_flash->Movie() : QString();
    int current = 0;
    for (int row = 1; row <= m_model.RowCount() && !movie.isEmpty(); ++row) {
        if (m_model.FilePath(row) == movie) {
            current = row;
            break;
        }
    }
    m_transport.SetCurrFileIndex(current);
    if (current == 0)
        m_model.SelectRow(0);
    m_model.MarkPlayingItem(current);
    m_model.RenumberList();
}

void PlaylistCommands::RemoveMissingItems()
{
    const int n = m_model.RowCount();
    const int c = m_transport.CurrFileIndex();
    int survivorsBeforeCurrent = 0;
    bool currentRemoved = false;
    m_model.RemoveRowsIf([&](int row, const PlaylistItem& item) {
        const bool missing = !FileExists(item.FilePath);
        if (row < c && !missing)
            ++survivorsBeforeCurrent;
        if (row == c && missing)
            currentRemoved = true;
        return missing;
    });
    // The index follows the current file. When that file itself went, it points at the row before
    // the gap, so that "next" plays the row that followed it.
    if (c >= 1 && c <= n) {
        const int newIndex = currentRemoved ? survivorsBeforeCurrent : survivorsBeforeCurrent + 1;
        if (newIndex != c)
            m_transport.SetCurrFileIndex(newIndex);
    }
    // A movie left playing over an empty list would later step through zero rows.
    if (m_model.RowCount() == 0 && m_transport.PlayState() != TransportControl::Stopped)
        m_transport.SetPlayState(TransportControl::Stopped);
    m_model.RenumberList();
}

void PlaylistCommands::SortByName()
{
    m_sortKey = SortKeyName;
    sortRows();
}

void PlaylistCommands::SortByDir()
{
    m_sortKey = SortKeyPath;
    sortRows();
}

void PlaylistCommands::SortByTime()
{
    m_sortKey = SortKeyTime;
    sortRows();
}

void PlaylistCommands::ToggleSortOrder()
{
    if (m_sortKey == SortKeyNone)
        m_sortKey = SortKeyName;
    // The caption names the order that the next use applies.
    if (m_sortCaption != Ascending) {
        m_descending = true;
        m_sortCaption = Ascending;
    } else {
        m_descending = false;
        m_sortCaption = Descending;
    }
    sortRows();
    emit SortOrderCaptionChanged(m_sortCaption);
}

void PlaylistCommands::sortRows()
{
    const int n = m_model.RowCount();
    if (n < 2)
        return;
    QList<int> order(n);
    std::iota(order.begin(), order.end(), 1);
    const bool descending = m_descending;
    if (m_sortKey == SortKeyTime) {
        // The full-style duration has fixed width, so its text sorts in time order.
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
            const QString& ta = m_model.Item(a).TimeFull;
            const QString& tb = m_model.Item(b).TimeFull;
            return descending ? tb < ta : ta < tb;
        });
    } else {
        const QCollator collator = NaturalCollator();
        std::vector<QCollatorSortKey> keys;
        keys.reserve(n);
        for (int row = 1; row <= n; ++row) {
            const PlaylistItem& item = m_model.Item(row);
            keys.push_back(collator.sortKey(m_sortKey == SortKeyPath ? item.FilePath : item.FileName));
        }
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
            const int cmp = keys[a - 1].compare(keys[b - 1]);
            return descending ? cmp > 0 : cmp < 0;
        });
    }
    const int c = m_transport.CurrFileIndex();
    m_model.ApplyRowOrder(order);
    if (c >= 1 && c <= n) {
        const int moved = int(std::find(order.cbegin(), order.cend(), c) - order.cbegin()) + 1;
        if (moved != c)
            m_transport.SetCurrFileIndex(moved);
    }
    m_model.RenumberList();
}

void PlaylistCommands::ShuffleList()
{
    const int n = m_model.RowCount();
    if (n < 2)
        return;
    QList<int> source(n);
    std::iota(source.begin(), source.end(), 1);
    int c = m_transport.CurrFileIndex();
    const int before = c;
    for (int i = 1; i <= n - 1; ++i) {
        // Always a later row, never the row itself: the result is one cycle through every row.
        std::uniform_int_distribution<int> later(i + 1, n);
        const int j = later(m_random);
        std::swap(source[i - 1], source[j - 1]);
        if (c == i)
            c = j;
        else if (c == j)
            c = i;
    }
    m_model.ApplyTextOrder(source);
    if (c != before)
        m_transport.SetCurrFileIndex(c);
    if (m_transport.PlayState() != TransportControl::Stopped)
        m_model.MarkPlayingItem(c);
}

void PlaylistCommands::OpenSelectedFolder()
{
    const int s = m_model.SelectedRow();
    if (m_model.RowCount() < 1 || s < 1)
        return;
    const QString path = m_model.FilePath(s).trimmed();
    if (!QFileInfo::exists(path))
        return;
    m_ui.RevealFile(path);
}

// --- font and colour ---

void PlaylistCommands::ChooseListFont()
{
    const std::optional<ListFontChoice> font = m_ui.ChooseFont();
    if (!font || font->name.isEmpty() || !m_ui.FontInstalled(font->name))
        return;
    emit ListFontChanged(*font);
    // Only the file changes: the font in memory is re-read at the next start.
    WriteSetting(m_settings, SettingsKeys::ListFontName, font->name);
    WriteSetting(m_settings, SettingsKeys::ListFontSize, QString::number(font->pointSize));
    WriteSetting(m_settings, SettingsKeys::ListFontBold, FlagText(font->bold));
    WriteSetting(m_settings, SettingsKeys::ListFontItalic, FlagText(font->italic));
}

void PlaylistCommands::ChooseListColor()
{
    const int32_t color = m_ui.ChooseColor(m_model.ListFontColor());
    m_model.SetListFontColor(color);
    m_settings.ListFontColor = color;
    WriteSetting(m_settings, SettingsKeys::ListFontColor, QString::number(color));
}

void PlaylistCommands::ApplyListFont()
{
    m_model.SetListFontColor(m_settings.ListFontColor);
    if (!m_settings.ListFontName.isEmpty() && m_ui.FontInstalled(m_settings.ListFontName)) {
        emit ListFontChanged({ m_settings.ListFontName, double(m_settings.ListFontSize), m_settings.ListFontBold,
            m_settings.ListFontItalic });
    }
}

// --- the list's own input ---

void PlaylistCommands::PlaySelected()
{
    const int s = m_model.SelectedRow();
    if (m_model.RowCount() < 1 || s < 1)
        return;
    m_transport.SetPlayState(TransportControl::Stopped);
    m_transport.SetCurrFileIndex(s);
    m_transport.PlayerBtns_Click(TransportControl::CmdPlay);
}

PlaylistCommands::KeyOutcome PlaylistCommands::ListKeyDown(int key)
{
    if (m_model.RowCount() < 1)
        return KeyOutcome::Ignored;
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // Enter does not restart the row that is already playing; a double click does.
        if (m_model.SelectedRow() != m_transport.CurrFileIndex())
            PlaySelected();
        return KeyOutcome::Handled;
    case Qt::Key_Delete:
        DeleteSelectedItem();
        return KeyOutcome::Handled;
    default:
        return KeyOutcome::ForwardToWindow;
    }
}

bool PlaylistCommands::LeftPressMovesWindow() const
{
    return m_model.RowCount() < 1 && m_transport.PlayState() == TransportControl::Stopped;
}

void PlaylistCommands::RightPress(int row)
{
    if (row >= 1 && row <= m_model.RowCount())
        m_model.SelectRow(row);
}
