#include "SpokenCallouts.h"

#include "clock/MissionState.h"
#include "platform/Clock.h"
#include "platform/ProgramSettings.h"
#include "platform/Speaker.h"
#include "platform/widgets/MenuItem.h"

#include <QAction>
#include <QMenu>

#include <algorithm>
#include <array>
#include <chrono>

using namespace Qt::StringLiterals;

namespace {

// Functions rather than constants: the list of calls may be asked for from another file's static data.
QString holdCall()
{
    return u"Hold, hold, hold"_s;
}
QString resumeCall()
{
    return u"Count resuming"_s;
}
QString warningCall()
{
    return u"One minute of launch window remaining"_s;
}
QString expiryCall()
{
    return u"Launch window expired"_s;
}
QString liftoffCall()
{
    return u"Liftoff"_s;
}

} // namespace

SpokenCallouts::SpokenCallouts(const MissionState& state, const Clock& clock, Speaker& speaker, QMenu* menu,
                               QObject* parent)
    : QObject(parent), m_state(state), m_clock(clock), m_speaker(speaker), m_lastCount(state.count())
{
    setObjectName(u"SpokenCallouts"_s);
    m_waitTimer.setSingleShot(true);
    connect(&m_waitTimer, &QTimer::timeout, this, &SpokenCallouts::playWaiting);

    connect(&state, &MissionState::countChanged, this, &SpokenCallouts::countChanged);
    connect(&state, &MissionState::holdingChanged, this, &SpokenCallouts::holdingChanged);
    // What sounded before a jump of the clock is not waited for: the next call plays at once.
    connect(&state, &MissionState::clockJumped, this, [this] { m_soundsUntil = 0; });
    connect(&state, &MissionState::windowWarningChanged, this, [this](bool shown) {
        if (shown)
            due(Kind::Window, warningCall());
    });
    connect(&state, &MissionState::windowExpiredChanged, this, [this](bool expired) {
        if (expired)
            due(Kind::Window, expiryCall());
    });

    // A milestone's name is made into sound when the sequence names it, and called when the count reaches it.
    connect(&state, &MissionState::sequenceChanged, this, &SpokenCallouts::followSequence);
    connect(&state, &MissionState::milestoneReached, this,
            [this](const Milestone& milestone) { due(Kind::Milestone, milestone.name); });
    followSequence();

    connect(&speaker, &Speaker::prepared, this, &SpokenCallouts::prepared);
    connect(&speaker, &Speaker::preparationFailed, this, [this](const QString& text) {
        m_preparing.remove(text);
        m_unspeakable.insert(text);
    });
    connect(&speaker, &Speaker::availabilityChanged, this, &SpokenCallouts::showAvailability);

    if (menu) {
        m_item = MenuItem::add(menu, u"mnuSpokenCallouts"_s, u"Spoken &Callouts"_s);
        m_item->setCheckable(true);
        // The item says why it cannot be chosen when sound is unavailable.
        menu->setToolTipsVisible(true);
        connect(m_item, &QAction::triggered, this, [this](bool on) {
            ProgramSettings().setSpokenCallouts(on);
            setOn(on);
        });
    }
    setOn(ProgramSettings().spokenCallouts());
}

SpokenCallouts::~SpokenCallouts()
{
    if (m_on)
        m_speaker.setOn(false);
}

const QStringList& SpokenCallouts::fixedCalls()
{
    static const QStringList calls = [] {
        QStringList list;
        for (const qint64 count : {600, 300, 60, 30, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0})
            list.append(countCall(count));
        return list << holdCall() << resumeCall() << warningCall() << expiryCall();
    }();
    return calls;
}

QString SpokenCallouts::countCall(qint64 count)
{
    switch (count) {
    case 600:
        return u"T minus 10 minutes"_s;
    case 300:
        return u"T minus 5 minutes"_s;
    case 60:
        return u"T minus 1 minute"_s;
    case 30:
        return u"T minus 30 seconds"_s;
    case 0:
        return liftoffCall();
    default:
        return count >= 1 && count <= 10 ? QString::number(count) : QString();
    }
}

void SpokenCallouts::setOn(bool on)
{
    if (on == m_on)
        return;
    m_on = on;
    if (m_item)
        m_item->setChecked(on);
    m_due.clear();
    m_waiting.clear();
    m_waitTimer.stop();
    m_soundsUntil = 0;
    m_speaker.setOn(on);
    if (!on)
        return;
    prepareMissing();
    showAvailability(m_speaker.availability());
}

void SpokenCallouts::followSequence()
{
    QStringList names;
    for (const Milestone& milestone : m_state.sequence().milestones()) {
        if (!names.contains(milestone.name))
            names.append(milestone.name);
    }
    // Clips of names no longer in the sequence go: a long sequence renamed often would otherwise pile them up.
    const QSet<QString> keep(names.cbegin(), names.cend());
    for (auto it = m_clips.begin(); it != m_clips.end();) {
        if (!keep.contains(it.key()) && !fixedCalls().contains(it.key()))
            it = m_clips.erase(it);
        else
            ++it;
    }
    m_milestoneNames = names;
    prepareMissing();
}

void SpokenCallouts::countChanged()
{
    const std::optional<qint64> count = m_state.count();
    const std::optional<qint64> last = std::exchange(m_lastCount, count);
    if (!m_on || !count)
        return;
    // The count stands while held; only the tick that begins a hold may still show the second it begins in.
    const bool holdBegunNow =
        std::any_of(m_due.cbegin(), m_due.cend(), [](const Call& call) { return call.text == holdCall(); });
    if (m_state.holding() && !holdBegunNow)
        return;
    // "Count resuming" stands for the second the count resumes on.
    if (m_clock.currentMSecs() / 1000 == m_resumedInSecond)
        return;
    QString text = countCall(*count);
    // A tick late enough to skip the target's own second still turns the count to T +.
    if (text.isEmpty() && *count == -1 && last == 1)
        text = liftoffCall();
    if (!text.isEmpty())
        due(Kind::Count, text);
}

void SpokenCallouts::holdingChanged(bool holding)
{
    m_resumedInSecond = holding ? -1 : m_clock.currentMSecs() / 1000;
    due(Kind::Hold, holding ? holdCall() : resumeCall());
}

// Calls made by one event (a tick, a command) are gathered and played together once it has been handled, so that
// they play in their order whichever signal came first.
void SpokenCallouts::due(Kind kind, const QString& text)
{
    if (!m_on)
        return;
    // A count set back within one turn (a hold that begins in the second a late tick passed) is called as it ends.
    if (kind == Kind::Count)
        m_due.removeIf([](const Call& call) { return call.kind == Kind::Count; });
    m_due.append({kind, text});
    if (std::exchange(m_playPosted, true))
        return;
    QMetaObject::invokeMethod(this, &SpokenCallouts::playDue, Qt::QueuedConnection);
}

void SpokenCallouts::playDue()
{
    m_playPosted = false;
    QList<Call> calls = std::exchange(m_due, {});
    if (calls.isEmpty())
        return;
    std::stable_sort(calls.begin(), calls.end(), [](const Call& a, const Call& b) { return a.kind < b.kind; });
    QList<SpeechClip> clips;
    for (const Call& call : std::as_const(calls)) {
        const auto clip = m_clips.constFind(call.text);
        if (clip != m_clips.cend()) // a call whose clip is not ready yet is left out rather than heard late
            clips.append(*clip);
    }
    const qint64 now = m_clock.currentMSecs();
    if (calls.constFirst().kind == Kind::Count) {
        // A new second: whatever the last one still had to say gives way.
        m_waiting.clear();
        m_waitTimer.stop();
        if (!clips.isEmpty())
            play(clips);
        else if (now < m_soundsUntil)
            m_speaker.stop();
        return;
    }
    if (clips.isEmpty())
        return;
    if (now >= m_soundsUntil && m_waiting.isEmpty()) {
        play(clips);
        return;
    }
    // After what this second still says.
    m_waiting.append(clips);
    if (!m_waitTimer.isActive())
        m_waitTimer.start(std::chrono::milliseconds(std::max<qint64>(0, m_soundsUntil - now)));
}

void SpokenCallouts::playWaiting()
{
    if (!m_waiting.isEmpty())
        play(std::exchange(m_waiting, {}));
}

void SpokenCallouts::play(const QList<SpeechClip>& clips)
{
    qint64 length = 0;
    for (const SpeechClip& clip : clips)
        length += clip.durationMsecs();
    m_speaker.play(clips);
    m_soundsUntil = m_clock.currentMSecs() + length;
}

void SpokenCallouts::prepareMissing()
{
    if (!m_on)
        return;
    for (const QStringList* texts : std::array<const QStringList*, 2>{&fixedCalls(), &m_milestoneNames}) {
        for (const QString& text : *texts) {
            if (m_clips.contains(text) || m_preparing.contains(text) || m_unspeakable.contains(text))
                continue;
            m_preparing.insert(text);
            m_speaker.prepare(text);
        }
    }
}

void SpokenCallouts::prepared(const SpeechClip& clip)
{
    m_preparing.remove(clip.text());
    if (fixedCalls().contains(clip.text()) || m_milestoneNames.contains(clip.text()))
        m_clips.insert(clip.text(), clip);
}

void SpokenCallouts::showAvailability(const SoundAvailability& availability)
{
    const bool silent = availability.state == SoundAvailability::State::Unavailable;
    const QString why = silent ? u"Spoken callouts cannot be heard: "_s + availability.reason : QString();
    if (m_item) {
        m_item->setEnabled(!silent);
        m_item->setToolTip(why);
    }
    if (!silent || !m_on)
        return;
    // Nothing would be heard: the item shows them off, and the settings keep the operator's choice.
    setOn(false);
    emit unavailable(why);
}
