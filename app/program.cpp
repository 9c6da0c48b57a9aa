#include "app/program.h"

#include "about/frmabout.h"
#include "app/companionmessages.h"
#include "app/frmoptions.h"
#include "app/mpris.h"
#include "app/singleinstance.h"
#include "core/fileexists.h"
#include "core/flashcontrol.h"
#include "core/settings.h"
#include "platform/pointervisibility.h"
#include "playback/keymap.h"
#include "playback/playerkeys.h"
#include "playback/playbackmonitor.h"
#include "playback/playerprogressbar.h"
#include "playback/playerproperties.h"
#include "playback/transport.h"
#include "playlist/droppedpaths.h"
#include "playlist/listfile.h"
#include "playlist/playlistcommands.h"
#include "playlist/playlistdialogs.h"
#include "playlist/playlistmenus.h"
#include "playlist/playlistmodel.h"
#include "playlist/playlistview.h"
#include "shell/frmmain.h"
#include "swf/frmflashinfo.h"
#include "swf/swfheader.h"

#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QTimer>
#include <cmath>

namespace {
// A pointer that full screen hid comes back as soon as it moves over one of the program's dialogs.
void ShowHiddenPointer()
{
    if (Pointer::ShowCount() < 0)
        Pointer::ShowCursor(true);
}
} // namespace

Program::Program(Settings& settings, const QString& dataFolder, FlashControl& flash, QWidget* playerView)
    : m_settings(settings)
    , m_flash(flash)
    , m_window(std::make_unique<frmMain>())
    , m_model(std::make_unique<PlaylistModel>())
    , m_dialogs(std::make_unique<PlaylistDialogs>(m_window.get()))
{
    m_transport = std::make_unique<Transport>(flash, *m_model, *this, settings);
    m_model->SetTransport(m_transport.get());
    m_commands = std::make_unique<PlaylistCommands>(*m_model, *m_transport, settings, *m_dialogs, dataFolder);
    m_commands->SetFlashControl(&flash);
    m_mpris = std::make_unique<MprisService>(*m_transport, *m_model);

    // The window's load steps, in order: the list's columns, the engine in front with its properties,
    // drops, then the list font.
    m_view = new PlaylistView(*m_model, *m_commands);
    m_menus = new PlaylistMenus(*m_commands, m_window.get());
    m_view->setListMenu(m_menus->mnuList());
    m_window->setPlaylistView(m_view);
    m_progressBar = new PlayerProgressBar;
    m_window->setProgressBar(m_progressBar);
    if (playerView)
        m_window->setPlayerView(playerView);
    m_window->setFlashControl(&flash);
    ApplyPlayerProperties(flash, settings);
    // Before any movie loads: the first one already plays at the remembered level.
    m_sound = ReadSoundLevel(settings.IniFile);
    flash.SetGain(m_sound.Gain());
    m_window->ShowSoundLevel(m_sound);
    m_window->setAcceptDrops(true);
    m_window->installEventFilter(this);

    connectWindow();
    connectPlaylist();
    m_commands->ApplyListFont();
    m_window->ApplyClockFont();
}

Program::~Program()
{
    // The window's widgets call into the playlist and the transport: they go first.
    m_transport->TimerPlay().stop();
    m_window.reset();
}

void Program::connectWindow()
{
    frmMain* w = m_window.get();
    Transport* t = m_transport.get();
    connect(w, &frmMain::PlayerBtnsClicked, t, &Transport::PlayerBtns_Click);
    connect(w, &frmMain::ListBtnClicked, m_commands.get(), &PlaylistCommands::ListBtn_Click);
    // The big open image is transport command 3; the open items of the menus are command 0, which
    // opens the dialog only when the list is empty.
    connect(w, &frmMain::BigOpenClicked, t, [t] { t->PlayerBtns_Click(TransportControl::CmdOpenFiles); });
    connect(w, &frmMain::openFilesRequested, t, [t] { t->PlayerBtns_Click(TransportControl::CmdPlay); });
    connect(w, &frmMain::openListRequested, m_commands.get(), &PlaylistCommands::OpenListWithDialog);
    connect(w, &frmMain::optionsRequested, this, [this] { ShowOptions(OptionsOwner::None); });
    connect(w, &frmMain::aboutRequested, this, &Program::ShowAbout);
    connect(w, &frmMain::readmeRequested, this, [this] { ShowReadmeFromMenu(m_window.get()); });
    connect(w, &frmMain::fileInfoRequested, this, [this] {
        if (m_transport->PlayState() != TransportControl::Stopped)
            showFileInfo(m_flash.Movie());
    });
    connect(w, &frmMain::scaleModeRequested, t, [t](const QString& mode) {
        if (mode == u"NoScale")
            t->mnuPlayerSizeOrigin_Click();
        else if (mode == u"ExactFit")
            t->mnuPlayerSizeStrech_Click();
        else
            t->mnuPlayerSizeAtutoFit_Click();
    });
    connect(w, &frmMain::Form_KeyDown, this, &Program::keyDown);
    connect(w, &frmMain::soundStepRequested, this, [this](int steps) { setSoundLevel(m_sound.Stepped(steps)); });
    connect(w, &frmMain::volumeRequested, this, [this](int percent) { setSoundLevel({ percent, false }); });
    connect(w, &frmMain::muteToggleRequested, this,
        [this] { setSoundLevel({ m_sound.volume, !m_sound.muted }); });
    connect(w, &frmMain::unloading, this, &Program::unload);
    connect(m_mpris.get(), &MprisService::raiseRequested, w, [w] { SingleInstance::activateWindow(w, QString()); });
    connect(m_mpris.get(), &MprisService::quitRequested, w, &QWidget::close);
    connect(m_mpris.get(), &MprisService::openRequested, this, &Program::playHandedOver);
    connect(m_progressBar, &PlayerProgressBar::DragProgress, &t->Monitor(), &PlaybackMonitor::DragProgress);
    // The bar of a movie whose position is unknown takes no clicks: it stays where it shows.
    connect(&t->Monitor(), &PlaybackMonitor::SeekableChanged, m_progressBar, &QWidget::setEnabled);
}

void Program::connectPlaylist()
{
    connect(m_commands.get(), &PlaylistCommands::ListButtonMenuRequested, this,
        [this] { m_menus->mnuListBtn()->popup(m_view->mapToGlobal(QPoint(0, 0))); });
    m_view->setShortcutKeys([](int key, Qt::KeyboardModifiers modifiers) {
        return IsShortcutKey(key, modifiers) || MapPlayerKey(key, modifiers) != PlayerKey::None;
    });
    connect(m_window.get(), &frmMain::filterTextChanged, this,
        [this](const QString& text) { m_view->SetFilterText(text, m_transport->CurrFileIndex()); });
    connect(m_view, &PlaylistView::KeyForwarded, this, &Program::keyDown);
    connect(m_menus, &PlaylistMenus::InfoRequested, this, [this] {
        const int row = m_model->SelectedRow();
        if (row > 0)
            showFileInfo(m_model->FilePath(row));
    });
    connect(m_model.get(), &PlaylistModel::NotFlashFile, this, [this] { ShowNotFlashMessage(); });
}

void Program::watchPlayerInput(QWidget* input)
{
    if (!input)
        return;
    m_window->watchPlayerInput(input);
    // Files dropped on the movie are added to the list; the engine never sees them.
    input->setAcceptDrops(true);
    input->installEventFilter(this);
}

void Program::start(const QStringList& paths)
{
    m_startPaths = paths;
    m_window->SetWindowState(frmMain::RestoreWindow);
    m_window->show();
    QTimer::singleShot(AutoPlayDelayMs, this, &Program::restoreAtStartUp);
}

void Program::restoreAtStartUp()
{
    if (m_settings.SaveList) {
        const QString listFile = m_commands->ListFilePath();
        if (FileExists(listFile)) {
            // Only appended: what plays is the saved row when AutoPlay is set, or the named files, and
            // never row 1 on the way there.
            AppendListFile(*m_model, listFile);
            const int rows = m_model->RowCount();
            if (m_startPaths.isEmpty() && rows >= 1) {
                const int saved = m_settings.ListFileIndex;
                m_transport->SetCurrFileIndex(saved <= rows ? saved : 1);
                if (m_settings.AutoPlay)
                    m_transport->PlayerBtns_Click(TransportControl::CmdPlay);
            }
        }
    }
    if (m_startPaths.isEmpty())
        return;
    // The first file plays at once; any further ones join the list behind it.
    PlaylistModel::Batch batch(*m_model);
    m_model->AddFileToList(m_startPaths.first(), true, true);
    for (qsizetype i = 1; i < m_startPaths.size(); ++i)
        m_model->AddFileToList(m_startPaths[i], false, true);
}

void Program::playHandedOver(const QString& path)
{
    m_model->AddFileToList(path, true, true);
}

void Program::addHandedOver(const QStringList& paths)
{
    PlaylistModel::Batch batch(*m_model);
    for (const QString& path : paths)
        m_model->AddFileToList(path, false, true);
}

void Program::takeHandOffsFrom(SingleInstance& instance)
{
    connect(&instance, &SingleInstance::activationRequested, this,
        [this](const QString& token) { SingleInstance::activateWindow(m_window.get(), token); });
    connect(&instance, &SingleInstance::fileHandedOver, this, &Program::playHandedOver);
    connect(&instance, &SingleInstance::moreFilesHandedOver, this, &Program::addHandedOver);
}

void Program::keyDown(int qtKey, Qt::KeyboardModifiers modifiers)
{
    // Escape closes the filter box wherever the focus went.
    if (qtKey == Qt::Key_Escape && m_window->FilterBoxVisible()) {
        m_window->HideFilterBox();
        return;
    }
    switch (MapPlayerKey(qtKey, modifiers)) {
    case PlayerKey::None:
        break;
    case PlayerKey::VolumeUp:
        setSoundLevel(m_sound.Stepped(1));
        return;
    case PlayerKey::VolumeDown:
        setSoundLevel(m_sound.Stepped(-1));
        return;
    case PlayerKey::ToggleMute:
        setSoundLevel({ m_sound.volume, !m_sound.muted });
        return;
    case PlayerKey::FindInList:
        // Full screen has no list to show.
        if (!m_window->LayoutSuspended()) {
            if (!m_window->PlaylistVisible())
                m_window->SetPlaylistVisible(true);
            m_window->ShowFilterBox();
        }
        return;
    }
    int keyCode = VirtualKeyFromQt(qtKey);
    if (keyCode != 0)
        m_transport->Form_KeyDown(keyCode, ShiftMaskFromQt(modifiers));
}

void Program::setSoundLevel(const SoundLevel& level)
{
    if (level == m_sound)
        return;
    m_sound = level;
    m_flash.SetGain(level.Gain());
    m_window->ShowSoundLevel(level);
    WriteSoundLevel(m_settings.IniFile, level);
}

void Program::showFileInfo(const QString& path)
{
    frmFlashInfo info(path, m_window.get());
    connect(&info, &frmFlashInfo::pointerMoved, &info, ShowHiddenPointer);
    info.exec();
}

void Program::unload()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    m_commands->SaveListToFile();
    WriteSetting(m_settings, SettingsKeys::ListFileIndex, QString::number(m_transport->CurrFileIndex()));
}

bool Program::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDropEvent*>(event);
        if (drag->mimeData()->hasUrls()) {
            drag->acceptProposedAction();
            return true;
        }
        break;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const QStringList paths = DroppedPaths(*drop->mimeData());
        if (paths.isEmpty())
            break;
        drop->acceptProposedAction();
        m_commands->AddDroppedFiles(paths);
        return true;
    }
    case QEvent::WindowActivate:
    case QEvent::FocusIn:
        // Coming back to the window shows where the list stands.
        if (watched == m_window.get() && m_window->PlaylistVisible())
            m_model->SelectPlayingItem(m_transport->CurrFileIndex());
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void Program::OpenSwfFiles()
{
    m_commands->OpenSwfFiles();
}

bool Program::PlaylistPanelVisible() const
{
    return m_window->PlaylistVisible();
}

void Program::SetPlaylistPanelVisible(bool visible)
{
    m_window->SetPlaylistVisible(visible);
}

void Program::ShowOptions(OptionsOwner owner)
{
    frmOptions options(m_settings, &m_flash, owner == OptionsOwner::MainWindow ? m_window.get() : nullptr);
    connect(&options, &frmOptions::pointerMoved, &options, ShowHiddenPointer);
    options.exec();
}

void Program::ShowAbout()
{
    frmAbout about(m_window.get());
    connect(&about, &frmAbout::authorClicked, &about, [&about] { ShowReadmeFromMenu(&about); });
    about.exec();
}

void Program::SetWindowState(int command)
{
    m_window->SetWindowState(command);
}

void Program::SetTitleText(const QString& text)
{
    m_window->SetFormTitle(text);
    m_mpris->refresh();
}

void Program::SetProgressMiniFraction(double fraction)
{
    m_window->SetMiniProgressWidth(int(std::lround(fraction * m_window->MiniStripWidth())));
}

void Program::SetProgressMiniTwips(int twips)
{
    m_window->SetMiniProgressWidth(twips);
}

void Program::SetFrameInfoText(const QString& text)
{
    m_window->SetFrameInfoText(text);
}

void Program::SetProgressBarValue(float percent)
{
    m_progressBar->SetValue(percent);
}

void Program::SetClockText(const QString& text)
{
    m_window->SetTimeText(text);
}

void Program::PresentPlayState(const PlayStatePresentation&)
{
    // The window draws the same table from the state itself, which it also needs for its gestures.
    m_window->PresentPlayState(m_transport->PlayState());
    m_mpris->refresh();
}

void Program::ShowNotFlashMessage()
{
    // A box without a loop of its own: the play command or the addition that asks for it runs to its
    // end first, so no tick or hand-off can enter it halfway, and the monitor goes on ticking while the
    // box is up. One box stands for any number of such files.
    if (m_notFlashBox)
        return;
    m_notFlashBox = new QMessageBox(QMessageBox::NoIcon, QStringLiteral("Quenbarrowick"),
        QCoreApplication::translate("SwfFormat", "不是Flash文件格式"), QMessageBox::Ok, m_window.get());
    m_notFlashBox->setAttribute(Qt::WA_DeleteOnClose);
    m_notFlashBox->open();
}

void Program::SwapSingleLoopPictures()
{
    m_window->ExchangeSingleLoopPictures();
}
