#pragma once

#include <QStringList>

// What the program was asked to do on its command line.
struct CommandLine {
    enum class Mode {
        Gui, // start, or hand the first path to the running copy
        Info, // print SWF headers as JSON
        Probe, // play movies headless and report how each ends
        Help,
        Version,
        Error, // unknown option or a missing value: message on stderr, exit status 2
    };
    Mode mode = Mode::Gui;
    QStringList paths; // for Probe: its own arguments, as given
    QString error;
};

// args: the arguments after the program's own name. A path wrapped in double quotes (as some
// desktops pass it) loses them; "--" ends the options.
CommandLine ParseCommandLine(const QStringList& args);

QString UsageText();
