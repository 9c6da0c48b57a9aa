#include "app/runningprogram.h"

#include "core/settings.h"
#include "playback/playerproperties.h"
#include "playback/transport.h"
#include "playlist/playlistmodel.h"
#include "shell/frmmain.h"

#include <QStandardPaths>
#include <QWidget>

namespace {

// Compiling the engine's code is most of the wait for the first picture: its page starts loading in
// the engine's own processes before the window is built, with the properties it will keep.
FlashControl& startedEngine(RuffleFlashControl& flash, const Settings& settings)
{
    ApplyPlayerProperties(flash, settings);
    flash.startEngine();
    return flash;
}

} // namespace

RunningProgram::RunningProgram(Settings& settings, const QString& dataFolder)
    : program(settings, dataFolder, startedEngine(flash, settings), flash.widget())
{
    // Save data is the user's, not a cache: it lives with the user's data.
    if (const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation); !data.isEmpty())
        flash.keepSavesIn(data + u"/saves");
    QObject::connect(&program.window(), &frmMain::unloading, &flash, &RuffleFlashControl::keepSavesNow);
    program.watchPlayerInput(flash.inputWidget());
    QObject::connect(&flash, &RuffleFlashControl::InputWidgetChanged, &program, &Program::watchPlayerInput);

    // Once a movie shows, the row after it is read and converted, so that advancing only hands over
    // bytes. A change to the list forgets it and prepares the row that is next now.
    flash.setLookahead(&lookahead);
    QObject::connect(&flash, &FlashControl::OnReadyStateChange, &program, [this] { prepareNextRow(); });
    m_listChanged.setSingleShot(true);
    QObject::connect(&m_listChanged, &QTimer::timeout, &program, [this] { prepareNextRow(); });
    PlaylistModel* model = &program.model();
    auto changed = [this] {
        lookahead.drop();
        m_listChanged.start(0);
    };
    QObject::connect(model, &QAbstractItemModel::rowsInserted, &program, changed);
    QObject::connect(model, &QAbstractItemModel::rowsRemoved, &program, changed);
    QObject::connect(model, &QAbstractItemModel::rowsMoved, &program, changed);
    QObject::connect(model, &QAbstractItemModel::modelReset, &program, changed);
    QObject::connect(model, &QAbstractItemModel::layoutChanged, &program, changed);
    QObject::connect(model, &QAbstractItemModel::dataChanged, &program,
        [changed](const QModelIndex& from, const QModelIndex& to, const QList<int>& roles) {
        // Colours and numbers change as rows play; only a path that changes matters here.
        if (to.column() >= PlaylistModel::ColFileName && from.column() <= PlaylistModel::ColFilePath
            && (roles.isEmpty() || roles.contains(Qt::DisplayRole)))
            changed();
    });
}

void RunningProgram::prepareNextRow()
{
    const int rows = program.model().RowCount();
    if (rows < 1 || program.transport().PlayState() == TransportControl::Stopped)
        return;
    // The row Transport::PlayNextItem goes to.
    lookahead.prepare(program.model().FilePath(program.transport().CurrFileIndex() % rows + 1),
        { flash.nextMovieIdentity(), false });
}

RunningProgram::~RunningProgram()
{
    // The engine's view sits in the window: the engine goes first, taking its view, page and
    // profile down in their own order, before the window is torn down around them.
    program.window().hide();
    delete flash.widget();
}
