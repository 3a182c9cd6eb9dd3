#include "GuiTest.h"
#include "LaunchFiles.h"
#include "clock/LaunchWindow.h"
#include "clock/MissionState.h"
#include "files/LaunchFileOptions.h"
#include "platform/ClockTimer.h"
#include "platform/ProcessExit.h"
#include "platform/widgets/ClickLineEdit.h"
#include "platform/widgets/WatchedLabel.h"
#include "shell/frmTarvane.h"

#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;
using Answer = Prompter::Answer;

using namespace LaunchFiles;

class TestFileCommands : public GuiTest
{
    Q_OBJECT

    QList<int> m_exits;

    QString path(const QString& name) { return f.launchFile(name); }
    QString defaultFile() { return f.launchFile(); }

    // The window with its files in the test's folder.
    frmTarvane* start(const QString& startupFile = QString())
    {
        f.useLaunchFolder(startupFile);
        return &f.window();
    }

    // Everything a load may change, as one text.
    static QString shown(const frmTarvane& w)
    {
        const QObject& c = w;
        QStringList parts{
            child<WatchedLabel>(c, u"lblTarget"_s)->text(),       child<ClickLineEdit>(c, u"txtLaunchDate"_s)->text(),
            child<WatchedLabel>(c, u"lblLaunchWindow"_s)->text(), child<ClickLineEdit>(c, u"txtSeconds"_s)->text(),
            child<ClickLineEdit>(c, u"txtMinutes"_s)->text(),     child<ClickLineEdit>(c, u"txtHours"_s)->text(),
            child<ClickLineEdit>(c, u"txtSecondsW"_s)->text(),    child<ClickLineEdit>(c, u"txtMinutesW"_s)->text(),
            child<ClickLineEdit>(c, u"txtHoursW"_s)->text(),      child<WatchedLabel>(c, u"pnlCurrentFile"_s)->text()};
        parts << (child<QCheckBox>(c, u"chkLaunchWindowActive"_s)->isChecked() ? u"active"_s : u"inactive"_s);
        parts << (child<QPushButton>(c, u"cmdHoldResume"_s)->isEnabled() ? u"armed"_s : u"disarmed"_s);
        return parts.join(u'|');
    }

    QString exitPrompt(const QString& name) const
    {
        return u"Do you want to save " % name % u" before exiting Tarvane ?";
    }

private slots:
    void init()
    {
        GuiTest::init();
        m_exits.clear();
        ProcessExit::setHandler([this](int code) { m_exits.append(code); });
    }

    void cleanup()
    {
        ProcessExit::setHandler({});
        GuiTest::cleanup();
    }

    void startupWritesTheInitialRecord()
    {
        const auto w = start();
        QCOMPARE(readBytes(defaultFile()), record(defaultFile(), defaultFile()));
        QCOMPARE(child<WatchedLabel>(*w, u"pnlCurrentFile"_s)->text(), defaultFile());
        QVERIFY(f.prompter().shown.isEmpty());
    }

    void startupReadsTheDefaultFile()
    {
        QVERIFY(writeBytes(defaultFile(), record(defaultFile(), defaultFile(), OtherFields)));
        const auto w = start();
        QCOMPARE(shown(*w), u"June 1, 2002   2:05:00 PM|Jun 1, 2002|1:30:00|07|05|14|09|08|01|"_s % defaultFile() %
                                u"|active|armed");
    }

    void commandLineFileOpensInstead()
    {
        const QString other = path(u"other.trv"_s);
        QVERIFY(writeBytes(other, record(other, other, OtherFields)));
        const auto w = start(other);
        QCOMPARE(child<ClickLineEdit>(*w, u"txtLaunchDate"_s)->text(), u"Jun 1, 2002"_s);
        QCOMPARE(child<WatchedLabel>(*w, u"pnlCurrentFile"_s)->text(), other);
        QVERIFY(QFile::exists(defaultFile()));
    }

    void damagedDefaultFileAtStartup()
    {
        const QByteArray damaged = "\"May 3, 2001   10:30:00 AM\",\"May 3, 2001\",maybe\r\n";
        QVERIFY(writeBytes(defaultFile(), damaged));
        f.prompter().answer(Answer::Ok);
        const auto w = start();
        QCOMPARE(f.prompter().shown.size(), 1);
        QCOMPARE(f.prompter().shown[0].title, u"Tarvane"_s);
        QVERIFY(f.prompter().shown[0].text.contains(defaultFile()));
        QCOMPARE(shown(*w), u"May 3, 2001   10:30:00 AM|May 3, 2001|00:00:00|00|30|10|00|00|00|"_s % defaultFile() %
                                u"|inactive|disarmed");
        QCOMPARE(readBytes(defaultFile()), damaged);
    }

    // A command-line file that cannot be read leaves the start as it is without one. When nothing at all could
    // be read, the prompts and saves name the default file, and replacing it is the operator's choice.
    void startupFileThatFails_data()
    {
        QTest::addColumn<QByteArray>("startupBytes");
        QTest::addColumn<QByteArray>("defaultBytes");
        const QByteArray damaged = record(u"/a"_s, u"/b"_s).replace("#FALSE#", "#MAYBE#");
        QTest::newRow("missing, default fine") << QByteArray() << record(u"/a"_s, u"/a"_s, OtherFields);
        QTest::newRow("damaged, default fine") << damaged << record(u"/a"_s, u"/a"_s, OtherFields);
        QTest::newRow("both damaged") << damaged << damaged;
        QTest::newRow("damaged, default a link nowhere") << damaged << QByteArray("link");
    }

    void startupFileThatFails()
    {
        QFETCH(QByteArray, startupBytes);
        QFETCH(QByteArray, defaultBytes);
        const QString mission = path(u"mission.trv"_s);
        if (!startupBytes.isEmpty())
            QVERIFY(writeBytes(mission, startupBytes));
        const bool link = defaultBytes == "link";
        if (link)
            QVERIFY(QFile::link(path(u"elsewhere.trv"_s), defaultFile()));
        else
            QVERIFY(writeBytes(defaultFile(), defaultBytes));
        const bool defaultFine = defaultBytes.contains("#TRUE#");
        f.prompter().answer(Answer::Ok);
        if (!defaultFine)
            f.prompter().answer(Answer::Ok);
        const auto w = start(mission);
        QVERIFY(f.prompter().shown[0].text.startsWith(u"Tarvane could not open the launch data file " % mission));
        if (!defaultFine)
            QVERIFY(
                f.prompter().shown[1].text.startsWith(u"Tarvane could not open the launch data file " % defaultFile()));
        QCOMPARE(child<WatchedLabel>(*w, u"pnlCurrentFile"_s)->text(), defaultFile());
        QCOMPARE(child<ClickLineEdit>(*w, u"txtLaunchDate"_s)->text(),
                 defaultFine ? u"Jun 1, 2002"_s : u"May 3, 2001"_s);

        // Exit → Yes saves the default file; one that could not be read is replaced only on a second Yes.
        f.prompter().answer(Answer::Yes);
        if (!defaultFine)
            f.prompter().answer(link ? Answer::Ok : Answer::No);
        else
            f.prompter().answer(Answer::Ok);
        QVERIFY(triggerAction(*w, u"mnuExit"_s));
        QCOMPARE(f.prompter().shown[defaultFine ? 1 : 2].text, exitPrompt(defaultFile()));
        QCOMPARE(m_exits.size(), defaultFine ? 1 : 0);
        if (!startupBytes.isEmpty())
            QCOMPARE(readBytes(mission), startupBytes);
        if (!defaultFine && !link)
            QCOMPARE(readBytes(defaultFile()), defaultBytes);
        QVERIFY(!QFile::exists(path(u"elsewhere.trv"_s))); // never made through the link
    }

    // A default file in the doubled folder of earlier versions moves to the new one, and its field 12, which
    // still names the old place, does not send the next save back there.
    void defaultFileMovesFromTheFormerFolder()
    {
        const QString former = path(u"Tarvane/Tarvane"_s);
        QVERIFY(QDir().mkpath(former));
        const QString formerFile = QDir::toNativeSeparators(former + u"/launch.trv"_s);
        QVERIFY(writeBytes(formerFile, record(formerFile, formerFile, OtherFields)));
        f.useLaunchFolder({}, former);
        frmTarvane& w = f.window();
        QCOMPARE(child<ClickLineEdit>(w, u"txtLaunchDate"_s)->text(), u"Jun 1, 2002"_s);
        QCOMPARE(child<WatchedLabel>(w, u"pnlCurrentFile"_s)->text(), defaultFile());
        QVERIFY(!QFile::exists(formerFile));
        QVERIFY(triggerAction(w, u"mnuSave"_s));
        QCOMPARE(readBytes(defaultFile()), record(defaultFile(), defaultFile(), OtherFields));
        QVERIFY(!QFile::exists(formerFile));
        QVERIFY(f.prompter().shown.isEmpty());
    }

    void badFileChangesNothing_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing") << QByteArray() << u"does not exist"_s;
        QTest::newRow("twelve fields") << record(u"/a"_s, u"/b"_s).chopped(7) << u"12 of the 13 fields"_s;
        // The hour is the last field checked: every field before it would have been applied already.
        QTest::newRow("hour") << QByteArray(OtherFields).replace("\"14\"", "\"99\"") + "\"/a\",\"/b\"" << u"field 8"_s;
        QTest::newRow("not text") << QByteArray("\x7F"
                                                "ELF\x02\x01\x01\0\0\0",
                                                10)
                                  << u"not text"_s;
        QTest::newRow("too large") << QByteArray(64 * 1024 + 1, ',') << u"larger than 64 KiB"_s;
    }

    void badFileChangesNothing()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, reason);
        const auto w = start();
        const QString bad = path(u"bad.trv"_s);
        if (!bytes.isEmpty())
            QVERIFY(writeBytes(bad, bytes));
        const QString before = shown(*w);
        f.prompter().answer(Answer::No); // the open prompt
        f.prompter().chooseFile(bad);
        f.prompter().answer(Answer::Ok);
        QVERIFY(triggerAction(*w, u"mnuOpen"_s));
        QCOMPARE(f.prompter().shown.size(), 2);
        const auto& message = f.prompter().shown[1];
        QCOMPARE(message.title, u"Tarvane"_s);
        QVERIFY2(message.text.startsWith(u"Tarvane could not open the launch data file " % bad % u".  "),
                 qPrintable(message.text));
        QVERIFY2(message.text.contains(reason), qPrintable(message.text));
        QCOMPARE(shown(*w), before);
        QCOMPARE(bytes.isEmpty() ? QByteArray() : readBytes(bad), bytes);

        // The open name is still the file that was current.
        f.prompter().answer(Answer::Cancel);
        QVERIFY(triggerAction(*w, u"mnuExit"_s));
        QCOMPARE(f.prompter().shown.last().text, exitPrompt(defaultFile()));
    }

    void openPrompt()
    {
        const auto w = start();
        const QString other = path(u"other.trv"_s);
        QVERIFY(writeBytes(other, record(other, other, OtherFields)));
        const QString text = u"Do you want to save "_s % defaultFile() %
                             u" before opening a new file?  If you click NO then all changes since your last save "
                             u"will be lost.";

        f.prompter().answer(Answer::Cancel);
        QVERIFY(triggerAction(*w, u"mnuOpen"_s));
        QCOMPARE(f.prompter().shown.last().title, u"Tarvane"_s);
        QCOMPARE(f.prompter().shown.last().text, text);
        QCOMPARE(f.prompter().shown.last().buttons, Prompter::Buttons::YesNoCancel);
        QVERIFY(f.prompter().dialogs.isEmpty());

        f.prompter().answer(Answer::No);
        f.prompter().chooseFile(other);
        QVERIFY(triggerAction(*w, u"mnuOpen"_s));
        QCOMPARE(f.prompter().dialogs.last().title, u"Open . . ."_s);
        QCOMPARE(f.prompter().dialogs.last().presetName, defaultFile());
        QCOMPARE(child<ClickLineEdit>(*w, u"txtLaunchDate"_s)->text(), u"Jun 1, 2002"_s);
        QCOMPARE(child<WatchedLabel>(*w, u"pnlCurrentFile"_s)->text(), other);
        QCOMPARE(readBytes(defaultFile()), record(defaultFile(), defaultFile())); // No wrote nothing

        // Yes saves and tells so; a cancelled dialog then reads nothing.
        child<ClickLineEdit>(*w, u"txtHoursW"_s)->setText(u"05"_s);
        f.prompter().answer(Answer::Yes);
        f.prompter().answer(Answer::Ok);
        f.prompter().chooseFile(std::nullopt);
        QVERIFY(triggerAction(*w, u"mnuOpen"_s));
        QCOMPARE(f.prompter().shown.last().text, u"Your file has been saved.  You may now open a new file."_s);
        QCOMPARE(f.prompter().shown.last().title, u"Tarvane"_s);
        QVERIFY(readBytes(other).contains(",\"08\",\"05\","));
        QCOMPARE(child<ClickLineEdit>(*w, u"txtHoursW"_s)->text(), u"05"_s);
        QCOMPARE(child<WatchedLabel>(*w, u"pnlCurrentFile"_s)->text(), other);
    }

    // Cancel in the Open dialog (after No at the open prompt, or from the current-file panel) and in the Save As
    // dialog changes nothing: the settings and the count stay, no file is written, no name moves.
    void cancelledDialogsChangeNothing_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("open, no, cancel") << u"open"_s;
        QTest::newRow("current-file panel, cancel") << u"panel"_s;
        QTest::newRow("save as, cancel") << u"save as"_s;
    }

    void cancelledDialogsChangeNothing()
    {
        QFETCH(QString, how);
        const auto w = start();
        const QObject& c = *w;
        child<QStatusBar>(c, u"sbrStatusBar"_s)->show();
        w->show();
        // A launch target set a moment ago, not saved yet.
        child<ClickLineEdit>(c, u"txtMinutes"_s)->setText(u"45"_s);
        f.prompter().answer(Answer::Yes);
        QVERIFY(triggerAction(*w, u"mnuSetLaunchTime"_s));
        settle();
        const QByteArray file = readBytes(defaultFile());
        const QString before = shown(*w);
        const QString count = child<WatchedLabel>(c, u"lblMinutes"_s)->text();
        QCOMPARE(count, u"15"_s);
        f.prompter().chooseFile(std::nullopt);
        if (how == u"open") {
            f.prompter().answer(Answer::No);
            QVERIFY(triggerAction(*w, u"mnuOpen"_s));
        } else if (how == u"panel") {
            QTest::mouseDClick(child<WatchedLabel>(c, u"pnlCurrentFile"_s), Qt::LeftButton);
        } else {
            QVERIFY(triggerAction(*w, u"mnuSaveAs"_s));
        }
        settle();
        QCOMPARE(f.prompter().dialogs.size(), 1);
        QCOMPARE(shown(*w), before);
        QCOMPARE(child<WatchedLabel>(c, u"lblMinutes"_s)->text(), count);
        QCOMPARE(readBytes(defaultFile()), file);
        QCOMPARE(QDir(f.launchFolder()).entryList(QDir::Files), QStringList{u"launch.trv"_s});

        f.prompter().answer(Answer::Cancel);
        QVERIFY(triggerAction(*w, u"mnuExit"_s));
        QCOMPARE(f.prompter().shown.last().text, exitPrompt(defaultFile()));
    }

    // A save that fails stops what it was for: no notice, no dialog, no exit, no close.
    void failedSaveStopsItsCommand_data()
    {
        QTest::addColumn<QString>("command");
        QTest::newRow("open") << u"mnuOpen"_s;
        QTest::newRow("exit") << u"mnuExit"_s;
        QTest::newRow("pop-up exit") << u"mnuRtExit"_s;
        QTest::newRow("close") << u"close"_s;
    }

    void failedSaveStopsItsCommand()
    {
        QFETCH(QString, command);
        const auto w = start();
        w->show();
        child<ClickLineEdit>(*w, u"txtLaunchDate"_s)->setText(u"May \"3\""_s); // a launch data file cannot hold it
        f.prompter().answer(Answer::Yes);
        f.prompter().answer(Answer::Ok);
        if (command == u"close")
            QVERIFY(!w->close());
        else
            QVERIFY(triggerAction(*w, command));
        QCOMPARE(f.prompter().shown.size(), 2);
        QCOMPARE(f.prompter().shown[1].title, u"Tarvane"_s);
        QVERIFY2(f.prompter().shown[1].text.startsWith(u"Tarvane could not save the launch data file " % defaultFile()),
                 qPrintable(f.prompter().shown[1].text));
        QVERIFY(f.prompter().dialogs.isEmpty());
        QVERIFY(m_exits.isEmpty());
        QVERIFY(w->isVisible());
        QCOMPARE(child<WatchedLabel>(*w, u"pnlCurrentFile"_s)->text(), defaultFile());
    }

    void saveAsAndRevert()
    {
        const auto w = start();
        const QString chosen = path(u"chosen.trv"_s);
        f.prompter().chooseFile(chosen);
        QVERIFY(triggerAction(*w, u"mnuSaveAs"_s));
        QCOMPARE(f.prompter().dialogs.last().title, u"Save As . . ."_s);
        QCOMPARE(readBytes(chosen), record(chosen, defaultFile()));
        QCOMPARE(child<WatchedLabel>(*w, u"pnlCurrentFile"_s)->text(), chosen);

        child<ClickLineEdit>(*w, u"txtLaunchDate"_s)->setText(u"Jul 4, 2003"_s);
        QVERIFY(triggerAction(*w, u"mnuRevert"_s));
        QCOMPARE(child<ClickLineEdit>(*w, u"txtLaunchDate"_s)->text(), u"May 3, 2001"_s);
        QVERIFY(f.prompter().shown.isEmpty());
    }

    void exitPrompt_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<Answer>("answer");
        for (const QString& how : {u"mnuExit"_s, u"mnuRtExit"_s, u"Esc"_s}) {
            QTest::addRow("%s, yes", qPrintable(how)) << how << Answer::Yes;
            QTest::addRow("%s, no", qPrintable(how)) << how << Answer::No;
            QTest::addRow("%s, cancel", qPrintable(how)) << how << Answer::Cancel;
        }
    }

    void exitPrompt()
    {
        QFETCH(QString, how);
        QFETCH(Answer, answer);
        const auto w = start();
        w->show();
        const QByteArray before = readBytes(defaultFile());
        child<ClickLineEdit>(*w, u"txtHoursW"_s)->setText(u"03"_s);
        f.prompter().answer(answer);
        if (answer == Answer::Yes)
            f.prompter().answer(Answer::Ok);
        if (how == u"Esc")
            QTest::keyClick(child<ClickLineEdit>(*w, u"txtLaunchDate"_s), Qt::Key_Escape); // a text box, not the window
        else
            QVERIFY(triggerAction(*w, how));
        QCOMPARE(f.prompter().shown.size(), answer == Answer::Yes ? 2 : 1);
        QCOMPARE(f.prompter().shown[0].title, u"Tarvane"_s);
        QCOMPARE(f.prompter().shown[0].text, exitPrompt(defaultFile()));
        QCOMPARE(f.prompter().shown[0].buttons, Prompter::Buttons::YesNoCancel);
        QCOMPARE(m_exits.size(), answer == Answer::Cancel ? 0 : 1);
        if (answer == Answer::Yes) {
            QCOMPARE(f.prompter().shown[1].text, u"Your file has been saved in "_s % defaultFile());
            QVERIFY(readBytes(defaultFile()).contains(",\"00\",\"00\",\"03\","));
        } else {
            QCOMPARE(readBytes(defaultFile()), before);
            QCOMPARE(QDir(f.launchFolder()).entryList(QDir::Files), QStringList{u"launch.trv"_s});
        }
    }

    void exitRightAfterSaveStillPrompts()
    {
        const auto w = start();
        QVERIFY(triggerAction(*w, u"mnuSave"_s));
        f.prompter().answer(Answer::Cancel);
        QVERIFY(triggerAction(*w, u"mnuExit"_s));
        QCOMPARE(f.prompter().shown.size(), 1);
        QCOMPARE(f.prompter().shown[0].text, exitPrompt(defaultFile()));
        QVERIFY(m_exits.isEmpty());
    }

    void otherKeysReachTheTextBox()
    {
        const auto w = start();
        w->show();
        auto* date = child<ClickLineEdit>(*w, u"txtLaunchDate"_s);
        date->clear();
        QTest::keyClicks(date, u"5/9/2001"_s);
        QCOMPARE(date->text(), u"5/9/2001"_s);
        QVERIFY(f.prompter().shown.isEmpty());
    }

    void closeRequest_data()
    {
        QTest::addColumn<Answer>("answer");
        QTest::newRow("yes") << Answer::Yes;
        QTest::newRow("no") << Answer::No;
        QTest::newRow("cancel") << Answer::Cancel;
    }

    void closeRequest()
    {
        QFETCH(Answer, answer);
        const auto w = start();
        w->show();
        f.prompter().answer(answer);
        if (answer == Answer::Yes)
            f.prompter().answer(Answer::Ok);
        QCOMPARE(w->close(), answer != Answer::Cancel);
        QCOMPARE(f.prompter().shown.size(), answer == Answer::Yes ? 2 : 1);
        QCOMPARE(f.prompter().shown[0].text, exitPrompt(defaultFile()));
        QCOMPARE(w->isVisible(), answer == Answer::Cancel);
        QVERIFY(m_exits.isEmpty());
        if (answer == Answer::Yes)
            QCOMPARE(f.prompter().shown[1].text, u"Your file has been saved in "_s % defaultFile());
    }

    void doubleClickOnTheCurrentFilePanel()
    {
        const auto w = start();
        const QObject& c = *w;
        child<QStatusBar>(c, u"sbrStatusBar"_s)->show();
        w->show();
        child<WatchedLabel>(c, u"pnlNumberLock"_s)->setText(u"NUM"_s);
        QTest::mouseDClick(child<WatchedLabel>(c, u"pnlNumberLock"_s), Qt::LeftButton);
        QVERIFY(f.prompter().dialogs.isEmpty());

        const QString other = path(u"other.trv"_s);
        QVERIFY(writeBytes(other, record(other, other, OtherFields)));
        f.prompter().chooseFile(other);
        QTest::mouseDClick(child<WatchedLabel>(c, u"pnlCurrentFile"_s), Qt::LeftButton);
        QCOMPARE(f.prompter().dialogs.size(), 1);
        QCOMPARE(f.prompter().dialogs[0].presetName, defaultFile());
        QCOMPARE(child<WatchedLabel>(c, u"pnlCurrentFile"_s)->text(), other);
        QVERIFY(f.prompter().shown.isEmpty());
    }

    // Each field goes through the class that owns it: the window activates as by a click, the armed flag is set
    // directly without touching the arming captions, and the count follows the loaded target on its next tick.
    void loadAppliesThroughTheRooms()
    {
        const auto w = start();
        const QObject& c = *w;
        const QString other = path(u"other.trv"_s);
        QVERIFY(writeBytes(
            other,
            record(
                other, other,
                QByteArray(InitialFields).replace("10:30:00 AM", "10:31:00 AM").replace(",0,#FALSE#,", ",1,#TRUE#,"))));
        f.prompter().answer(Answer::No);
        f.prompter().chooseFile(other);
        QVERIFY(triggerAction(*w, u"mnuOpen"_s));
        QVERIFY(child<QCheckBox>(c, u"chkLaunchWindowActive"_s)->isChecked());
        QVERIFY(child<QAction>(*w, u"mnuActiveLaunchWindow"_s)->isChecked());
        QVERIFY(w->launchWindow().tmrLaunchWindow().isActive());
        QVERIFY(child<QPushButton>(c, u"cmdHoldResume"_s)->isEnabled());
        QCOMPARE(child<QAction>(*w, u"mnuHoldEnable"_s)->text(), u"Hold Enable"_s);
        settle();
        QCOMPARE(child<WatchedLabel>(c, u"lblTMinus"_s)->text() + child<WatchedLabel>(c, u"lblMinutes"_s)->text() +
                     u':' + child<WatchedLabel>(c, u"lblSeconds"_s)->text(),
                 u"T -01:10"_s);

        QVERIFY(triggerAction(*w, u"mnuRevert"_s)); // unchanged values run no reactions
        QVERIFY(w->launchWindow().tmrLaunchWindow().isActive());
        QVERIFY(writeBytes(other, record(other, other)));
        QVERIFY(triggerAction(*w, u"mnuRevert"_s));
        QVERIFY(!child<QAction>(*w, u"mnuActiveLaunchWindow"_s)->isChecked());
        QVERIFY(!w->launchWindow().tmrLaunchWindow().isActive());
        QVERIFY(!child<QPushButton>(c, u"cmdHoldResume"_s)->isEnabled());
    }

    // A load applies fields 1 to 11 in the file's order, each changed field reaching the window as it is read,
    // and then tells the mission state's views that a file was loaded.
    void loadAppliesInFieldOrder()
    {
        const auto w = start();
        const QObject& c = *w;
        const MissionState& state = w->missionState();
        QStringList order;
        const auto log = [&](const QString& field) { return [&order, field] { order << field; }; };
        connect(&state, &MissionState::targetChanged, w, log(u"1"_s));
        connect(child<ClickLineEdit>(c, u"txtLaunchDate"_s), &QLineEdit::textChanged, w, log(u"2"_s));
        connect(&state, &MissionState::windowActiveChanged, w, log(u"3"_s));
        connect(&state, &MissionState::holdsArmedChanged, w, log(u"4"_s));
        connect(&state, &MissionState::windowRemainingChanged, w, log(u"5"_s));
        const std::array<QLineEdit*, 6> entries = {
            child<ClickLineEdit>(c, u"txtSeconds"_s),  child<ClickLineEdit>(c, u"txtMinutes"_s),
            child<ClickLineEdit>(c, u"txtHours"_s),    child<ClickLineEdit>(c, u"txtSecondsW"_s),
            child<ClickLineEdit>(c, u"txtMinutesW"_s), child<ClickLineEdit>(c, u"txtHoursW"_s)};
        for (size_t i = 0; i < entries.size(); ++i)
            connect(entries[i], &QLineEdit::textChanged, w, log(QString::number(i + 6)));
        connect(&state, &MissionState::fileLoaded, w, log(u"loaded"_s));
        const QString other = path(u"other.trv"_s);
        QVERIFY(writeBytes(other, record(other, other, OtherFields)));
        f.prompter().answer(Answer::No);
        f.prompter().chooseFile(other);
        QVERIFY(triggerAction(*w, u"mnuOpen"_s));
        QCOMPARE(order, (QStringList{u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s, u"6"_s, u"7"_s, u"8"_s, u"9"_s, u"10"_s,
                                     u"11"_s, u"loaded"_s}));
        QVERIFY(state.windowActive() && state.holdsArmed());
    }

    // The window sees Esc before any of its controls, those that would take Esc themselves included.
    void escFromEveryControlPrompts()
    {
        const auto w = start();
        w->ShowFullView();
        w->show();
        QTest::mouseDClick(child<ClickLineEdit>(*w, u"txtLaunchDate"_s), Qt::LeftButton); // the calendar shows
        settle();
        QVERIFY(child<QCalendarWidget>(*w, u"Calendar"_s)->isVisible());
        QStringList tried;
        for (QWidget* control : w->findChildren<QWidget*>()) {
            if (control->focusPolicy() == Qt::NoFocus || !control->isVisible() || control->window() != w)
                continue;
            tried << control->objectName();
            f.prompter().answer(Answer::Cancel);
            QTest::keyClick(control, Qt::Key_Escape);
            QVERIFY2(f.prompter().scriptUsedUp(), qPrintable(control->objectName()));
        }
        for (const QString& name : {u"txtLaunchDate"_s, u"cmdHoldResume"_s, u"qt_calendar_calendarview"_s})
            QVERIFY2(tried.contains(name), qPrintable(tried.join(u' ')));
        QCOMPARE(f.prompter().shown.size(), tried.size());
        QVERIFY(m_exits.isEmpty());
    }

    // A loaded launch window below one minute shows the warning during a hold, as any other change would.
    void loadedWindowLeftRunsTheWarning_data()
    {
        QTest::addColumn<bool>("holding");
        QTest::newRow("holding") << true;
        QTest::newRow("counting") << false;
    }

    void loadedWindowLeftRunsTheWarning()
    {
        QFETCH(bool, holding);
        const auto w = start();
        QVERIFY(triggerAction(*w, u"mnuHoldEnable"_s));
        if (holding)
            child<QPushButton>(*w, u"cmdHoldResume"_s)->click();
        const QString other = path(u"other.trv"_s);
        QVERIFY(writeBytes(
            other, record(other, other,
                          QByteArray(InitialFields).replace(",0,#FALSE#,\"00:00:00\"", ",1,#TRUE#,\"0:00:30\""))));
        f.prompter().answer(Answer::No);
        f.prompter().chooseFile(other);
        QVERIFY(triggerAction(*w, u"mnuOpen"_s));
        QCOMPARE(child<WatchedLabel>(*w, u"lblLaunchWindow"_s)->text(), u"0:00:30"_s);
        QCOMPARE(!child<WatchedLabel>(*w, u"lblWindowWarning"_s)->isHidden(), holding);
    }

    // A file opened during a hold is held from the moment it is read: the hold carries its launch target on,
    // not the one the hold began with.
    void openingDuringAHoldHoldsTheFileTarget()
    {
        const auto w = start();
        const QObject& c = *w;
        QVERIFY(triggerAction(*w, u"mnuHoldEnable"_s));
        child<QPushButton>(c, u"cmdHoldResume"_s)->click();
        settle();
        const QString other = path(u"other.trv"_s);
        QVERIFY(
            writeBytes(other, record(other, other, QByteArray(InitialFields).replace("10:30:00 AM", "11:00:00 AM"))));
        f.prompter().answer(Answer::No);
        f.prompter().chooseFile(other);
        QVERIFY(triggerAction(*w, u"mnuOpen"_s));
        settle();
        QCOMPARE(child<WatchedLabel>(c, u"lblTarget"_s)->text(), u"May 3, 2001   11:00:00 AM"_s);

        f.clock().advance(10);
        settle();
        QCOMPARE(child<WatchedLabel>(c, u"lblTarget"_s)->text(), u"May 3, 2001   11:00:10 AM"_s);
        QVERIFY(triggerAction(*w, u"mnuHold"_s)); // the menu item resumes as well as the button
        settle();
        QCOMPARE(child<WatchedLabel>(c, u"lblMinutes"_s)->text() + u':' +
                     child<WatchedLabel>(c, u"lblSeconds"_s)->text(),
                 u"30:10"_s);
    }

    // A file saved with holds disarmed, read during a hold, leaves the count held and the button resuming it, by
    // a click or Alt+R; the armed flag is the file's, and the button follows it again after the resume.
    void readingADisarmingFileDuringAHoldKeepsResume_data()
    {
        QTest::addColumn<QString>("command");
        QTest::newRow("revert") << u"mnuRevert"_s;
        QTest::newRow("open") << u"mnuOpen"_s;
    }

    void readingADisarmingFileDuringAHoldKeepsResume()
    {
        QFETCH(QString, command);
        const auto w = start();
        const QObject& c = *w;
        w->show();
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w));
        QVERIFY(triggerAction(*w, u"mnuHoldEnable"_s));
        child<QPushButton>(c, u"cmdHoldResume"_s)->click();
        settle();
        QVERIFY(w->missionState().holding());
        if (command == u"mnuOpen") {
            f.prompter().answer(Answer::No);
            f.prompter().chooseFile(defaultFile());
        }
        QVERIFY(triggerAction(*w, command));
        settle();
        QVERIFY(w->missionState().holding());
        QVERIFY(!w->missionState().holdsArmed());
        QCOMPARE(child<QPushButton>(c, u"cmdHoldResume"_s)->text(), u"&Resume"_s);
        QVERIFY(child<QPushButton>(c, u"cmdHoldResume"_s)->isEnabled());

        QTest::keyClick(w, Qt::Key_R, Qt::AltModifier);
        QTRY_VERIFY(!w->missionState().holding());
        QCOMPARE(child<QPushButton>(c, u"cmdHoldResume"_s)->text(), u"&Hold"_s);
        QVERIFY(!child<QPushButton>(c, u"cmdHoldResume"_s)->isEnabled());
        QVERIFY(!child<QAction>(c, u"mnuHold"_s)->isEnabled());
        QVERIFY(triggerAction(*w, u"mnuSave"_s));
        QVERIFY(readBytes(defaultFile()).contains(",0,#FALSE#,"));
    }

    // Likewise the launch window a file brings runs down from its own remaining time.
    void openingDuringAHoldRunsTheFileWindowDown_data()
    {
        QTest::addColumn<bool>("activeBefore");
        QTest::newRow("window inactive before") << false;
        QTest::newRow("window active before") << true;
    }

    void openingDuringAHoldRunsTheFileWindowDown()
    {
        QFETCH(bool, activeBefore);
        const auto w = start();
        const QObject& c = *w;
        QVERIFY(triggerAction(*w, u"mnuHoldEnable"_s));
        child<QCheckBox>(c, u"chkLaunchWindowActive"_s)->setChecked(activeBefore);
        child<QPushButton>(c, u"cmdHoldResume"_s)->click();
        settle();
        const QString other = path(u"other.trv"_s);
        QVERIFY(writeBytes(
            other, record(other, other,
                          QByteArray(InitialFields).replace(",0,#FALSE#,\"00:00:00\"", ",1,#TRUE#,\"0:00:30\""))));
        f.prompter().answer(Answer::No);
        f.prompter().chooseFile(other);
        QVERIFY(triggerAction(*w, u"mnuOpen"_s));
        f.clock().advance(10);
        settle();
        QCOMPARE(child<WatchedLabel>(c, u"lblLaunchWindow"_s)->text(), u"00:00:20"_s);
        QCOMPARE(f.prompter().shown.size(), 1); // the open prompt, and no expiry
    }

    // The entry fields go through the launch time entry, so a changed entry arms Set Launch Time.
    void loadingArmsSetOnlyForAChangedEntry()
    {
        const auto w = start();
        QVERIFY(!child<QPushButton>(*w, u"cmdSet"_s)->isEnabled());
        QVERIFY(triggerAction(*w, u"mnuRevert"_s));
        QVERIFY(!child<QPushButton>(*w, u"cmdSet"_s)->isEnabled());
        QVERIFY(!child<QAction>(*w, u"mnuSetLaunchTime"_s)->isEnabled());

        const QString other = path(u"other.trv"_s);
        QVERIFY(writeBytes(other, record(other, other, QByteArray(InitialFields).replace("\"30\"", "\"45\""))));
        f.prompter().answer(Answer::No);
        f.prompter().chooseFile(other);
        QVERIFY(triggerAction(*w, u"mnuOpen"_s));
        QCOMPARE(child<ClickLineEdit>(*w, u"txtMinutes"_s)->text(), u"45"_s);
        QVERIFY(child<QPushButton>(*w, u"cmdSet"_s)->isEnabled());
        QVERIFY(child<QAction>(*w, u"mnuSetLaunchTime"_s)->isEnabled());
    }
};

QTEST_MAIN(TestFileCommands)
#include "tst_filecommands.moc"
