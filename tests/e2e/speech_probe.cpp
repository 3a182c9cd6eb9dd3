// Speaks through the real speaker, one step a second, and notes when each step was asked to play: the program
// side of the real-sound tests (speech_sound.sh) and a way to hear the clips by hand.
//
//   speech_probe [--log FILE] STEP...
//
// A step is a text, several texts joined by '|' that play one after another, or '-' for a silent second. Once
// every text is prepared, step n is played n seconds after the next whole second of the monotonic clock; each
// played step adds a line "MONOTONIC_MS TEXTS" to the log. Exits with 2 when sound is unavailable (saying why on
// standard error), 3 when a text could not be prepared.

#include "platform/SystemSpeaker.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QHash>
#include <QSet>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>

using namespace Qt::StringLiterals;

namespace {

double monotonicMsecs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

int fail(int code, const QString& message)
{
    std::fprintf(stderr, "speech_probe: %s\n", qPrintable(message));
    return code;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QStringList steps = app.arguments().mid(1);
    QFile log;
    if (steps.size() >= 2 && steps.front() == u"--log") {
        log.setFileName(steps.at(1));
        if (!log.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
            return fail(1, u"cannot write "_s + log.fileName());
        steps = steps.mid(2);
    }
    if (steps.isEmpty())
        return fail(1, u"usage: speech_probe [--log FILE] STEP..."_s);

    const std::unique_ptr<SystemSpeaker> speaker = SystemSpeaker::create();
    QHash<QString, SpeechClip> clips;
    QString problem;
    QObject::connect(speaker.get(), &Speaker::prepared, &app,
                     [&](const SpeechClip& clip) { clips.insert(clip.text(), clip); });
    QObject::connect(speaker.get(), &Speaker::preparationFailed, &app,
                     [&](const QString& text, const QString& why) { problem = text + u": "_s + why; });
    speaker->setOn(true);
    QSet<QString> texts;
    for (const QString& step : steps)
        if (step != u"-")
            for (const QString& text : step.split(u'|'))
                texts.insert(text);
    for (const QString& text : texts)
        speaker->prepare(text);

    QEventLoop ready;
    const auto check = [&] {
        if (!problem.isEmpty() ||
            (clips.size() == texts.size() && speaker->availability().state != SoundAvailability::State::Unknown))
            ready.quit();
    };
    QObject::connect(speaker.get(), &Speaker::prepared, &ready, check, Qt::QueuedConnection);
    QObject::connect(speaker.get(), &Speaker::preparationFailed, &ready, check, Qt::QueuedConnection);
    QObject::connect(speaker.get(), &Speaker::availabilityChanged, &ready, check, Qt::QueuedConnection);
    QTimer::singleShot(60000, &ready, &QEventLoop::quit);
    ready.exec();
    if (!problem.isEmpty())
        return fail(3, problem);
    if (!speaker->availability().isAvailable())
        return fail(2, speaker->availability().reason.isEmpty() ? u"no answer from the speaker"_s
                                                                : speaker->availability().reason);

    const double start = (std::floor(monotonicMsecs() / 1000) + 1) * 1000;
    for (qsizetype i = 0; i <= steps.size(); ++i) {
        while (monotonicMsecs() < start + double(i) * 1000) {
            const int wait = int(start + double(i) * 1000 - monotonicMsecs());
            QTimer::singleShot(std::max(wait, 0), Qt::PreciseTimer, &app, [] {});
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        }
        if (i == steps.size() || steps.at(i) == u"-")
            continue;
        QList<SpeechClip> step;
        for (const QString& text : steps.at(i).split(u'|'))
            step.append(clips.value(text));
        const double at = monotonicMsecs();
        speaker->play(step);
        if (log.isOpen())
            log.write(QByteArray::number(at, 'f', 1) + ' ' + steps.at(i).toUtf8() + '\n');
    }
    // The last step may still be playing.
    QTimer::singleShot(3000, &app, &QCoreApplication::quit);
    app.exec();
    speaker->setOn(false);
    return 0;
}
