#include "app/commandline.h"

namespace {

QString unquoted(const QString& path)
{
    if (path.size() >= 2 && path.startsWith(u'"') && path.endsWith(u'"'))
        return path.mid(1, path.size() - 2);
    return path;
}

CommandLine only(CommandLine::Mode mode, const QString& message = {})
{
    CommandLine result;
    result.mode = mode;
    result.error = message;
    return result;
}

CommandLine error(const QString& message) { return only(CommandLine::Mode::Error, message); }

} // namespace

CommandLine ParseCommandLine(const QStringList& args)
{
    CommandLine result;
    // The probe reads its own options (--seconds) and paths.
    if (!args.isEmpty() && args.first() == u"--probe") {
        result.mode = CommandLine::Mode::Probe;
        result.paths = args.mid(1);
        return result;
    }
    bool optionsEnded = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (optionsEnded || !arg.startsWith(u'-') || arg == u"-") {
            result.paths.append(unquoted(arg));
            continue;
        }
        if (arg == u"--") {
            optionsEnded = true;
        } else if (arg == u"--help" || arg == u"-h") {
            return only(CommandLine::Mode::Help);
        } else if (arg == u"--version" || arg == u"-v") {
            return only(CommandLine::Mode::Version);
        } else if (arg == u"--info" && result.mode == CommandLine::Mode::Gui && result.paths.isEmpty()) {
            result.mode = CommandLine::Mode::Info;
        } else {
            return error(QStringLiteral("unknown option: ") + arg);
        }
    }
    if (result.mode == CommandLine::Mode::Info && result.paths.isEmpty())
        return error(QStringLiteral("give at least one file"));
    return result;
}

QString UsageText()
{
    return QStringLiteral(
        "Usage:\n"
        "  quenbarrowick [FILE...]              start, or give the files to the running copy\n"
        "                                       (the first plays at once, the rest are added)\n"
        "  quenbarrowick --info FILE...         print each file's SWF header as one line of JSON\n"
        "  quenbarrowick --probe [--seconds N] PATH...\n"
        "                                       play movies without a window and report how each ends\n"
        "  quenbarrowick --help | --version\n");
}
