#include "playback/probecommand.h"

#include "core/jsontext.h"
#include "playback/transport.h"
#include "swf/swfheader.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <cmath>
#include <numeric>

namespace {

const QString SecondsOption = QStringLiteral("--seconds");
const QString JobsOption = QStringLiteral("--jobs");
// What one more engine page costs, measured as the growth of the processes' summed PSS.
constexpr qint64 EnginePageBytes = qint64(450) * 1024 * 1024;

std::optional<double> positiveSeconds(const QString& text)
{
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || !std::isfinite(value) || value <= 0)
        return std::nullopt;
    return value;
}

// How long the header says the movie plays; 0 for a file that is no movie.
double headerMs(const QString& path)
{
    SwfHeaderInfo info;
    if (!ReadSwfHeader(path, info) || !(info.FrameRate > 0))
        return 0;
    return 1000.0 * info.FrameCount / info.FrameRate;
}

// The order the movies are started in: the paths' own on one engine; longest first on several, so
// that no engine is left playing a long movie alone at the end while the others idle.
std::vector<qsizetype> startOrder(const QStringList& paths, qsizetype engines)
{
    std::vector<qsizetype> order(size_t(paths.size()));
    std::iota(order.begin(), order.end(), 0);
    if (engines < 2)
        return order;
    std::vector<double> ms;
    for (const QString& path : paths)
        ms.push_back(headerMs(path));
    std::stable_sort(
        order.begin(), order.end(), [&](qsizetype a, qsizetype b) { return ms[size_t(a)] > ms[size_t(b)]; });
    return order;
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
        if (argument == u"--summary") {
            parsed.summary = true;
            continue;
        }
        const bool jobs = argument == JobsOption || argument.startsWith(JobsOption + u'=');
        const QString& option = jobs ? JobsOption : SecondsOption;
        QString value;
        if (argument == option) {
            if (i + 1 >= arguments.size()) {
                parsed.error = option + QStringLiteral(" needs a number");
                return parsed;
            }
            value = arguments.at(++i);
        } else if (argument.startsWith(option + u'=')) {
            value = argument.mid(option.size() + 1);
        } else if (argument.startsWith(u"--")) {
            parsed.error = QStringLiteral("unknown option %1").arg(argument);
            return parsed;
        } else {
            parsed.paths.append(argument);
            continue;
        }
        if (jobs) {
            bool ok = false;
            parsed.jobs = value.toInt(&ok);
            if (!ok || parsed.jobs < 1 || parsed.jobs > 64) {
                parsed.error = QStringLiteral("--jobs needs a whole number from 1 to 64, not \"%1\"").arg(value);
                return parsed;
            }
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

int RunProbeCommand(const ProbeArguments& arguments, const QList<FlashControl*>& engines, const Settings& settings,
    const ProbeRunner::PassTime& passTime, QTextStream& out, QTextStream& err, const ProbeProgress& progress,
    const ProbeEngineReady& engineReady)
{
    if (!arguments.error.isEmpty() || engines.isEmpty()) {
        err << "quenbarrowick --probe: " << (engines.isEmpty() ? u"no engine"_qs : arguments.error) << '\n'
            << "usage: quenbarrowick --probe [--seconds N] [--summary] [--jobs N] PATH...\n";
        err.flush();
        return ProbeExit::Usage;
    }
    ProbeOptions options;
    options.seconds = arguments.seconds;
    struct Slot {
        std::unique_ptr<ProbeRunner> runner;
        std::unique_ptr<ProbeRunner::Session> session;
        qsizetype index = -1;
    };
    std::vector<Slot> engineSlots;
    for (FlashControl* engine : engines)
        engineSlots.push_back({ std::make_unique<ProbeRunner>(*engine, settings, options), nullptr, -1 });

    const QStringList& paths = arguments.paths;
    const std::vector<qsizetype> order = startOrder(paths, engines.size());
    std::vector<std::optional<ProbeResult>> results(size_t(paths.size()));
    qsizetype next = 0, printed = 0, done = 0;
    const auto collect = [&](Slot& slot) {
        results[size_t(slot.index)] = slot.session->Result();
        slot.session.reset();
        ++done;
        if (progress)
            progress(done, paths.size());
    };
    const auto fill = [&](Slot& slot) {
        if (engineReady && !engineReady(&slot - engineSlots.data()))
            return;
        while (!slot.session && next < paths.size()) {
            slot.index = order[size_t(next++)];
            slot.session = slot.runner->Start(paths.at(slot.index));
            if (slot.session->Done())
                collect(slot);
        }
    };
    const auto printReady = [&] {
        for (; printed < paths.size() && results[size_t(printed)]; ++printed)
            out << ProbeRunner::ToJsonLine(*results[size_t(printed)]) << '\n';
        out.flush(); // people watch long runs line by line
    };
    for (Slot& slot : engineSlots)
        fill(slot);
    printReady();
    while (done < paths.size()) {
        const int ms = passTime(Transport::TimerPlayIntervalMs);
        for (Slot& slot : engineSlots) {
            if (!slot.session) {
                fill(slot);
                continue;
            }
            slot.session->Step(ms);
            if (slot.session->Done())
                collect(slot);
            fill(slot);
        }
        printReady();
    }

    QList<ProbeResult> all;
    for (const std::optional<ProbeResult>& r : results)
        all.append(*r);
    if (arguments.summary) {
        out << ProbeSummaryLine(all) << '\n';
        out.flush();
    }
    return ProbeRunner::AllEnded(all) ? ProbeExit::AllEnded : ProbeExit::SomeDidNotEnd;
}

QString ProbeSummaryLine(const QList<ProbeResult>& results)
{
    const QString reasons[] = { ProbeReason::LastFrame, ProbeReason::StuckFrame, ProbeReason::LoopTimeOut,
        ProbeReason::JumpedBackFromEnd, ProbeReason::TimeLimit, ProbeReason::FailedToLoad };
    const auto count
        = [&](const auto& test) { return QString::number(std::count_if(results.begin(), results.end(), test)); };
    QString line = u"{\"Summary\":{\"Movies\":"_qs + QString::number(results.size()) + u",\"FramesRead\":"
        + count([](const ProbeResult& r) { return r.FrameRead; });
    for (const QString& reason : reasons)
        line += u',' + JsonString(reason) + u':' + count([&](const ProbeResult& r) { return r.Reason == reason; });
    return line + u"}}";
}

int JobsWithinMemory(int requested, qint64 availableBytes)
{
    const qint64 fit = availableBytes / EnginePageBytes;
    return int(std::clamp<qint64>(std::min<qint64>(requested, fit), 1, std::max(requested, 1)));
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
