#include "GuiTest.h"

#include "LaunchFiles.h"
#include "clock/CountdownSequence.h"
#include "clock/LaunchTimeEntry.h"
#include "clock/SequenceEngine.h"
#include "files/SequenceFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using Entry = SequenceProblem::Entry;
using Kind = Milestone::Kind;
using LaunchFiles::readBytes;
using LaunchFiles::writeBytes;

namespace {

Milestone hold(qint32 time, const QString& name, qint32 length)
{
    return {time, name, Kind::BuiltInHold, length};
}

Milestone callout(qint32 time, const QString& name)
{
    return {time, name, Kind::Callout, 0};
}

CountdownSequence sequenceOf(const QList<Milestone>& milestones)
{
    CountdownSequence s;
    for (const Milestone& m : milestones) {
        const SequenceProblem problem = s.add(m);
        if (!problem.isNone())
            qFatal("bad test sequence: %s", qPrintable(problem.text));
    }
    return s;
}

// A plan with every kind of entry a file must carry: both kinds, days, after liftoff, awkward names.
CountdownSequence busySequence()
{
    return sequenceOf({hold(-1200, u"Built-in hold"_s, 600), callout(-240, u"Go/No-Go poll"_s),
                       hold(-93600, u"Crew, \"suit\" up"_s, 86399), callout(150, u"Zoë — 東京 👩‍🚀"_s),
                       callout(0, u"=1+1, \"\""_s), hold(-1, u"x"_s, 1), callout(Milestone::FarthestTime, u"Far"_s)});
}

const CivilDateTime T0 = FakeClock::at(u"May 3, 2001 10:30:00 AM"); // the initial launch target

// The mission with no window on a fake clock, the count standing at count seconds before the initial target, with
// a sequence, holds armed or not, and optionally an active launch window.
class Countdown
{
public:
    Countdown(MainWindowFixture& f, qint64 count, const CountdownSequence& sequence, bool armed = true)
        : clock(f.clock()), prompter(f.prompter()), mission(clock, prompter), state(mission.state()),
          engine(mission.sequence())
    {
        clock.setNow(T0.addSecs(-count));
        engine.setSequence(sequence);
        if (armed)
            mission.holds().ToggleHoldEnable();
        mission.launchClock().tmrCountdown().start();
        settle();
    }

    // Seconds passing one by one, each tick in its own second.
    void tick(int seconds = 1)
    {
        for (int i = 0; i < seconds; ++i) {
            clock.advance(1);
            settle();
        }
    }
    void activeWindow(const QString& remaining)
    {
        mission.launchWindow().setRemainingText(remaining);
        mission.launchWindow().setWindowActive(true);
        settle();
    }
    void toggleHold()
    {
        mission.holds().ToggleHold();
        settle();
    }
    MissionState::MilestoneState stateAt(qint32 time) const
    {
        return state.milestoneState(state.sequence().indexOf(time));
    }
    qint64 count() const { return state.count().value_or(-999999); }
    // How far the holds have moved the target.
    qint64 moved() const { return T0.secsTo(*state.target()); }
    CivilDateTime projection() const { return state.projectedLiftoff().value_or(CivilDateTime()); }
    qint64 lClock() const { return state.lClock().value_or(-999999); }

    FakeClock& clock;
    ScriptedPrompter& prompter;
    Mission mission;
    const MissionState& state;
    SequenceEngine& engine;
};

using MilestoneState = MissionState::MilestoneState;

} // namespace

Q_DECLARE_METATYPE(Milestone)
Q_DECLARE_METATYPE(SequenceProblem::Entry)

class TestSequence : public GuiTest
{
    Q_OBJECT

private slots:
    // Each form the operator or a spreadsheet may write, with the text the program writes back.
    void timeTexts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("seconds");
        QTest::addColumn<QString>("written");
        QTest::newRow("before liftoff") << u"T - 00:20:00"_s << -1200 << u"T - 00:20:00"_s;
        QTest::newRow("after liftoff") << u"T + 00:02:30"_s << 150 << u"T + 00:02:30"_s;
        QTest::newRow("with days") << u"T - 1 02:00:00"_s << -93600 << u"T - 1 02:00:00"_s;
        QTest::newRow("farthest") << u"T + 365 23:59:59"_s << 31622399 << u"T + 365 23:59:59"_s;
        QTest::newRow("liftoff, either sign") << u"T - 00:00:00"_s << 0 << u"T + 00:00:00"_s;
        QTest::newRow("no day, one-digit hour") << u"T - 0 0:20:00"_s << -1200 << u"T - 00:20:00"_s;
        QTest::newRow("tight, lower case") << u"t-00:00:01"_s << -1 << u"T - 00:00:01"_s;
        QTest::newRow("blanks, en dash") << u"  T \u2013  2   00:00:05 "_s << -172805 << u"T - 2 00:00:05"_s;
    }

    void timeTexts()
    {
        QFETCH(QString, text);
        QFETCH(int, seconds);
        QFETCH(QString, written);
        const Milestone::Parsed parsed = Milestone::parseTime(text);
        QVERIFY2(parsed.problem.isNone(), qPrintable(parsed.problem.text));
        QCOMPARE(parsed.value, std::optional<qint32>(seconds));
        QCOMPARE(Milestone::timeText(seconds), written);
        QCOMPARE(Milestone::parseTime(written).value, std::optional<qint32>(seconds));
    }

    // Wrong T-times and lengths are refused with a reason that names the entry and quotes the text.
    void badEntries_data()
    {
        QTest::addColumn<bool>("isTime");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("problem");
        const QString form = u" is not in the form "_s;
        const QString range = u" is out of range"_s;
        QTest::newRow("empty T-time") << true << u" "_s << u"The T-time is empty"_s;
        QTest::newRow("no seconds") << true << u"T - 00:20"_s << form;
        QTest::newRow("no T") << true << u"- 00:20:00"_s << form;
        QTest::newRow("no sign") << true << u"T 00:20:00"_s << form;
        QTest::newRow("more after it") << true << u"T - 00:20:00 AM"_s << form;
        QTest::newRow("four-digit days") << true << u"T - 1000 00:00:00"_s << form;
        QTest::newRow("other digits") << true << u"T - \u0661\u0662:00:00"_s << form;
        QTest::newRow("366 days") << true << u"T - 366 00:00:00"_s << range;
        QTest::newRow("24 hours") << true << u"T + 24:00:00"_s << range;
        QTest::newRow("60 seconds") << true << u"T - 00:00:60"_s << range;
        QTest::newRow("empty length") << false << QString() << u"needs a planned length"_s;
        QTest::newRow("minutes only") << false << u"10"_s << form;
        QTest::newRow("negative") << false << u"-0:10:00"_s << form;
        QTest::newRow("nothing held") << false << u"0:00:00"_s << range;
        QTest::newRow("a whole day") << false << u"24:00:00"_s << range;
        QTest::newRow("60 minutes") << false << u"0:60:00"_s << range;
    }

    void badEntries()
    {
        QFETCH(bool, isTime);
        QFETCH(QString, text);
        QFETCH(QString, problem);
        const Milestone::Parsed parsed = isTime ? Milestone::parseTime(text) : Milestone::parseLength(text);
        QVERIFY(!parsed.value);
        QCOMPARE(parsed.problem.entry, isTime ? Entry::TTime : Entry::Length);
        QVERIFY2(parsed.problem.text.contains(problem), qPrintable(parsed.problem.text));
        if (!text.trimmed().isEmpty())
            QVERIFY2(parsed.problem.text.contains(u'"' + text.trimmed() + u'"'), qPrintable(parsed.problem.text));
    }

    void lengths()
    {
        QCOMPARE(Milestone::parseLength(u"0:00:01"_s).value, std::optional<qint32>(1));
        QCOMPARE(Milestone::parseLength(u" 00:10:00 "_s).value, std::optional<qint32>(600));
        QCOMPARE(Milestone::parseLength(u"23:59:59"_s).value, std::optional<qint32>(86399));
        QCOMPARE(Milestone::lengthText(600), u"0:10:00"_s);
        QCOMPARE(Milestone::lengthText(86399), u"23:59:59"_s);
    }

    // The rules of one milestone, each at its edge.
    void milestoneRules_data()
    {
        QTest::addColumn<Milestone>("milestone");
        QTest::addColumn<Entry>("entry");
        QTest::addColumn<QString>("problem");
        const QString sixty(60, u'x');
        QString sixtyAstronauts;
        for (int i = 0; i < 60; ++i)
            sixtyAstronauts += u"\U0001F680"_s;
        QTest::newRow("60 characters") << callout(-5, sixty) << Entry::None << QString();
        QTest::newRow("60 characters beyond 16 bits") << callout(-5, sixtyAstronauts) << Entry::None << QString();
        QTest::newRow("61 characters") << callout(-5, sixty + u'x') << Entry::Name
                                       << u"The name has 61 characters; a name has at most 60."_s;
        QTest::newRow("empty name") << callout(-5, QString()) << Entry::Name << u"The name is empty."_s;
        QTest::newRow("blank name") << callout(-5, u" \t"_s) << Entry::Name << u"The name is empty."_s;
        QTest::newRow("blank around the name") << callout(-5, u" Poll"_s) << Entry::Name << u"blank"_s;
        QTest::newRow("line break") << callout(-5, u"Go\nNo-Go"_s) << Entry::Name << u"control character"_s;
        QTest::newRow("half a pair") << callout(-5, QString(QChar(0xD83D))) << Entry::Name << u"control"_s;
        QTest::newRow("hold at T - 1 s") << hold(-1, u"Last"_s, 1) << Entry::None << QString();
        QTest::newRow("hold at liftoff") << hold(0, u"Late"_s, 60) << Entry::TTime
                                         << u"T - 00:00:01 or earlier, and T + 00:00:00 is later"_s;
        QTest::newRow("hold after liftoff") << hold(10, u"Late"_s, 60) << Entry::TTime << u"T + 00:00:10"_s;
        QTest::newRow("callout at liftoff") << callout(0, u"Liftoff"_s) << Entry::None << QString();
        QTest::newRow("hold of no length") << hold(-5, u"Poll"_s, 0) << Entry::Length << u"0:00:00"_s;
        QTest::newRow("hold of a day") << hold(-5, u"Poll"_s, 86400) << Entry::Length << u"24:00:00"_s;
        QTest::newRow("beyond 365 days") << callout(-Milestone::FarthestTime - 1, u"Early"_s) << Entry::TTime
                                         << u"T - 366 00:00:00"_s;
        Milestone lengthyCallout = callout(-5, u"Poll"_s);
        lengthyCallout.plannedLength = 60;
        QTest::newRow("callout with length") << lengthyCallout << Entry::Length << u"A callout has no"_s;
    }

    void milestoneRules()
    {
        QFETCH(Milestone, milestone);
        QFETCH(Entry, entry);
        QFETCH(QString, problem);
        const SequenceProblem found = milestone.problem();
        QCOMPARE(found.entry, entry);
        QVERIFY2(problem.isEmpty() ? found.isNone() : found.text.contains(problem), qPrintable(found.text));
    }

    // The sequence window builds milestones from its entries: the name without blanks around it, the first
    // problem in the order of the entries.
    void fromTexts()
    {
        const auto built =
            Milestone::fromTexts(u"T - 00:04:00"_s, u"  Go/No-Go poll "_s, Kind::BuiltInHold, u"0:15:00");
        QCOMPARE(built.milestone, std::optional<Milestone>(hold(-240, u"Go/No-Go poll"_s, 900)));
        QCOMPARE(Milestone::fromTexts(u"T - 4"_s, QString(), Kind::BuiltInHold, u"x").problem.entry, Entry::TTime);
        QCOMPARE(Milestone::fromTexts(u"T + 00:04:00"_s, u"Late"_s, Kind::BuiltInHold, u"x").problem.entry,
                 Entry::Length);
        QCOMPARE(Milestone::fromTexts(u"T + 00:04:00"_s, QString(), Kind::BuiltInHold, u"0:01:00").problem.entry,
                 Entry::Name);
        QCOMPARE(Milestone::fromTexts(u"T + 00:04:00"_s, u"Late"_s, Kind::BuiltInHold, u"0:01:00").problem.entry,
                 Entry::TTime);
        const auto lengthyCallout = Milestone::fromTexts(u"T - 00:04:00"_s, u"Poll"_s, Kind::Callout, u"0:01:00");
        QVERIFY(lengthyCallout.problem.text.startsWith(u"A callout has no planned length"_s));
        QCOMPARE(Milestone::fromTexts(u"T - 00:04:00"_s, u"Poll"_s, Kind::Callout, u" ").milestone,
                 std::optional<Milestone>(callout(-240, u"Poll"_s)));
    }

    // The list stays in T order, and a change that breaks a rule is refused and changes nothing.
    void sequenceChanges()
    {
        CountdownSequence s = sequenceOf({callout(-240, u"Poll"_s), hold(-1200, u"Hold"_s, 600), callout(30, u"Up"_s)});
        QCOMPARE(s.size(), 3);
        QCOMPARE(s.at(0).time, -1200);
        QCOMPARE(s.at(2).time, 30);
        QCOMPARE(s.indexOf(-240), 1);
        QCOMPARE(s.indexOf(-241), -1);
        const CountdownSequence before = s;

        const SequenceProblem twin = s.add(callout(-240, u"Other"_s));
        QCOMPARE(twin.entry, Entry::TTime);
        QCOMPARE(twin.text, u"There is already a milestone at T - 00:04:00: \"Poll\"."_s);
        QVERIFY(!s.add(hold(60, u"Late"_s, 60)).isNone());
        QVERIFY(!s.replace(0, callout(30, u"Clash"_s)).isNone());
        QVERIFY(!s.replace(0, hold(-1200, QString(), 600)).isNone());
        QVERIFY(!s.replace(3, callout(-7, u"Gone"_s)).isNone());
        QVERIFY(!s.replace(-1, callout(-7, u"Gone"_s)).isNone());
        QVERIFY(!s.remove(3));
        QVERIFY(!s.remove(-1));
        QCOMPARE(s, before);

        QVERIFY(s.replace(1, callout(-240, u"Poll again"_s)).isNone()); // its own T-time
        QCOMPARE(s.at(1).name, u"Poll again"_s);
        QVERIFY(s.replace(0, hold(-60, u"Hold"_s, 900)).isNone()); // moves behind the poll
        QCOMPARE(s.at(0).time, -240);
        QCOMPARE(s.at(1), hold(-60, u"Hold"_s, 900));
        QVERIFY(s.remove(0));
        QCOMPARE(s.milestones(), (QList<Milestone>{hold(-60, u"Hold"_s, 900), callout(30, u"Up"_s)}));
    }

    // A sequence holds at most 1,000 milestones, so every sequence the program saves can be read back.
    void fullSequence()
    {
        CountdownSequence s;
        for (int i = 0; i < CountdownSequence::MostMilestones; ++i)
            QVERIFY(s.add(callout(-i, u"m"_s)).isNone());
        const SequenceProblem full = s.add(callout(-5000, u"one more"_s));
        QCOMPARE(full.text, u"The sequence already holds 1,000 milestones, as many as it can hold."_s);
        QCOMPARE(s.size(), 1000);
        QVERIFY(s.replace(0, callout(-5000, u"moved"_s)).isNone());
        QCOMPARE(SequenceFile::parse(SequenceFile::encode(s)).sequence, s);
    }

    void filePaths()
    {
        QCOMPARE(SequenceFile::pathFor(u"/data/apollo.trv"_s), u"/data/apollo.tvseq"_s);
        QCOMPARE(SequenceFile::pathFor(u"C:\\Missions\\LAUNCH.TRV"_s), u"C:\\Missions\\LAUNCH.tvseq"_s);
        QCOMPARE(SequenceFile::pathFor(u"/data/plan.txt"_s), u"/data/plan.txt.tvseq"_s);
        QCOMPARE(SequenceFile::pathFor(u"/data.trv/plan"_s), u"/data.trv/plan.tvseq"_s);
    }

    // What the program writes reads back the same; a plain sequence looks as a person would type it.
    void fileRoundTrip()
    {
        const QByteArray plain =
            SequenceFile::encode(sequenceOf({callout(-240, u"Go/No-Go poll"_s), hold(-1200, u"Built-in hold"_s, 600)}));
        QCOMPARE(plain, QByteArray("t,kind,length,name\r\nT - 00:20:00,hold,0:10:00,Built-in hold\r\n"
                                   "T - 00:04:00,callout,,Go/No-Go poll\r\n"));
        const QByteArray busy = SequenceFile::encode(busySequence());
        QVERIFY(busy.startsWith("\xEF\xBB\xBFt,kind"));
        QVERIFY(busy.contains(",\"Crew, \"\"suit\"\" up\"\r\n"));
        const SequenceFile::Parsed parsed = SequenceFile::parse(busy);
        QVERIFY2(parsed.problem.isEmpty(), qPrintable(parsed.problem));
        QCOMPARE(parsed.sequence, busySequence());
        QCOMPARE(SequenceFile::parse(SequenceFile::encode({})).sequence, CountdownSequence());
    }

    // Files as spreadsheets and editors write them.
    void spreadsheetFiles_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QList<QByteArray> lines = {"T - 00:20:00,hold,0:10:00,Built-in hold",
                                         "T - 00:04:00,callout,,Go/No-Go poll"};
        QTest::newRow("LF") << "t,kind,length,name\n" + lines[0] + '\n' + lines[1] + '\n';
        QTest::newRow("CRLF, no end") << "t,kind,length,name\r\n" + lines[0] + "\r\n" + lines[1];
        QTest::newRow("BOM, header in capitals")
            << "\xEF\xBB\xBFT,Kind,LENGTH,Name\r\n" + lines[1] + "\r\n" + lines[0] + "\r\n";
        QTest::newRow("all quoted") << QByteArray("\"t\",\"kind\",\"length\",\"name\"\r\n\"T - 00:20:00\",\"HOLD\","
                                                  "\"0:10:00\",\"Built-in hold\"\r\n\"T - 00:04:00\",\"Callout\",\"\","
                                                  "\"Go/No-Go poll\"\r\n");
        QTest::newRow("empty columns and rows")
            << "\r\n,,,\r\nt,kind,length,name,,\r\n" + lines[0] + ",,\r\n,,,,,\r\n\r\n" + lines[1] + ",\r\n,,\r\n";
        QTest::newRow("a line of 1 KiB") << "t,kind,length,name\n" + lines[0] + QByteArray(1024 - 39, ' ') + '\n' +
                                                lines[1];
        QTest::newRow("blanks and a dash")
            << QByteArray("t , kind, length ,name\r\n  T \xE2\x80\x93 00:20:00 , hold , 00:10:00 , Built-in hold \r\n"
                          "T-00:04:00,callout, ,\" Go/No-Go poll\"\r\n");
    }

    void spreadsheetFiles()
    {
        QFETCH(QByteArray, bytes);
        const SequenceFile::Parsed parsed = SequenceFile::parse(bytes);
        QVERIFY2(parsed.problem.isEmpty(), qPrintable(parsed.problem));
        QCOMPARE(parsed.sequence,
                 sequenceOf({hold(-1200, u"Built-in hold"_s, 600), callout(-240, u"Go/No-Go poll"_s)}));
    }

    // A damaged file is refused whole, naming its first bad line.
    void damagedFiles_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("problem");
        const QByteArray head = "t,kind,length,name\r\n";
        const QByteArray good = "T - 00:20:00,hold,0:10:00,Built-in hold\r\n";
        QByteArray thousand = head;
        for (int i = 1; i <= 1001; ++i)
            thousand += Milestone::timeText(-i).toUtf8() + ",callout,,Step " + QByteArray::number(i) + "\r\n";
        QTest::newRow("no header") << good + head << 1 << u"header line t,kind,length,name"_s;
        QTest::newRow("header of another file") << QByteArray("t,kind,name\r\n") << 1 << u"header"_s;
        QTest::newRow("line over 1 KiB") << head + good + "T - 00:04:00,callout,,Poll" + QByteArray(999, ' ') + "\r\n"
                                         << 3 << u"longer than 1 KiB"_s;
        QTest::newRow("not UTF-8") << head + "T - 00:04:00,callout,,Caf\xE9\r\n" << 2 << u"not UTF-8 text"_s;
        QTest::newRow("NUL byte") << head + good + QByteArray("x\0y", 3) << 3 << u"not UTF-8 text"_s;
        QTest::newRow("binary") << QByteArray("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16) << 1 << u"not UTF-8 text"_s;
        QTest::newRow("open quote") << head + "T - 00:04:00,callout,,\"Poll\r\nmore\"\r\n" << 2 << u"does not close"_s;
        QTest::newRow("after a quote") << head + "T - 00:04:00,callout,,\"Poll\" two\r\n" << 2 << u"after its"_s;
        QTest::newRow("three fields") << head + good + "T - 00:04:00,callout,Poll\r\n" << 3 << u"holds 3 fields"_s;
        QTest::newRow("five fields") << head + "T - 00:04:00,callout,,Poll,x\r\n" << 2 << u"holds 5 fields"_s;
        QTest::newRow("kind") << head + "T - 00:04:00,call,,Poll\r\n" << 2 << u"The kind \"call\" is neither"_s;
        QTest::newRow("T-time") << head + "T - 4,callout,,Poll\r\n" << 2 << u"The T-time \"T - 4\""_s;
        QTest::newRow("length") << head + "T - 00:04:00,hold,15 min,Poll\r\n" << 2 << u"\"15 min\""_s;
        QTest::newRow("hold at liftoff") << head + "T + 00:00:00,hold,0:01:00,Up\r\n" << 2 << u"T + 00:00:00"_s;
        QTest::newRow("no name") << head + "T - 00:04:00,callout,," << 2 << u"The name is empty."_s;
        QTest::newRow("name") << head + "T - 00:04:00,callout,," + QByteArray(61, 'n') << 2 << u"61 characters"_s;
        QTest::newRow("same T-time") << head + good + "\r\nT - 0 00:20:00,callout,,Twin\r\n"
                                     << 4 << u"already a milestone at T - 00:20:00: \"Built-in hold\""_s;
        QTest::newRow("1,001 milestones") << thousand << 1002 << u"1,000 milestones"_s;
        QTest::newRow("past 2 MiB") << head + good + QByteArray(2 * 1024 * 1024, '\n') << 2 * 1024 * 1024 - 58
                                    << u"past 2 MiB"_s;
    }

    void damagedFiles()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, line);
        QFETCH(QString, problem);
        const SequenceFile::Parsed parsed = SequenceFile::parse(bytes);
        QCOMPARE(parsed.badLine, line);
        QVERIFY2(parsed.problem.startsWith(u"Line %1 cannot be used.  "_s.arg(line)) &&
                     parsed.problem.contains(problem),
                 qPrintable(parsed.problem));
        QVERIFY(parsed.sequence.isEmpty());
    }

    // Reading beside the launch data: no file is an empty sequence, a refused one is empty with a message that
    // names the file; a link is followed to a file, never to anything else.
    void readingFiles()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"launch.tvseq"_s);
        const SequenceFile::Read none = SequenceFile::readFile(path);
        QVERIFY(none.sequence.isEmpty() && none.problem.isEmpty() && !none.found);

        QVERIFY(writeBytes(path, "t,kind,length,name\nT - 00:04:00,callout,,Poll\nT - 4,callout,,Bad\n"));
        const SequenceFile::Read damaged = SequenceFile::readFile(path);
        QVERIFY(damaged.sequence.isEmpty() && damaged.found && damaged.realPath.isEmpty());
        QVERIFY2(damaged.problem.startsWith(u"Tarvane could not read the countdown sequence "_s % path %
                                            u".  Line 3 cannot be used.  The T-time \"T - 4\""),
                 qPrintable(damaged.problem));

        const QString real = dir.filePath(u"real.csv"_s);
        QVERIFY(writeBytes(real, SequenceFile::encode(busySequence())));
        QVERIFY(QFile::remove(path) && QFile::link(real, path));
        const SequenceFile::Read linked = SequenceFile::readFile(path);
        QCOMPARE(linked.sequence, busySequence());
        QCOMPARE(linked.realPath, QFileInfo(real).canonicalFilePath());

        QVERIFY(QFile::remove(real));
        QVERIFY(SequenceFile::readFile(path).problem.endsWith(u"It is a link to a file that does not exist."_s));
        QVERIFY(QFile::remove(path) && QFile::link(u"/dev/zero"_s, path));
        QVERIFY(SequenceFile::readFile(path).problem.endsWith(u"It is not a file."_s));
    }

    // An empty sequence leaves no file where there was none, and empties one that stood there; a link is written
    // through only to a file this run knows.
    void writingFiles()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"launch.tvseq"_s);
        QVERIFY(SequenceFile::writeFile(path, {}, {}).problem.isEmpty());
        QVERIFY(!QFileInfo::exists(path));
        QVERIFY(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden).isEmpty());

        QVERIFY(SequenceFile::writeFile(path, busySequence(), {}).problem.isEmpty());
        QCOMPARE(SequenceFile::readFile(path).sequence, busySequence());
        QVERIFY(SequenceFile::writeFile(path, {}, {}).problem.isEmpty());
        QCOMPARE(readBytes(path), QByteArray("t,kind,length,name\r\n"));

        const QString notes = dir.filePath(u"notes.txt"_s);
        const QString link = dir.filePath(u"other.tvseq"_s);
        QVERIFY(writeBytes(notes, "the operator's notes\n") && QFile::link(notes, link));
        const SafeSave::Written refused = SequenceFile::writeFile(link, busySequence(), {});
        QCOMPARE(SequenceFile::cannotSaveMessage(link, refused),
                 u"Tarvane could not save the countdown sequence "_s % link %
                     u".  It is a link to a file that Tarvane has not read as a countdown sequence.  Nothing was "
                     u"written.");
        QCOMPARE(readBytes(notes), QByteArray("the operator's notes\n"));
        const QString nowhereLink = dir.filePath(u"nowhere.tvseq"_s);
        QVERIFY(QFile::link(dir.filePath(u"gone/plan.tvseq"_s), nowhereLink));
        QVERIFY(SequenceFile::writeFile(nowhereLink, {}, {}).problem.isEmpty());
        QVERIFY(!SequenceFile::writeFile(nowhereLink, busySequence(), {}).problem.isEmpty());
        QVERIFY(!QFileInfo::exists(dir.filePath(u"gone"_s)));
        QVERIFY(
            SequenceFile::writeFile(link, busySequence(), {QFileInfo(notes).canonicalFilePath()}).problem.isEmpty());
        QVERIFY(QFileInfo(link).isSymLink());
        QCOMPARE(SequenceFile::readFile(notes).sequence, busySequence());

        const QString nowhere = dir.filePath(u"missing/launch.tvseq"_s);
        const SafeSave::Written failed = SequenceFile::writeFile(nowhere, busySequence(), {});
        QVERIFY(!failed.problem.isEmpty() && !failed.replaced);
        QVERIFY(!QFileInfo::exists(nowhere));
    }

    // A built-in hold holds the count in its own second, not one late, moves the target by exactly its length,
    // runs the launch window down, and resumes by itself; the projection stands still all along while the L
    // clock runs down.
    void builtInHoldRunsItsLength()
    {
        Countdown c(f, 242, sequenceOf({hold(-240, u"Built-in hold"_s, 60), callout(-230, u"Poll"_s)}));
        c.activeWindow(u"0:10:00"_s);
        QSignalSpy reached(&c.state, &MissionState::milestoneReached);
        QCOMPARE(c.state.nextMilestone(), std::optional(hold(-240, u"Built-in hold"_s, 60)));
        QCOMPARE(c.state.secondsTo(*c.state.nextMilestone()), 2);
        QCOMPARE(c.lClock(), 302);
        QCOMPARE(c.state.projectedLiftoffText(), u"May 3, 2001   10:31:00 AM"_s);
        QCOMPARE(c.state.windowCheck().text(),
                 u"The planned holds need 0:01:00 and 0:10:00 of launch window is left"_s);
        QVERIFY(c.state.windowCheck().fits());

        c.tick();
        QCOMPARE(c.count(), 241);
        QVERIFY(!c.state.holding());
        c.tick();
        QVERIFY(c.state.holding());
        QCOMPARE(c.count(), 240);
        QCOMPARE(c.stateAt(-240), MilestoneState::Running);
        QCOMPARE(c.state.runningHold()->start, c.clock.now());
        QCOMPARE(c.state.runningHoldLeft(), 60);
        QCOMPARE(reached.count(), 1);
        QCOMPARE(c.state.nextMilestone()->name, u"Poll"_s);
        c.tick(59);
        QVERIFY(c.state.holding());
        QCOMPARE(c.count(), 240);
        QCOMPARE(c.moved(), 59);
        QCOMPARE(c.state.windowRemainingText(), u"00:09:01"_s);
        QCOMPARE(c.state.runningHoldLeft(), 1);
        QCOMPARE(c.lClock(), 241);
        QCOMPARE(c.state.secondsTo(*c.state.nextMilestone()), 10); // stands still during the hold
        QCOMPARE(c.state.windowCheck().text(),
                 u"The planned holds need 0:00:01 and 0:09:01 of launch window is left"_s);
        c.tick();
        QVERIFY(!c.state.holding());
        QCOMPARE(c.moved(), 60);
        QCOMPARE(c.state.windowRemainingText(), u"00:09:00"_s);
        QCOMPARE(c.stateAt(-240), MilestoneState::Passed);
        QCOMPARE(c.state.runningHold(), std::nullopt);
        QCOMPARE(c.state.projectedLiftoffText(), u"May 3, 2001   10:31:00 AM"_s);
        QVERIFY(c.state.projectionKnown());
        c.tick(10);
        QCOMPARE(c.count(), 230);
        QCOMPARE(c.lClock(), 230);
        QCOMPARE(reached.count(), 2);
        QCOMPARE(reached.last().first().value<Milestone>().name, u"Poll"_s);
    }

    // A tick that comes late still holds the count at the hold's own second, as if Hold had been pressed then;
    // the milestones after it wait for the count.
    void lateTickHoldsFromTheHoldsSecond()
    {
        Countdown c(f, 241, sequenceOf({hold(-240, u"Hold"_s, 60), callout(-239, u"After"_s)}));
        c.activeWindow(u"0:10:00"_s);
        QSignalSpy reached(&c.state, &MissionState::milestoneReached);
        c.clock.pass(3);
        c.mission.launchClock().tmrCountdown_Timer();
        settle();
        QVERIFY(c.state.holding());
        QCOMPARE(c.count(), 240);
        QCOMPARE(c.moved(), 2);
        QCOMPARE(c.state.runningHold()->start, c.clock.now().addSecs(-2));
        QCOMPARE(c.state.windowRemainingText(), u"00:09:58"_s);
        QCOMPARE(c.stateAt(-239), MilestoneState::Ahead);
        QCOMPARE(reached.count(), 1);
        c.tick(58);
        QVERIFY(!c.state.holding());
        QCOMPARE(c.moved(), 60);
        c.tick();
        QCOMPARE(c.count(), 239);
        QCOMPARE(reached.count(), 2);
    }

    // The operator may resume before the planned end, or add a minute at a time up to a day less a second.
    void earlyResumeAndExtend()
    {
        Countdown c(f, 241, sequenceOf({hold(-240, u"Poll hold"_s, 60), hold(-120, u"Long"_s, 86340)}));
        QVERIFY(!c.engine.canExtendHold());
        c.tick();
        c.tick(10);
        c.toggleHold();
        QVERIFY(!c.state.holding());
        QCOMPARE(c.moved(), 10);
        QCOMPARE(c.stateAt(-240), MilestoneState::Passed);
        QVERIFY(!c.engine.extendHold());

        c.tick(120);
        QCOMPARE(c.stateAt(-120), MilestoneState::Running);
        const CivilDateTime planned = c.projection();
        QVERIFY(c.engine.extendHold());
        QCOMPARE(c.state.runningHold()->length(), 86399);
        QCOMPARE(c.state.runningHoldLeft(), 86399);
        QCOMPARE(c.projection(), planned.addSecs(59));
        QVERIFY(!c.engine.canExtendHold());
        QVERIFY(!c.engine.extendHold());
        c.tick(86398);
        QVERIFY(c.state.holding());
        c.tick();
        QVERIFY(!c.state.holding());
        QCOMPARE(c.moved(), 10 + 86399);
    }

    // Extensions add to the planned length; a new length replaces it, extensions kept; a new name shows at once.
    void editsOfTheRunningHold()
    {
        Countdown c(f, 240, sequenceOf({hold(-240, u"Hold"_s, 60), callout(-100, u"Poll"_s)}));
        QVERIFY(c.state.holding());
        QVERIFY(c.engine.extendHold());
        QVERIFY(c.engine.extendHold());
        QCOMPARE(c.state.runningHoldLeft(), 180);
        QVERIFY(c.engine.replaceMilestone(0, hold(-240, u"Polling"_s, 30)).isNone());
        QCOMPARE(c.state.runningHold()->milestone.name, u"Polling"_s);
        QCOMPARE(c.state.runningHoldLeft(), 150);
        c.tick(149);
        QVERIFY(c.state.holding());
        c.tick();
        QVERIFY(!c.state.holding());
        QCOMPARE(c.moved(), 150);
    }

    // Removed, or made something else, the running hold's milestone leaves an operator's hold: the count stays held
    // until Resume, and nobody knows when liftoff will be.
    void removedRunningHoldHoldsUntilResume_data()
    {
        QTest::addColumn<int>("change");
        QTest::newRow("removed") << 0;
        QTest::newRow("made a callout") << 1;
        QTest::newRow("moved") << 2;
    }

    void removedRunningHoldHoldsUntilResume()
    {
        QFETCH(int, change);
        Countdown c(f, 240, sequenceOf({hold(-240, u"Hold"_s, 60)}));
        QVERIFY(c.state.holding());
        c.tick(5);
        const CivilDateTime projection = c.projection();
        if (change == 0)
            QVERIFY(c.engine.removeMilestone(0));
        else
            QVERIFY(c.engine.replaceMilestone(0, change == 1 ? callout(-240, u"Hold"_s) : hold(-200, u"Hold"_s, 60))
                        .isNone());
        QCOMPARE(c.state.runningHold(), std::nullopt);
        QVERIFY(!c.state.projectionKnown());
        QCOMPARE(c.projection(), projection);
        c.tick(100);
        QVERIFY(c.state.holding());
        QCOMPARE(c.lClock(), c.clock.now().secsTo(projection)); // runs on
        c.toggleHold();
        QVERIFY(!c.state.holding());
        QCOMPARE(c.moved(), 105);
        QVERIFY(c.state.projectionKnown());
    }

    // With holds disarmed a built-in hold is skipped, and the projection does not count on it.
    void disarmedHoldsAreSkipped()
    {
        Countdown c(f, 242, sequenceOf({hold(-240, u"Hold"_s, 60)}), false);
        QSignalSpy skipped(&c.state, &MissionState::builtInHoldSkipped);
        QSignalSpy reached(&c.state, &MissionState::milestoneReached);
        QCOMPARE(c.lClock(), 242);
        c.tick(2);
        QVERIFY(!c.state.holding());
        QCOMPARE(c.stateAt(-240), MilestoneState::Skipped);
        QCOMPARE(skipped.count(), 1);
        QCOMPARE(reached.count(), 1);
        c.tick();
        QCOMPARE(c.stateAt(-240), MilestoneState::Skipped);
        QCOMPARE(c.moved(), 0);
        c.clock.setNow(T0.addSecs(-300)); // back before it: ahead again
        settle();
        QCOMPARE(c.stateAt(-240), MilestoneState::Ahead);
        c.mission.holds().ToggleHoldEnable();
        settle();
        QCOMPARE(c.lClock(), 360);
    }

    // A jump of the clock that lands on a milestone's second acts on it; one that carries the count past passes it
    // without acting; one back makes it ahead again.
    void jumpsOfTheClock()
    {
        Countdown c(f, 400,
                    sequenceOf({callout(-300, u"Poll"_s), hold(-240, u"Hold"_s, 60), hold(-120, u"Late"_s, 30)}));
        QSignalSpy reached(&c.state, &MissionState::milestoneReached);
        const auto jumpTo = [&](qint64 count) {
            c.clock.setNow(c.state.target()->addSecs(-count));
            settle();
        };
        jumpTo(250);
        QCOMPARE(c.stateAt(-300), MilestoneState::Passed);
        QCOMPARE(reached.count(), 0);
        jumpTo(240);
        QVERIFY(c.state.holding());
        QCOMPARE(c.stateAt(-240), MilestoneState::Running);
        QCOMPARE(reached.count(), 1);
        c.toggleHold();
        jumpTo(100);
        QVERIFY(!c.state.holding());
        QCOMPARE(c.stateAt(-120), MilestoneState::Passed);
        QCOMPARE(c.lClock(), 100);
        jumpTo(500);
        for (qint32 time : {-300, -240, -120})
            QCOMPARE(c.stateAt(time), MilestoneState::Ahead);
        QCOMPARE(c.lClock(), 590);
        QCOMPARE(reached.count(), 1);
    }

    // The Sim Time menu is such a jump: "T - 4" onto a built-in hold at T - 00:04:00 begins it, and passes one at
    // T - 00:05:00 on the way.
    void simTimeOntoABuiltInHold()
    {
        f.tenMinutesBefore();
        SequenceEngine& engine = f.mission().sequence();
        QVERIFY(engine.addMilestone(hold(-300, u"Passed by"_s, 60)).isNone());
        QVERIFY(engine.addMilestone(hold(-240, u"Landed on"_s, 60)).isNone());
        f.arm();
        f.prompter().answer(Prompter::Answer::Yes);
        QVERIFY(f.trigger(u"mnuTminus4"_s));
        QVERIFY(f.holding());
        QCOMPARE(f.count(), u"T - 000 00:04:00"_s);
        QCOMPARE(f.state().milestoneState(0), MilestoneState::Passed);
        QCOMPARE(f.state().milestoneState(1), MilestoneState::Running);
    }

    // An operator's own hold shifts every later milestone in real time; the L clock runs on through it and the
    // projection is not known until Resume.
    void operatorsHoldBeforeAMilestone()
    {
        Countdown c(f, 300, sequenceOf({hold(-240, u"Hold"_s, 60)}));
        const CivilDateTime planned = c.projection();
        QCOMPARE(planned, T0.addSecs(60));
        c.toggleHold();
        c.tick(100);
        QVERIFY(!c.state.projectionKnown());
        QCOMPARE(c.projection(), planned);
        QCOMPARE(c.lClock(), 260);
        QCOMPARE(c.state.secondsTo(c.state.sequence().at(0)), 60);
        c.toggleHold();
        QVERIFY(c.state.projectionKnown());
        QCOMPARE(c.projection(), planned.addSecs(100));
        c.tick(59);
        QVERIFY(!c.state.holding());
        c.tick();
        QVERIFY(c.state.holding());
        QCOMPARE(c.count(), 240);
        QCOMPARE(c.stateAt(-240), MilestoneState::Running);
    }

    // Built-in holds one after another: each holds for its length at its second, and the projected liftoff
    // stands still to the second through all of them while the L clock runs down by one each second.
    void builtInHoldsInARow()
    {
        Countdown c(f, 181,
                    sequenceOf({hold(-180, u"One"_s, 10), hold(-120, u"Two"_s, 20), hold(-60, u"Three"_s, 30)}));
        const CivilDateTime liftoff = T0.addSecs(60);
        QCOMPARE(c.projection(), liftoff);
        QMap<qint64, int> heldAt;
        for (qint64 left = 181 + 60 - 1; left >= 0; --left) {
            c.tick();
            QCOMPARE(c.projection(), liftoff);
            QCOMPARE(c.lClock(), left);
            if (c.state.holding())
                ++heldAt[c.count()];
        }
        QCOMPARE(heldAt, (QMap<qint64, int>{{180, 10}, {120, 20}, {60, 30}}));
        QCOMPARE(c.count(), 0);
        QCOMPARE(c.moved(), 60);
        QCOMPARE(c.state.nextMilestone(), std::nullopt);
    }

    // The window check says whether the holds still to run fit what is left of the launch window, and flags it
    // when they stop fitting: here when an operator's hold uses the window up.
    void windowCheckFlips()
    {
        Countdown c(f, 300, sequenceOf({hold(-240, u"One"_s, 40), hold(-120, u"Two"_s, 30)}));
        QCOMPARE(c.state.windowCheck().applies, false);
        c.activeWindow(u"0:01:00"_s);
        QCOMPARE(c.state.windowCheck().text(),
                 u"The planned holds need 0:01:10 and 0:01:00 of launch window is left"_s);
        QVERIFY(!c.state.windowCheck().fits());
        QVERIFY(c.engine.removeMilestone(1));
        QVERIFY(c.state.windowCheck().fits());
        c.toggleHold();
        c.tick(20);
        QVERIFY(c.state.windowCheck().fits());
        c.tick();
        QCOMPARE(c.state.windowCheck().text(),
                 u"The planned holds need 0:00:40 and 0:00:39 of launch window is left"_s);
        QVERIFY(!c.state.windowCheck().fits());
    }

    // After the launch window expires the built-in hold does not end by itself: the operator decides.
    void noResumeAfterExpiry()
    {
        Countdown c(f, 240, sequenceOf({hold(-240, u"Hold"_s, 60)}));
        QVERIFY(c.state.holding());
        c.activeWindow(u"0:00:30"_s);
        c.prompter.answer(Prompter::Answer::Ok);
        c.tick(31);
        QVERIFY(c.state.windowExpired());
        QVERIFY(!c.state.projectionKnown());
        c.tick(60);
        QVERIFY(c.state.holding());
        QCOMPARE(c.state.runningHoldLeft(), 0);
        c.toggleHold();
        QVERIFY(!c.state.holding());
    }

    // A new launch time during a built-in hold re-bases the hold; the planned length still counts from the
    // hold's own start, and the new count puts the hold ahead again.
    void newLaunchTimeDuringABuiltInHold()
    {
        Countdown c(f, 240, sequenceOf({hold(-240, u"Hold"_s, 60)}));
        const CivilDateTime start = c.clock.now();
        c.tick(10);
        LaunchTimeEntry& entry = c.mission.launchTimeEntry();
        entry.setTimeTexts({u"00"_s, u"30"_s, u"11"_s}); // an hour later
        c.prompter.answer(Prompter::Answer::Yes);
        entry.SetLaunchTime();
        settle();
        QVERIFY(c.state.holding());
        c.tick(49);
        QVERIFY(c.state.holding());
        c.tick();
        QVERIFY(!c.state.holding());
        QCOMPARE(c.clock.now(), start.addSecs(60));
        QCOMPARE(c.moved(), 3600 + 50);
        QCOMPARE(c.count(), 3600 + 50 + 240 - 60);
        QCOMPARE(c.stateAt(-240), MilestoneState::Ahead);
    }

    // A sequence read in takes its states from where the count stands.
    void loadedSequenceStandsWhereTheCountIs()
    {
        Countdown c(f, 200, sequenceOf({callout(-100, u"Old"_s)}));
        QSignalSpy next(&c.state, &MissionState::nextMilestoneChanged);
        QSignalSpy reached(&c.state, &MissionState::milestoneReached);
        c.engine.setSequence(sequenceOf({callout(-300, u"Past"_s), hold(-150, u"Hold"_s, 60), callout(30, u"Up"_s)}));
        QCOMPARE(c.stateAt(-300), MilestoneState::Passed);
        QCOMPARE(c.state.nextMilestone()->name, u"Hold"_s);
        QCOMPARE(next.count(), 1);
        QCOMPARE(c.lClock(), 260);
        c.engine.setSequence({});
        QCOMPARE(c.state.nextMilestone(), std::nullopt);
        QCOMPARE(c.lClock(), 200);
        QCOMPARE(reached.count(), 0);
    }
};

QTEST_MAIN(TestSequence)
#include "tst_sequence.moc"
