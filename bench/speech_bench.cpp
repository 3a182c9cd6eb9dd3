// What speaking costs and how promptly it is heard. Runs the main window offscreen on the real clock with the real
// speaker and prints, for each phase: CPU time, wake-ups of the window's thread and of every other thread, and
// resident memory. Phases: the speaker made but off (nothing touched), preparing
// every fixed call (time until all are ready), on and idle, counting "10" ... "1", "Liftoff" on the window's
// seconds (quiet, then with two CPU hogs), off again. Each count call is logged as "MONOTONIC_MS PHASE TEXT" for
// soundtrace.py, which finds the onsets in a recording of the sound server: run it through speech_bench.sh.
//
//   QT_QPA_PLATFORM=offscreen build/bench/speech_bench --plays FILE [--runs N] [--idle-seconds N]

#include "CountingWindow.h"
#include "ProcessMeters.h"
#include "platform/SystemSpeaker.h"
#include "platform/widgets/WatchedLabel.h"
#include "shell/SpokenCallouts.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QHash>
#include <QProcess>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <map>
#include <memory>
#include <vector>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

// One run: a call on each of twelve seconds, the last one silent so that "Liftoff" ends before "10".
const QStringList countCalls{u"10"_s, u"9"_s, u"8"_s, u"7"_s, u"6"_s,       u"5"_s,
                             u"4"_s,  u"3"_s, u"2"_s, u"1"_s, u"Liftoff"_s, QString()};

double monotonicMsecs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

qint64 statusField(const QByteArray& status, const QByteArray& name)
{
    for (const QByteArray& line : status.split('\n'))
        if (line.startsWith(QByteArray(name + ':')))
            return line.mid(name.size() + 1).trimmed().split(' ').front().toLongLong();
    return 0;
}

struct ThreadSample
{
    QString name;
    qint64 wakeUps = 0;  // voluntary context switches: each time the thread slept and was woken
    qint64 cpuNsecs = 0; // from schedstat
};

// Every thread of a process, by thread id.
std::map<qint64, ThreadSample> sampleThreads(const QString& process)
{
    std::map<qint64, ThreadSample> threads;
    const QDir tasks(process + u"/task"_s);
    for (const QString& tid : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QString task = tasks.filePath(tid);
        ThreadSample sample;
        sample.name = QString::fromLocal8Bit(readFile(task + u"/comm"_s).trimmed());
        sample.wakeUps = statusField(readFile(task + u"/status"_s), "voluntary_ctxt_switches");
        sample.cpuNsecs = readFile(task + u"/schedstat"_s).split(' ').front().toLongLong();
        threads[tid.toLongLong()] = sample;
    }
    return threads;
}

void wait(std::chrono::milliseconds span)
{
    QEventLoop loop;
    QTimer::singleShot(span, &loop, &QEventLoop::quit);
    loop.exec();
}

// Measures the process while body runs, then prints one block for the phase.
template <typename Body> void measure(const char* phase, Body&& body)
{
    const auto threadsBefore = sampleThreads(u"/proc/self"_s);
    const double cpuBefore = ProcessMeters::cpuSeconds();
    QElapsedTimer wall;
    wall.start();
    body();
    const double seconds = double(wall.nsecsElapsed()) / 1e9;
    const double cpu = ProcessMeters::cpuSeconds() - cpuBefore;
    const auto threadsAfter = sampleThreads(u"/proc/self"_s);
    const qint64 rssKiB = statusField(readFile(u"/proc/self/status"_s), "VmRSS");

    std::printf("%s (%.1f s): CPU %.2f ms/s, resident %lld KiB, %zu threads\n", phase, seconds, cpu * 1000 / seconds,
                static_cast<long long>(rssKiB), threadsAfter.size());
    const qint64 self = QCoreApplication::applicationPid();
    for (const auto& [tid, after] : threadsAfter) {
        const auto before = threadsBefore.find(tid);
        const ThreadSample start = before == threadsBefore.end() ? ThreadSample{} : before->second;
        const double wakeUps = double(after.wakeUps - start.wakeUps) / seconds;
        const double cpuMs = double(after.cpuNsecs - start.cpuNsecs) / 1e6 / seconds;
        if (tid == self || wakeUps >= 0.05 || cpuMs >= 0.01)
            std::printf("    %-18s wake-ups %7.2f /s   CPU %7.3f ms/s\n",
                        qPrintable(tid == self ? u"window thread"_s : after.name), wakeUps, cpuMs);
    }
    std::fflush(stdout);
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QString playsPath;
    int runs = 10;
    int idleSeconds = 10;
    const QStringList args = app.arguments();
    for (qsizetype i = 1; i + 1 < args.size(); i += 2) {
        if (args.at(i) == u"--plays")
            playsPath = args.at(i + 1);
        else if (args.at(i) == u"--runs")
            runs = std::max(1, args.at(i + 1).toInt());
        else if (args.at(i) == u"--idle-seconds")
            idleSeconds = std::max(1, args.at(i + 1).toInt());
    }
    QFile plays(playsPath);
    if (playsPath.isEmpty() || !plays.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) {
        std::fprintf(stderr, "usage: speech_bench --plays FILE [--runs N] [--idle-seconds N]\n");
        return 1;
    }

    CountingWindow counting;
    auto* seconds = counting.window.findChild<WatchedLabel*>(u"lblSeconds"_s);
    // The window's own speaker: one per process.
    SystemSpeaker* speaker = counting.speaker.get();
    const QStringList& fixedCalls = SpokenCallouts::fixedCalls();
    const auto idle = [&] { wait(std::chrono::seconds(idleSeconds)); };
    wait(2s); // past start-up

    measure("speaker off, nothing touched", idle);

    QHash<QString, SpeechClip> clips;
    QObject::connect(speaker, &Speaker::prepared, &app,
                     [&](const SpeechClip& clip) { clips.insert(clip.text(), clip); });
    double availableAfter = 0;
    measure("switching on and preparing every fixed call", [&] {
        const double start = monotonicMsecs();
        QObject::connect(speaker, &Speaker::availabilityChanged, &app,
                         [&] { availableAfter = monotonicMsecs() - start; });
        speaker->setOn(true);
        for (const QString& text : fixedCalls)
            speaker->prepare(text);
        QEventLoop loop;
        const auto check = [&] {
            if (clips.size() == fixedCalls.size() && availableAfter > 0)
                loop.quit();
        };
        QObject::connect(speaker, &Speaker::prepared, &loop, check, Qt::QueuedConnection);
        QObject::connect(speaker, &Speaker::availabilityChanged, &loop, check, Qt::QueuedConnection);
        QTimer::singleShot(60s, &loop, &QEventLoop::quit);
        loop.exec();
        qint64 bytes = 0;
        for (const SpeechClip& clip : std::as_const(clips))
            bytes += clip.pcm().size();
        std::printf("%lld of %lld calls ready after %.0f ms (%lld KiB of sound); sound: %s after %.0f ms\n",
                    static_cast<long long>(clips.size()), static_cast<long long>(fixedCalls.size()),
                    monotonicMsecs() - start, static_cast<long long>(bytes / 1024),
                    speaker->availability().isAvailable() ? "available" : qPrintable(speaker->availability().reason),
                    availableAfter);
    });
    if (!speaker->availability().isAvailable() || clips.size() < fixedCalls.size())
        return 2;

    speaker->play({clips.value(u"1"_s)});
    wait(2s);
    measure("speaker on, output open and idle", idle);

    const auto count = [&](const char* phase) {
        int call = 0;
        const int calls = runs * int(countCalls.size());
        QEventLoop loop;
        const auto connection = QObject::connect(seconds, &WatchedLabel::textChanged, &app, [&] {
            const QString& text = countCalls.at(call % countCalls.size());
            if (!text.isEmpty()) {
                const double at = monotonicMsecs();
                speaker->play({clips.value(text)});
                plays.write(QByteArray::number(at, 'f', 2) + ' ' + phase + ' ' + text.toUtf8() + '\n');
            }
            if (++call == calls)
                loop.quit();
        });
        loop.exec();
        QObject::disconnect(connection);
        plays.flush();
    };
    measure("counting, quiet", [&] { count("quiet"); });

    std::vector<std::unique_ptr<QProcess>> hogs;
    for (int i = 0; i < 2; ++i) {
        hogs.push_back(std::make_unique<QProcess>());
        hogs.back()->start(u"/bin/sh"_s, {u"-c"_s, u"while :; do :; done"_s});
        hogs.back()->waitForStarted();
    }
    measure("counting, two CPU hogs", [&] { count("hogs"); });
    for (auto& hog : hogs) {
        hog->kill();
        hog->waitForFinished();
    }

    wait(2s);
    speaker->setOn(false);
    wait(1s);
    measure("speaker off again", idle);
    return 0;
}
