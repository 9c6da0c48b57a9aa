#pragma once

#include "core/settings.h"
#include "playlist/playlistcommands.h"
#include "playlist/playlistmodel.h"
#include "tests/support/fakeplaylistui.h"
#include "tests/support/recordingtransport.h"

#include <QAbstractItemModelTester>

// "1", "2", ... "n".
QStringList CountTo(int n);

// A playlist with everything around it faked: the model (watched by a model tester), a recording
// transport that plays command 0 the simple way, fake dialogs, and the commands wired to them.
struct PlaylistFixture {
    explicit PlaylistFixture(const QString& dataFolder = QString());

    void add(const QStringList& paths); // rows without header reads
    // The paths and the Number texts of every row, in order.
    QStringList paths() const;
    QStringList numbers() const;

    Settings settings;
    PlaylistModel model;
    QAbstractItemModelTester tester;
    RecordingTransport transport;
    FakePlaylistUi ui;
    PlaylistCommands commands;
};
