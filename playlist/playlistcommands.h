#pragma once

#include "core/textfile.h"
#include "playlist/addfilesjob.h"
#include "playlist/playlistui.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <random>

class FlashControl;
class PlaylistModel;
class TransportControl;
struct Settings;

// The commands of the list buttons, the list's menus and the list's own mouse and keys. They act on
// the model and ask the transport to stop or play; dialogs go through PlaylistUi.
class PlaylistCommands : public QObject {
    Q_OBJECT
public:
    // The list file of a run: "PlayList.m3u" in dataFolder.
    PlaylistCommands(PlaylistModel& model, TransportControl& transport, Settings& settings, PlaylistUi& ui,
        const QString& dataFolder, QObject* parent = nullptr);
    ~PlaylistCommands() override;

    // Remove-duplicates asks it which movie is loaded; without one it finds none.
    void SetFlashControl(const FlashControl* flash) { m_flash = flash; }
    // How long an addition works before the window gets a turn (tests use 0: one path per turn).
    void SetAdditionSliceMs(int ms) { m_sliceMs = ms; }
    // Shuffles become repeatable in tests.
    void SetRandomSeed(quint64 seed) { m_random.seed(seed); }

    // List buttons 0-3: add files, delete, clear, the list-button menu.
    void ListBtn_Click(int Index);

    // Adding files.
    void OpenSwfFiles();
    // Paths of a drop on the list, the window, the logo or the player area, in the drop's order.
    void AddDroppedFiles(const QStringList& paths);
    // The addition still running, if any (the others wait behind it).
    AddFilesJob* RunningAddition() const { return m_running; }

    // List files.
    QString ListFilePath() const;
    WriteResult SaveListToFile();
    void OpenListWithDialog(); // mnuIconOpenList, mnuListBtnOpenList
    void SaveListAs(); // mnuListBtnSaveList

    // Editing.
    void DeleteSelectedItem(); // list button 1, mnuListDel, the Delete key
    void ClearList(); // list button 2
    void RemoveDuplicateItems(); // mnuListDelDup
    void RemoveMissingItems(); // mnuListDelNotExist
    void SortByName(); // mnuListSortByName
    void SortByDir(); // mnuListSortByDir
    void SortByTime(); // mnuListSortByTime
    void ToggleSortOrder(); // mnuListSortAscending
    QString SortOrderCaption() const { return m_sortCaption; }
    void ShuffleList(); // mnuListSortShuffle
    void OpenSelectedFolder(); // mnuListOpenDir

    // Font and colour.
    void ChooseListFont(); // mnuListFont
    void ChooseListColor(); // mnuListColor
    void ApplyListFont(); // once, when the window has loaded

    // The list's own input.
    enum class KeyOutcome { Ignored, Handled, ForwardToWindow };
    void PlaySelected(); // double click, mnuListPlay
    KeyOutcome ListKeyDown(int key); // a Qt::Key
    bool LeftPressMovesWindow() const; // an empty list is a handle for the borderless window
    void RightPress(int row); // the row under the pointer (0 for none) becomes the selected row

signals:
    void ListButtonMenuRequested();
    void ListFontChanged(const ListFontChoice& font);
    void SortOrderCaptionChanged(const QString& caption);

private:
    enum SortKey { SortKeyNone = 0, SortKeyName = 1, SortKeyTime = 3, SortKeyPath = 4 };
    void addPaths(const QStringList& paths, AddFilesJob::Origin origin);
    void startNextAddition();
    void continueAddition();
    void sortRows();

    PlaylistModel& m_model;
    TransportControl& m_transport;
    Settings& m_settings;
    PlaylistUi& m_ui;
    QString m_dataFolder;
    const FlashControl* m_flash = nullptr;
    std::mt19937_64 m_random;
    QList<AddFilesJob*> m_waiting;
    QPointer<AddFilesJob> m_running;
    int m_sliceMs = 50; // long enough to add many rows per turn, short enough to feel alive
    bool m_listMenuToggle = false;
    SortKey m_sortKey = SortKeyNone;
    bool m_descending = false;
    QString m_sortCaption;
};
