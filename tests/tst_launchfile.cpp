#include "LaunchFiles.h"
#include "ScriptedPrompter.h"
#include "files/DefaultFileCare.h"
#include "files/LaunchFileContext.h"
#include "files/LaunchFileNames.h"
#include "files/LaunchFileOptions.h"
#include "files/LaunchRecordReader.h"
#include "files/LaunchRecordWriter.h"
#include "files/SequenceFile.h"
#include "files/modOpenFile.h"
#include "files/modSaveAs.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

using LaunchFiles::readBytes;
using LaunchFiles::record;
using LaunchFiles::writeBytes;

// Settings held in a record, with every record applied logged.
struct FakeSettings
{
    LaunchRecord v;
    QList<LaunchRecord> applied;

    void apply(const LaunchRecord& r)
    {
        applied << r;
        v = r;
    }
};

CountdownSequence plan()
{
    CountdownSequence s;
    s.add({-1200, u"Built-in hold"_s, Milestone::Kind::BuiltInHold, 600});
    s.add({-240, u"Go/No-Go poll"_s, Milestone::Kind::Callout, 0});
    return s;
}
const QByteArray PlanBytes =
    "t,kind,length,name\r\nT - 00:20:00,hold,0:10:00,Built-in hold\r\nT - 00:04:00,callout,,Go/No-Go poll\r\n";

LaunchRecord initialValues()
{
    LaunchRecord r;
    r.launchTarget = u"May 3, 2001   10:30:00 AM"_s;
    r.launchDate = u"May 3, 2001"_s;
    r.launchWindowRemaining = u"00:00:00"_s;
    r.launchSeconds = u"00"_s;
    r.launchMinutes = u"30"_s;
    r.launchHours = u"10"_s;
    r.windowSeconds = r.windowMinutes = r.windowHours = u"00"_s;
    return r;
}

// The routines' world: fake settings, scripted dialogs and a throw-away default folder.
struct Desk
{
    QTemporaryDir dir;
    FakeSettings settings;
    LaunchFileNames names;
    ScriptedPrompter prompter;
    LaunchFileContext files{[this] { return settings.v; }, [this](const LaunchRecord& r) { settings.apply(r); }, names,
                            prompter, LaunchFileOptions{QDir::toNativeSeparators(dir.path()), {}, {}}};
    CountdownSequence sequence;
    QList<CountdownSequence> sequencesApplied;

    Desk()
    {
        settings.v = initialValues();
        files.sequence = [this] { return sequence; };
        files.applySequence = [this](const CountdownSequence& s) {
            sequencesApplied << s;
            sequence = s;
        };
    }
    QString path(const QString& name) const { return QDir::toNativeSeparators(dir.filePath(name)); }
};

} // namespace

class TestLaunchFile : public QObject
{
    Q_OBJECT

private slots:
    void splitFields_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("fields");
        QTest::newRow("quoted and bare") << u"\"a b\",12,#TRUE#\r\n"_s << QStringList{u"a b"_s, u"12"_s, u"#TRUE#"_s};
        QTest::newRow("one field per line") << u"\"a\"\r\n3\r\n\"c\"\r\n"_s << QStringList{u"a"_s, u"3"_s, u"c"_s};
        QTest::newRow("bare line feeds and carriage returns") << u"a\nb\rc"_s << QStringList{u"a"_s, u"b"_s, u"c"_s};
        QTest::newRow("blanks before a field are skipped")
            << u" \t\"a\",  7 ,\t#FALSE#"_s << QStringList{u"a"_s, u"7"_s, u"#FALSE#"_s};
        QTest::newRow("what follows a closing quote is dropped")
            << u"\"a\"xyz,\"b\" junk\r\nc"_s << QStringList{u"a"_s, u"b"_s, u"c"_s};
        QTest::newRow("commas inside quotes belong to the field")
            << u"\"May 3, 2001\",x"_s << QStringList{u"May 3, 2001"_s, u"x"_s};
        QTest::newRow("an open quote runs to the end") << u"a,\"b,c"_s << QStringList{u"a"_s, u"b,c"_s};
        QTest::newRow("a trailing comma promises an empty field") << u"a,"_s << QStringList{u"a"_s, QString()};
        QTest::newRow("empty fields between commas") << u",,\"\""_s << QStringList{QString(), QString(), QString()};
        QTest::newRow("nothing at all") << QString() << QStringList();
    }

    void splitFields()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, fields);
        QCOMPARE(LaunchRecordReader::splitFields(text), fields);
    }

    void roundTrip_data()
    {
        QTest::addColumn<LaunchRecord>("value");
        LaunchRecord initial = initialValues();
        initial.saveName = initial.currentFile = u"/tmp/launch.trv"_s;
        QTest::newRow("initial values") << initial;
        LaunchRecord busy = initial;
        busy.launchTarget = u"December 31, 2099   11:59:59 PM"_s;
        busy.launchDate = u"not a date, typed"_s; // the operator's entry loads as it stands
        busy.launchWindowActive = true;
        busy.holdsArmed = true;
        busy.launchWindowRemaining = u"23:59:59"_s;
        busy.launchSeconds = u"59"_s;
        busy.launchMinutes = u"5"_s;
        busy.launchHours = u"23"_s;
        busy.windowSeconds = u"x,"_s;
        busy.windowMinutes = QString();
        busy.windowHours = u" 7"_s;
        busy.saveName = u"/home/Zoë/Startrampe — 東京/a b.trv"_s;
        busy.currentFile = QString();
        QTest::newRow("everything changed, UTF-8 path") << busy;
    }

    // Every record the program writes reads back to the same values.
    void roundTrip()
    {
        QFETCH(LaunchRecord, value);
        const auto encoded = LaunchRecordWriter::encode(value);
        QVERIFY(encoded.problem.isEmpty());
        const auto parsed = LaunchRecordReader::parse(encoded.bytes);
        QVERIFY2(parsed.record, qPrintable(parsed.problem));
        QCOMPARE(*parsed.record, value);
    }

    void refuseUnwritableValues_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("value");
        QTest::newRow("quote in the launch date") << 2 << u"May \"3\""_s;
        QTest::newRow("line feed in window hours") << 11 << u"1\n"_s;
    }

    void refuseUnwritableValues()
    {
        QFETCH(int, field);
        QFETCH(QString, value);
        LaunchRecord r = initialValues();
        (field == 2 ? r.launchDate : r.windowHours) = value;
        const auto encoded = LaunchRecordWriter::encode(r);
        QVERIFY(encoded.bytes.isEmpty());
        QVERIFY2(encoded.problem.contains(LaunchRecord::fieldName(field)), qPrintable(encoded.problem));
        QVERIFY(encoded.problem.contains(u"double quote or a line break"_s));
    }

    void badRecords_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("reason");
        const QByteArray good = record(u"/a.trv"_s, u"/b.trv"_s);
        auto with = [&](int field, const QByteArray& text) -> QByteArray {
            QList<QByteArray> parts = good.chopped(2).split(',');
            // The target and the date hold a comma each, so their fields take two parts.
            const int index = field == 1 ? 0 : field == 2 ? 2 : field + 1;
            parts[index] = text;
            if (field <= 2)
                parts.removeAt(index + 1);
            return parts.join(',') + "\r\n";
        };
        QTest::newRow("empty file") << QByteArray() << u"0 of the 13 fields"_s;
        QTest::newRow("twelve fields") << good.left(good.lastIndexOf(',')) << u"12 of the 13 fields"_s;
        QTest::newRow("target not a date") << with(1, "\"soon\"") << u"field 1 (the launch target)"_s;
        QTest::newRow("active is 2") << with(3, "2") << u"field 3 (launch window active)"_s;
        QTest::newRow("active is empty") << with(3, "") << u"field 3"_s;
        QTest::newRow("armed in lower case") << with(4, "#true#") << u"field 4 (holds armed)"_s;
        QTest::newRow("armed as a number") << with(4, "1") << u"field 4"_s;
        QTest::newRow("window left not a duration") << with(5, "\"25:00:00\"") << u"field 5"_s;
        QTest::newRow("second 60") << with(6, "\"60\"") << u"field 6 (the launch second)"_s;
        QTest::newRow("minute not a number") << with(7, "\"3a\"") << u"field 7 (the launch minute)"_s;
        QTest::newRow("hour 24") << with(8, "\"24\"") << u"field 8 (the launch hour)"_s;
        QTest::newRow("hour negative") << with(8, "-1") << u"field 8"_s;
        QTest::newRow("line break inside a quoted date")
            << with(2, "\"May\r\n3\"") << u"field 2 (the launch date) runs over a line break"_s;
        QTest::newRow("NUL byte") << QByteArray(good).insert(5, '\0') << u"not text"_s;
        QTest::newRow("escape byte") << QByteArray(good).insert(5, '\x1b') << u"not text"_s;
        QTest::newRow("byte undefined in Windows-1252") << QByteArray(good).insert(5, '\x81') << u"not text"_s;
        QTest::newRow("over 64 KiB") << good + QByteArray(64 * 1024, ' ') << u"larger than 64 KiB"_s;
        // Only a launch record's own values are quoted back, never lines of some other text file.
        QTest::newRow("a list of accounts")
            << QByteArray("root:x:0:0:root:/root:/bin/bash\nsecret:x:1000:1000:A,B,C,D:/home/s:/bin/sh\n"
                          "x\ny\nz\nw\nv\nu\nt\ns\nr\nq\n")
            << u"Field 1 (the launch target) is not a date and time."_s;
        QTest::newRow("a record's own value") << with(1, "\"soon\"") + "\r\n\r\n" << u"The value \"soon\" of field 1"_s;
    }

    void badRecords()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, reason);
        const auto parsed = LaunchRecordReader::parse(bytes);
        QVERIFY(!parsed.record);
        QVERIFY2(parsed.problem.contains(reason), qPrintable(parsed.problem));
        QVERIFY2(!parsed.problem.contains(u"root"_s), qPrintable(parsed.problem));
    }

    void operatorEntriesLoadAsTheyStand()
    {
        QByteArray bytes = record(u"/a.trv"_s, u"/b.trv"_s);
        bytes.replace("\"May 3, 2001\"", "\"a date far too long for its field\"");
        bytes.replace(",\"00\",\"00\",\"00\",", ",\"123\",\"\",\"ab\",");
        const auto parsed = LaunchRecordReader::parse(bytes);
        QVERIFY2(parsed.record, qPrintable(parsed.problem));
        QCOMPARE(parsed.record->launchDate, u"a date far too lon"_s);
        QCOMPARE(parsed.record->windowSeconds, u"12"_s);
        QCOMPARE(parsed.record->windowMinutes, QString());
        QCOMPARE(parsed.record->windowHours, u"ab"_s);
    }

    void decoding_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("UTF-8") << QByteArray("Ren\xC3\xA9"
                                             "e \xE2\x82\xAC")
                               << u"Renée €"_s;
        QTest::newRow("UTF-8 with a byte order mark") << QByteArray("\xEF\xBB\xBFok") << u"ok"_s;
        QTest::newRow("Windows-1252") << QByteArray("Ren\xE9"
                                                    "e \x80 \x96\x9F")
                                      << u"Renée € –Ÿ"_s;
    }

    void decoding()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(LaunchRecordReader::decodeText(bytes), std::optional<QString>(text));
    }

    void readFileLimits()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"big.trv"_s);
        QByteArray exactly = record(u"/a.trv"_s, u"/b.trv"_s);
        exactly.append(QByteArray(64 * 1024 - exactly.size(), '\n'));
        QVERIFY(writeBytes(path, exactly));
        QVERIFY(LaunchRecordReader::readFile(path).record);
        QVERIFY(writeBytes(path, exactly + ' '));
        QVERIFY(LaunchRecordReader::readFile(path).problem.contains(u"larger than 64 KiB"_s));
        QVERIFY(LaunchRecordReader::readFile(dir.filePath(u"none.trv"_s)).problem.contains(u"does not exist"_s));
        QVERIFY(LaunchRecordReader::readFile(dir.path()).problem.contains(u"not a file"_s));
    }

    // The folder is the program's own, whatever names the application carries (a test binary has others);
    // the doubled folder of earlier versions is where a file is moved from.
    void standardFolderFollowsTheDataHome_data()
    {
        QTest::addColumn<QString>("application");
        QTest::addColumn<QString>("organisation");
        QTest::newRow("as the program names itself") << u"Tarvane"_s << QString();
        QTest::newRow("as earlier versions did") << u"Tarvane"_s << u"Tarvane"_s;
        QTest::newRow("a test program") << u"tst_launchfile"_s << QString();
    }

    void standardFolderFollowsTheDataHome()
    {
        QFETCH(QString, application);
        QFETCH(QString, organisation);
        QTemporaryDir home;
        const QByteArray old = qgetenv("XDG_DATA_HOME");
        const QString oldApp = QCoreApplication::applicationName();
        const QString oldOrg = QCoreApplication::organizationName();
        const auto restore = qScopeGuard([&] {
            qputenv("XDG_DATA_HOME", old);
            QCoreApplication::setApplicationName(oldApp);
            QCoreApplication::setOrganizationName(oldOrg);
        });
        qputenv("XDG_DATA_HOME", home.path().toUtf8());
        QCoreApplication::setApplicationName(application);
        QCoreApplication::setOrganizationName(organisation);
        const LaunchFileOptions options = LaunchFileOptions::standard();
        QCOMPARE(options.defaultFile(), QDir::toNativeSeparators(home.filePath(u"Tarvane/launch.trv"_s)));
        QCOMPARE(options.formerFolder, QDir::toNativeSeparators(home.filePath(u"Tarvane/Tarvane"_s)));
    }

    // Loading applies fields 1 to 11 at once and drops field 13; the save name is the file opened, not the
    // other path its field 12 names.
    void openAppliesTheRecord()
    {
        Desk d;
        const QString path = d.path(u"launch.trv"_s);
        QByteArray bytes = record(u"/elsewhere/copy.trv"_s, u"/old/previous.trv"_s);
        bytes.replace(",0,#FALSE#,", ",1,#TRUE#,");
        QVERIFY(writeBytes(path, bytes));
        QVERIFY(modOpenFile::OpenLaunchFile(d.files, false));
        QCOMPARE(d.settings.applied.size(), 1);
        QCOMPARE(d.settings.applied[0].launchTarget, initialValues().launchTarget);
        QCOMPARE(d.settings.applied[0].windowHours, initialValues().windowHours);
        QVERIFY(d.settings.v.launchWindowActive && d.settings.v.holdsArmed);
        QCOMPARE(d.names.currentFileName(), path);
        QCOMPARE(d.names.openName(), path);
        QCOMPARE(d.names.saveName(), path);
        QVERIFY(d.prompter.shown.isEmpty());
    }

    // Saving right after a load writes what was read, with the loaded file as field 13. Save writes the file
    // the prompts name, the one opened, whatever other file its field 12 names: one that was moved or copied,
    // a file of the operator's, a path from another system.
    void saveAfterLoad_data()
    {
        QTest::addColumn<QString>("field12");
        QTest::newRow("the file's own path") << u"launch.trv"_s;
        QTest::newRow("the same path, uncleaned") << u"moved/../launch.trv"_s;
        QTest::newRow("another path") << u"moved/copy.trv"_s;
        QTest::newRow("a file of the operator's") << u"notes.txt"_s;
        QTest::newRow("a path made on Windows") << u"C:\\Users\\Op\\launch.trv"_s;
    }

    void saveAfterLoad()
    {
        QFETCH(QString, field12);
        Desk d;
        QVERIFY(QDir(d.dir.path()).mkpath(u"moved"_s));
        QVERIFY(writeBytes(d.path(u"notes.txt"_s), "the operator's notes\n"));
        const QString loaded = d.path(u"launch.trv"_s);
        QByteArray bytes = record(field12.startsWith(u"C:"_s) ? field12 : d.path(field12), u"/old/previous.trv"_s);
        bytes.replace("\"00:00:00\",\"00\",\"30\",\"10\"", "\"0:01:30\",\"7\",\"05\",\"23\"");
        QVERIFY(writeBytes(loaded, bytes));
        QVERIFY(modOpenFile::OpenLaunchFile(d.files, false));
        QVERIFY(modSaveAs::SaveLaunchFile(d.files, false));
        QCOMPARE(
            readBytes(loaded),
            record(loaded, loaded).replace("\"00:00:00\",\"00\",\"30\",\"10\"", "\"0:01:30\",\"7\",\"05\",\"23\""));
        QCOMPARE(readBytes(d.path(u"notes.txt"_s)), "the operator's notes\n");
        QCOMPARE(QDir(d.dir.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot),
                 (QStringList{u"launch.trv"_s, u"moved"_s, u"notes.txt"_s}));
        QCOMPARE(d.names.currentFileName(), loaded);
        QCOMPARE(d.names.openName(), loaded);
        QVERIFY(d.prompter.shown.isEmpty());
    }

    void openOneFieldPerLine()
    {
        Desk d;
        const QString path = d.path(u"lines.trv"_s);
        QByteArray bytes = record(u"/a.trv"_s, u"/b.trv"_s);
        bytes.replace("\",", "\"\r\n").replace("0,#FALSE#,", "0\r\n#FALSE#\r\n");
        QVERIFY(writeBytes(path, bytes));
        const auto parsed = LaunchRecordReader::readFile(path);
        QVERIFY2(parsed.record, qPrintable(parsed.problem));
        QCOMPARE(*parsed.record, *LaunchRecordReader::parse(record(u"/a.trv"_s, u"/b.trv"_s)).record);
    }

    // A cancelled dialog changes nothing: no file is read or written, no name moves.
    void cancelledDialogs()
    {
        Desk d;
        const QString launch = d.path(u"launch.trv"_s);
        QVERIFY(writeBytes(launch, record(launch, launch)));
        d.prompter.chooseFile(std::nullopt);
        QVERIFY(!modOpenFile::OpenLaunchFile(d.files, true));
        QCOMPARE(d.prompter.dialogs.size(), 1);
        const auto& open = d.prompter.dialogs[0];
        QCOMPARE(open.title, u"Open . . ."_s);
        QCOMPARE(open.filter, u"Tarvane Files (*.trv)"_s);
        QCOMPARE(open.defaultSuffix, u"trv"_s);
        QCOMPARE(open.presetName, launch);
        QVERIFY(d.settings.applied.isEmpty());
        QCOMPARE(d.names.currentFileName(), QString());

        QVERIFY(modOpenFile::OpenLaunchFile(d.files, false));
        d.settings.v.launchDate = u"Jun 1, 2002"_s;
        d.prompter.chooseFile(std::nullopt);
        QVERIFY(!modSaveAs::SaveLaunchFile(d.files, true));
        const auto& save = d.prompter.dialogs[1];
        QCOMPARE(save.title, u"Save As . . ."_s);
        QCOMPARE(save.filter, u"Tarvane Files (*.trv)"_s);
        QCOMPARE(save.defaultSuffix, u"trv"_s);
        QCOMPARE(save.initialFolder, QDir::toNativeSeparators(d.dir.path()));
        QCOMPARE(save.presetName, launch);
        QCOMPARE(readBytes(launch), record(launch, launch));
        QCOMPARE(d.settings.v.launchDate, u"Jun 1, 2002"_s);
        QCOMPARE(d.names.saveName(), launch);
        QVERIFY(d.prompter.shown.isEmpty());
    }

    // Before any file was read, the save name is launch.trv in the default folder.
    void firstSaveGoesToTheDefaultFolder()
    {
        Desk d;
        QVERIFY(modSaveAs::SaveLaunchFile(d.files, false));
        const QString launch = d.path(u"launch.trv"_s);
        QCOMPARE(readBytes(launch), record(launch, QString()));
        QCOMPARE(d.names.currentFileName(), launch);
        QCOMPARE(d.names.saveName(), launch);
    }

    // A Save As that fails, is refused or is declined changes nothing, the save name included: the next Save
    // writes the file the prompts name.
    void failedSaveChangesNothing_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("folder missing") << u"missing"_s;
        QTest::newRow("name taken by a folder") << u"folder"_s;
        QTest::newRow("read-only folder") << u"read-only"_s;
        QTest::newRow("value with a quote") << u"quote"_s;
        QTest::newRow("link to another kind of file") << u"link"_s;
        QTest::newRow("damaged file, declined") << u"damaged"_s;
    }

    void failedSaveChangesNothing()
    {
        QFETCH(QString, how);
        Desk d;
        const QString launch = d.path(u"launch.trv"_s);
        QVERIFY(writeBytes(launch, record(launch, launch)));
        QVERIFY(modOpenFile::OpenLaunchFile(d.files, false));
        QString target = d.path(u"out/launch.trv"_s);
        QString told = u"Tarvane could not save the launch data file "_s % target % u".  ";
        if (how == u"folder") {
            QVERIFY(QDir(d.dir.path()).mkpath(u"out/launch.trv"_s));
        } else if (how == u"read-only") {
            if (geteuid() == 0)
                QSKIP("permissions do not bind the superuser");
            QVERIFY(QDir(d.dir.path()).mkpath(u"out"_s));
            QFile::setPermissions(d.path(u"out"_s), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        } else if (how == u"quote") {
            target = launch;
            told = u"Tarvane could not save the launch data file "_s % target % u".  ";
            d.settings.v.windowHours = u"1\""_s;
        } else if (how == u"link") {
            target = d.path(u"notes"_s);
            told = u"Tarvane could not save the launch data file "_s % target % u".  ";
            writeBytes(d.path(u"notes.txt"_s), "the operator's notes\n");
            QVERIFY(QFile::link(d.path(u"notes.txt"_s), target));
        } else if (how == u"damaged") {
            target = d.path(u"damaged.trv"_s);
            writeBytes(target, "not a record");
            d.prompter.answer(Prompter::Answer::Ok);
            QVERIFY(!modOpenFile::openLaunchFileNamed(d.files, target));
            d.prompter.shown.clear();
            told = target % u" could not be read when it was opened."_s;
        }
        const auto restore = qScopeGuard([&] {
            QFile::setPermissions(d.path(u"out"_s),
                                  QFileDevice::WriteOwner | QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        });
        d.prompter.chooseFile(target);
        d.prompter.answer(how == u"damaged" ? Prompter::Answer::No : Prompter::Answer::Ok);
        QVERIFY(!modSaveAs::SaveLaunchFile(d.files, true));
        QCOMPARE(d.prompter.shown.size(), 1);
        QCOMPARE(d.prompter.shown[0].title, u"Tarvane"_s);
        QVERIFY2(d.prompter.shown[0].text.startsWith(told), qPrintable(d.prompter.shown[0].text));
        QCOMPARE(d.names.currentFileName(), launch);
        QCOMPARE(d.names.openName(), launch);
        QCOMPARE(d.names.saveName(), launch);
        QCOMPARE(readBytes(launch), record(launch, launch));

        d.settings.v = initialValues();
        d.settings.v.launchDate = u"Jun 1, 2002"_s;
        QVERIFY(modSaveAs::SaveLaunchFile(d.files, false));
        QVERIFY(readBytes(launch).contains("\"Jun 1, 2002\""));
        QCOMPARE(d.prompter.shown.size(), 1);
    }

    // Field 13 only says where the settings came from: a name it cannot hold is left out there, so the
    // settings can always be saved to a plain name.
    void awkwardOpenedNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("double quote") << u"say \"go\".trv"_s;
        QTest::newRow("line break") << u"two\nlines.trv"_s;
    }

    void awkwardOpenedNames()
    {
        QFETCH(QString, name);
        Desk d;
        const QString awkward = d.path(name);
        QVERIFY(writeBytes(awkward, record(u"/a.trv"_s, u"/b.trv"_s)));
        QVERIFY(modOpenFile::openLaunchFileNamed(d.files, awkward));
        const QString plain = d.path(u"plain.trv"_s);
        d.prompter.chooseFile(plain);
        QVERIFY(modSaveAs::SaveLaunchFile(d.files, true));
        QCOMPARE(readBytes(plain), record(plain, QString()));
        QCOMPARE(readBytes(awkward), record(u"/a.trv"_s, u"/b.trv"_s));
        QVERIFY(d.prompter.shown.isEmpty());
    }

    // Save As starts where a save would go: the opened file's own folder and name.
    void saveAsStartsAtTheSaveName()
    {
        Desk d;
        QVERIFY(QDir(d.dir.path()).mkpath(u"sub"_s));
        const QString other = d.path(u"sub/mission.trv"_s);
        QVERIFY(writeBytes(other, record(other, other)));
        QVERIFY(modOpenFile::openLaunchFileNamed(d.files, other));
        d.prompter.chooseFile(std::nullopt);
        QVERIFY(!modSaveAs::SaveLaunchFile(d.files, true));
        QCOMPARE(d.prompter.dialogs[0].initialFolder, d.path(u"sub"_s));
        QCOMPARE(d.prompter.dialogs[0].presetName, other);
        QVERIFY(!QFile::exists(d.path(u"mission.trv"_s)));
    }

    // A file that could not be read is replaced only when the operator says so, and a link only when it
    // leads to a launch record read or written in this run.
    void unreadableFilesAndLinks_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<Prompter::Answer>("answer");
        QTest::addColumn<bool>("written");
        QTest::newRow("damaged file, no") << u"damaged"_s << Prompter::Answer::No << false;
        QTest::newRow("damaged file, yes") << u"damaged"_s << Prompter::Answer::Yes << true;
        QTest::newRow("link to another kind of file") << u"link to text"_s << Prompter::Answer::Ok << false;
        QTest::newRow("link leading nowhere") << u"dangling link"_s << Prompter::Answer::Ok << false;
        QTest::newRow("link to a record read") << u"link to record"_s << Prompter::Answer::Ok << true;
    }

    void unreadableFilesAndLinks()
    {
        QFETCH(QString, how);
        QFETCH(Prompter::Answer, answer);
        QFETCH(bool, written);
        Desk d;
        const QString launch = d.path(u"launch.trv"_s);
        const QString target = d.path(u"accounts"_s);
        const QByteArray accounts = "root:x:0:0:root:/root:/bin/bash\n";
        const QByteArray damaged = record(launch, launch).replace("#FALSE#", "#MAYBE#");
        if (how == u"damaged") {
            QVERIFY(writeBytes(launch, damaged));
        } else {
            QVERIFY(writeBytes(target, how == u"link to record" ? record(target, target) : accounts));
            if (how == u"dangling link")
                QVERIFY(QFile::remove(target));
            QVERIFY(QFile::link(target, launch));
        }
        const bool readable = how == u"link to record";
        if (!readable)
            d.prompter.answer(Prompter::Answer::Ok);
        QCOMPARE(modOpenFile::openLaunchFileNamed(d.files, launch), readable);
        if (!readable) {
            QVERIFY2(!d.prompter.shown[0].text.contains(u"root"_s), qPrintable(d.prompter.shown[0].text));
            d.names.setSaveName(launch); // as when nothing at all could be read
        }
        if (!readable)
            d.prompter.answer(answer);
        d.settings.v.launchDate = u"Jun 1, 2002"_s;
        QCOMPARE(modSaveAs::SaveLaunchFile(d.files, false), written);
        const auto last = d.prompter.shown.value(d.prompter.shown.size() - 1);
        QCOMPARE(last.title, readable ? QString() : u"Tarvane"_s);
        if (how == u"damaged") {
            QCOMPARE(last.text, QString(launch + u" could not be read when it was opened.  Do you want to replace "
                                                 u"it with the current launch data?"));
            QCOMPARE(last.buttons, Prompter::Buttons::YesNoDefaultNo);
            QCOMPARE(readBytes(launch).contains("Jun 1, 2002"), written);
            QCOMPARE(readBytes(launch) == damaged, !written);
        } else if (!written) {
            QVERIFY2(last.text.contains(u"It is a link to a file that Tarvane has not read"_s), qPrintable(last.text));
            QCOMPARE(readBytes(target), how == u"dangling link" ? QByteArray() : accounts);
            QVERIFY(!QFile::exists(target) || how != u"dangling link");
        } else {
            QVERIFY(QFileInfo(launch).isSymLink());
            QVERIFY(readBytes(target).contains("Jun 1, 2002"));
        }
        QVERIFY(d.prompter.scriptUsedUp());
    }

    // Start-up moves the default file out of the doubled folder of earlier versions, and removes what an
    // interrupted save left next to it: only old leftovers that read as launch records.
    void defaultFolderUpkeep()
    {
        QTemporaryDir dir;
        const QString folder = dir.filePath(u"Tarvane"_s);
        const QString former = dir.filePath(u"Tarvane/Tarvane"_s);
        QVERIFY(QDir().mkpath(former));
        const QString formerFile = former + u"/launch.trv"_s;
        const QByteArray old = record(formerFile, formerFile);
        QVERIFY(writeBytes(formerFile, old));
        LaunchFileOptions options{folder, {}, former};
        DefaultFileCare::moveFromFormerFolder(options);
        QCOMPARE(readBytes(options.defaultFile()), old);
        QVERIFY(!QFile::exists(formerFile));

        QVERIFY(QDir().mkpath(former));
        QVERIFY(writeBytes(formerFile, "another"));
        DefaultFileCare::moveFromFormerFolder(options); // the new place already has one
        QCOMPARE(readBytes(options.defaultFile()), old);
        QCOMPARE(readBytes(formerFile), "another");

        const QDateTime longAgo = QDateTime::currentDateTime().addDays(-1);
        const QStringList names = {u"launch.trv.Ab3xYz"_s, u"launch.trv.fresh1"_s, u"launch.trv.notrec"_s,
                                   u"launch.trv.seven77"_s, u"other.trv.Ab3xYz"_s};
        for (const QString& name : names) {
            const QString path = folder + u'/' + name;
            QVERIFY(writeBytes(path, name.contains(u"notrec"_s) ? QByteArray("text") : old));
            QFile f(path);
            QVERIFY(f.open(QIODevice::ReadWrite));
            if (!name.contains(u"fresh"_s))
                QVERIFY(f.setFileTime(longAgo, QFileDevice::FileModificationTime));
        }
        DefaultFileCare::removeLeftovers(options.defaultFile(), QDateTime::currentDateTime().addSecs(-3600));
        QCOMPARE(QDir(folder).entryList(QDir::Files),
                 (QStringList{u"launch.trv"_s, u"launch.trv.fresh1"_s, u"launch.trv.notrec"_s, u"launch.trv.seven77"_s,
                              u"other.trv.Ab3xYz"_s}));
    }

    // The sequence goes with its launch data file: written beside it by every save (none while it is empty and
    // none was there, a header alone once one was), read by every open and revert, a missing one read as empty.
    void sequenceTravelsWithTheLaunchData()
    {
        Desk d;
        const QString beside = d.path(u"launch.tvseq"_s);
        QVERIFY(modSaveAs::SaveLaunchFile(d.files, false));
        QVERIFY(!QFile::exists(beside));
        d.sequence = plan();
        QVERIFY(modSaveAs::SaveLaunchFile(d.files, false));
        QCOMPARE(readBytes(beside), PlanBytes);
        d.sequence = {};
        QVERIFY(modOpenFile::OpenLaunchFile(d.files, false)); // Revert
        QCOMPARE(d.sequence, plan());

        const QString other = d.path(u"apollo.trv"_s);
        d.prompter.chooseFile(other);
        QVERIFY(modSaveAs::SaveLaunchFile(d.files, true));
        QCOMPARE(readBytes(d.path(u"apollo.tvseq"_s)), PlanBytes);
        d.sequence = {};
        QVERIFY(modSaveAs::SaveLaunchFile(d.files, false));
        QCOMPARE(readBytes(d.path(u"apollo.tvseq"_s)), QByteArray("t,kind,length,name\r\n"));
        QCOMPARE(readBytes(beside), PlanBytes);

        QVERIFY(QFile::remove(d.path(u"apollo.tvseq"_s)));
        d.sequence = plan();
        QVERIFY(modOpenFile::openLaunchFileNamed(d.files, other));
        QCOMPARE(d.sequencesApplied.last(), CountdownSequence());
        QVERIFY(d.prompter.shown.isEmpty());
    }

    // A damaged sequence is refused with its name and first bad line while the launch data still loads; a save
    // asks before it replaces it, and writes neither file on No.
    void unreadableSequence()
    {
        Desk d;
        const QString launch = d.path(u"launch.trv"_s);
        const QString beside = d.path(u"launch.tvseq"_s);
        const QByteArray launchBytes = record(launch, launch).replace("\"May 3, 2001\"", "\"Jun 1, 2002\"");
        QVERIFY(writeBytes(launch, launchBytes));
        const QByteArray damaged = "t,kind,length,name\r\nT - 00:04:00,callout,,Poll\r\nT - 4,callout,,Bad\r\n";
        QVERIFY(writeBytes(beside, damaged));
        d.sequence = plan();
        d.prompter.answer(Prompter::Answer::Ok);
        QVERIFY(modOpenFile::OpenLaunchFile(d.files, false));
        QCOMPARE(d.settings.v.launchDate, u"Jun 1, 2002"_s);
        QCOMPARE(d.sequence, CountdownSequence());
        QCOMPARE(d.prompter.shown.size(), 1);
        const QString told = d.prompter.shown[0].text;
        QVERIFY2(told.startsWith(u"Tarvane could not read the countdown sequence "_s % beside % u".  ") &&
                     told.contains(u"Line 3 cannot be used."_s),
                 qPrintable(told));

        d.sequence = plan();
        d.settings.v.launchDate = u"Jul 4, 2003"_s;
        d.prompter.answer(Prompter::Answer::No);
        QVERIFY(!modSaveAs::SaveLaunchFile(d.files, false));
        QCOMPARE(d.prompter.shown.last().text, QString(beside + u" could not be read when it was opened.  Do you "
                                                                u"want to replace it with the current countdown "
                                                                u"sequence?"));
        QCOMPARE(d.prompter.shown.last().buttons, Prompter::Buttons::YesNoDefaultNo);
        QCOMPARE(readBytes(beside), damaged);
        QCOMPARE(readBytes(launch), launchBytes);
        d.prompter.answer(Prompter::Answer::Yes);
        QVERIFY(modSaveAs::SaveLaunchFile(d.files, false));
        QCOMPARE(readBytes(beside), PlanBytes);
        QVERIFY(readBytes(launch).contains("Jul 4, 2003"));
        QVERIFY(modSaveAs::SaveLaunchFile(d.files, false)); // asked once
        QVERIFY(d.prompter.scriptUsedUp());
    }

    // A Save As whose sequence cannot be written writes no launch data either and keeps every name; a link
    // beside the launch data is written through only when it leads to a sequence read in this run.
    void failedSequenceSaveChangesNothing_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("name taken by a folder") << u"folder"_s;
        QTest::newRow("link to another kind of file") << u"link"_s;
    }

    void failedSequenceSaveChangesNothing()
    {
        QFETCH(QString, how);
        Desk d;
        const QString launch = d.path(u"launch.trv"_s);
        QVERIFY(writeBytes(launch, record(launch, launch)));
        QVERIFY(modOpenFile::OpenLaunchFile(d.files, false));
        d.sequence = plan();
        const QString target = d.path(u"out/apollo.trv"_s);
        const QString beside = d.path(u"out/apollo.tvseq"_s);
        if (how == u"folder") {
            QVERIFY(QDir(d.dir.path()).mkpath(u"out/apollo.tvseq"_s));
        } else {
            QVERIFY(QDir(d.dir.path()).mkpath(u"out"_s));
            QVERIFY(QFile::link(d.path(u"notes.txt"_s), beside));
        }
        QVERIFY(writeBytes(d.path(u"notes.txt"_s), "the operator's notes\n"));
        d.prompter.chooseFile(target);
        d.prompter.answer(Prompter::Answer::Ok);
        QVERIFY(!modSaveAs::SaveLaunchFile(d.files, true));
        const QString told = d.prompter.shown.value(0).text;
        QVERIFY2(told.startsWith(u"Tarvane could not save the countdown sequence "_s % beside % u".  "),
                 qPrintable(told));
        QVERIFY(!QFile::exists(target));
        QCOMPARE(readBytes(d.path(u"notes.txt"_s)), QByteArray("the operator's notes\n"));
        QCOMPARE(d.names.saveName(), launch);
        QCOMPARE(d.names.currentFileName(), launch);
        QCOMPARE(d.names.openName(), launch);
    }
};

QTEST_GUILESS_MAIN(TestLaunchFile)
#include "tst_launchfile.moc"
