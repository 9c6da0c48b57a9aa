#include "playback/probecommand.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <cmath>

namespace {

const QString SecondsOption = QStringLiteral("--seconds");

std::optional<double> positiveSeconds(const QString& text)
{
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || !std::isfinite(value) || value <= 0)
        return std::nullopt;
    return value;
}

} // namespace

ProbeArguments ParseProbeArguments(const QStringList& arguments)
{
    ProbeArguments parsed;
    bool onlyPaths = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (onlyPaths) {
            parsed.paths.append(argument);
            continue;
        }
        if (argument == u"--") {
            onlyPaths = true;
            continue;
        }
        QString value;
        if (argument == SecondsOption) {
            if (i + 1 >= arguments.size()) {
                parsed.error = QStringLiteral("--seconds needs a number of seconds");
                return parsed;
            }
            value = arguments.at(++i);
        } else if (argument.startsWith(SecondsOption + u'=')) {
            value = argument.mid(SecondsOption.size() + 1);
        } else if (argument.startsWith(u"--")) {
            parsed.error = QStringLiteral("unknown option %1").arg(argument);
            return parsed;
        } else {
            parsed.paths.append(argument);
            continue;
        }
        parsed.seconds = positiveSeconds(value);
        if (!parsed.seconds) {
            parsed.error = QStringLiteral("--seconds needs a positive number, not \"%1\"").arg(value);
            return parsed;
        }
    }
    if (parsed.paths.isEmpty())
        parsed.error = QStringLiteral("no movie to probe");
    return parsed;
}

int RunProbeCommand(const ProbeArguments& arguments, FlashControl& flash, const Settings& settings,
    const ProbeRunner::PassTime& passTime, QTextStream& out, QTextStream& err)
{
    if (!arguments.error.isEmpty()) {
        err << "quenbarrowick --probe: " << arguments.error << '\n'
            << "usage: quenbarrowick --probe [--seconds N] PATH...\n";
        err.flush();
        return ProbeExit::Usage;
    }
    ProbeOptions options;
    options.seconds = arguments.seconds;
    ProbeRunner runner(flash, settings, options);
    bool allEnded = true;
    for (const QString& path : arguments.paths) {
        const ProbeResult result = runner.Probe(path, passTime);
        allEnded = allEnded && result.Ended;
        out << ProbeRunner::ToJsonLine(result) << '\n';
        out.flush(); // people watch long runs line by line
    }
    return allEnded ? ProbeExit::AllEnded : ProbeExit::SomeDidNotEnd;
}

ProbeRunner::PassTime EventLoopPassTime()
{
    return [](int ms) {
        QElapsedTimer clock;
        clock.start();
        QEventLoop loop;
        QTimer::singleShot(std::max(0, ms), &loop, &QEventLoop::quit);
        loop.exec();
        return int(clock.elapsed());
    };
}
