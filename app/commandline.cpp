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
        } else if (arg == u"--probe" && result.mode == CommandLine::Mode::Gui && result.paths.isEmpty()) {
            result.mode = CommandLine::Mode::Probe;
        } else if (arg == u"--seconds" && result.mode == CommandLine::Mode::Probe) {
            bool ok = false;
            const double seconds = i + 1 < args.size() ? args[i + 1].toDouble(&ok) : 0.0;
            if (!ok || seconds <= 0)
                return error(QStringLiteral("--seconds needs a positive number of seconds"));
            result.probeSeconds = seconds;
            ++i;
        } else {
            return error(QStringLiteral("unknown option: ") + arg);
        }
    }
    if ((result.mode == CommandLine::Mode::Info || result.mode == CommandLine::Mode::Probe) && result.paths.isEmpty())
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
