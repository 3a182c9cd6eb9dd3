#include "GuiTest.h"

#include "clock/Holds.h"
#include "clock/LaunchClock.h"
#include "clock/LaunchWindow.h"
#include "clock/Mission.h"
#include "clock/MissionState.h"
#include "clock/SequenceEngine.h"
#include "platform/ClockTimer.h"
#include "platform/widgets/KeyboardIndicators.h"
#include "platform/widgets/ShapeWidget.h"
#include "platform/widgets/SurfaceWidget.h"
#include "platform/widgets/WatchedLabel.h"
#include "shell/MainStatusBar.h"
#include "shell/MainViews.h"
#include "shell/WindowGeometry.h"
#include "shell/frmSequence.h"
#include "shell/frmTarvane.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QTreeWidget>

using namespace Qt::StringLiterals;

namespace {

class FakeIndicators final : public KeyboardIndicators
{
public:
    explicit FakeIndicators(std::shared_ptr<std::optional<bool>> state) : m_state(std::move(state)) {}
    std::optional<bool> numLock() const override { return *m_state; }

private:
    std::shared_ptr<std::optional<bool>> m_state;
};

// The main window as the program has it after start-up, on screen.
struct Fixture
{
    explicit Fixture(MainWindowFixture& shared)
        : clock(shared.clock()), prompter(shared.prompter()), window(shared.shownWindow())
    {
    }

    FakeClock& clock;
    ScriptedPrompter& prompter;
    frmTarvane& window;
    QPushButton* cmdAccess() const { return child<QPushButton>(window, u"cmdAccess"_s); }
    QWidget* surface() const { return child<QWidget>(window, u"frmTarvaneSurface"_s); }
    QMenu* popUp() const { return child<QMenu>(window, u"mnuPopUp"_s); }
};

enum class Toggle
{
    Button,
    BackgroundDoubleClick,
    PopUpItem,
    SettingsItem
};

void toggleBy(Fixture& f, Toggle how)
{
    const bool compact = f.cmdAccess()->text() == MainViews::CompactCaption;
    switch (how) {
    case Toggle::Button:
        QTest::mouseClick(f.cmdAccess(), Qt::LeftButton);
        break;
    case Toggle::BackgroundDoubleClick:
        QTest::mouseDClick(f.surface(), Qt::LeftButton, {}, QPoint(3, 3));
        break;
    case Toggle::PopUpItem:
        QVERIFY(triggerAction(f.window, compact ? u"mnuRtAccess"_s : u"mnuRtCompactScreen"_s));
        break;
    case Toggle::SettingsItem:
        QVERIFY(triggerAction(f.window, u"mnuCompactScreen"_s));
        break;
    }
    settle();
}

void verifyCompact(Fixture& f, int frameLeft)
{
    const QObject& c = f.window;
    QCOMPARE(f.cmdAccess()->text(), u"&Access Launch Data"_s);
    QCOMPARE(f.window.size(), QSize(282, 82));
    QCOMPARE(f.window.frameGeometry().left(), frameLeft);
    QVERIFY(!f.window.menuBar()->isVisible());
    QVERIFY(!child<QStatusBar>(f.window, u"sbrStatusBar"_s)->isVisible());
    QVERIFY(!child<ClockTimer>(f.window, u"tmrCurrentDateTime"_s)->isActive());
    QVERIFY(!child<QAction>(c, u"mnuRtCompactScreen"_s)->isEnabled());
    QVERIFY(child<QAction>(c, u"mnuRtAccess"_s)->isEnabled());
    QCOMPARE(f.surface()->size(), QSize(282, 82));
    // A crop of the one layout: the whole count strip and both buttons, nothing of what lies below.
    const QRect view = f.surface()->rect();
    for (QWidget* w : std::initializer_list<QWidget*>{
             child<WatchedLabel>(c, u"lblTMinus"_s), child<WatchedLabel>(c, u"lblDays"_s),
             child<WatchedLabel>(c, u"lblHours"_s), child<WatchedLabel>(c, u"lblMinutes"_s),
             child<WatchedLabel>(c, u"lblSeconds"_s), child<QWidget>(c, u"shpIndicator_0"_s),
             child<QWidget>(c, u"shpIndicator_1"_s), child<QWidget>(c, u"shpIndicator_2"_s),
             child<QPushButton>(c, u"cmdHoldResume"_s), child<QPushButton>(c, u"cmdAccess"_s)})
        QVERIFY2(view.contains(w->geometry()), qPrintable(w->objectName()));
    for (const QString& name : {u"Line1"_s, u"Shape1"_s, u"pctLaunchWindow"_s, u"pctLaunchTime"_s})
        QVERIFY2(!view.intersects(child<QWidget>(f.window, name)->geometry()), qPrintable(name));
}

void verifyFull(Fixture& f)
{
    const MainActions& a = f.window.actions();
    const QObject& c = f.window;
    QCOMPARE(f.cmdAccess()->text(), u"Com&pact Screen"_s);
    QCOMPARE(f.window.frameGeometry().left(), 50);
    QVERIFY(f.window.menuBar()->isVisible());
    for (QMenu* m : {a.mnuFile, a.mnuSettings, a.mnuSimTime, a.mnuHelp})
        QVERIFY(m->menuAction()->isVisible());
    QVERIFY(child<QStatusBar>(f.window, u"sbrStatusBar"_s)->isVisible());
    QVERIFY(child<ClockTimer>(f.window, u"tmrCurrentDateTime"_s)->isActive());
    QVERIFY(child<QAction>(c, u"mnuCompactScreen"_s)->isEnabled());
    QVERIFY(child<QAction>(c, u"mnuRtCompactScreen"_s)->isEnabled());
    QVERIFY(!child<QAction>(c, u"mnuRtAccess"_s)->isEnabled());
    // The menu bar, the whole surface down to the status bar, and the status bar: nothing more, nothing less.
    QCOMPARE(f.window.width(), 671);
    QCOMPARE(f.surface()->size(), QSize(671, 392));
    QCOMPARE(f.window.height(),
             f.window.menuBar()->height() + 392 + child<QStatusBar>(f.window, u"sbrStatusBar"_s)->height());
    const QRect view = f.surface()->rect();
    for (const QString& name : {u"pctLaunchWindow"_s, u"pctLaunchTime"_s, u"Shape1"_s})
        QVERIFY2(view.contains(child<QWidget>(f.window, name)->geometry()), qPrintable(name));
}

} // namespace

class TestViews : public GuiTest
{
    Q_OBJECT

private slots:

    void startsCompactWhereTheLayoutPutsIt()
    {
        Fixture f(GuiTest::f);
        verifyCompact(f, f.window.frameGeometry().left());
        QCOMPARE(f.window.geometry().topLeft(), QPoint(493, 59));
        // Unlike a later compact view, the start keeps "Compact Screen" enabled in its hidden menu.
        QVERIFY(child<QAction>(f.window, u"mnuCompactScreen"_s)->isEnabled());
    }

    void eachToggleFlipsTheView_data()
    {
        QTest::addColumn<Toggle>("how");
        QTest::newRow("cmdAccess") << Toggle::Button;
        QTest::newRow("double click on the background") << Toggle::BackgroundDoubleClick;
        QTest::newRow("pop-up menu") << Toggle::PopUpItem;
    }

    void eachToggleFlipsTheView()
    {
        QFETCH(Toggle, how);
        Fixture f(GuiTest::f);
        const int top = f.window.geometry().top();
        toggleBy(f, how); // the first toggle after start-up opens the full view
        verifyFull(f);
        toggleBy(f, how);
        verifyCompact(f, 490);
        QVERIFY(!child<QAction>(f.window, u"mnuCompactScreen"_s)->isEnabled());
        toggleBy(f, how);
        verifyFull(f);
        QCOMPARE(f.window.geometry().top(), top);
    }

    void compactScreenItemOnlyInTheFullView()
    {
        Fixture f(GuiTest::f);
        toggleBy(f, Toggle::SettingsItem); // still enabled from start-up
        verifyFull(f);
        toggleBy(f, Toggle::SettingsItem);
        verifyCompact(f, 490);
        QVERIFY(!triggerAction(f.window, u"mnuCompactScreen"_s));
    }

    void shortcutTogglesFromStartUp()
    {
        Fixture f(GuiTest::f);
        f.window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&f.window));
        QTest::keyClick(&f.window, Qt::Key_K, Qt::ControlModifier);
        settle();
        verifyFull(f);
        QTest::keyClick(&f.window, Qt::Key_K, Qt::ControlModifier);
        settle();
        verifyCompact(f, 490);
    }

    void datePanelRunsOnlyInTheFullView()
    {
        Fixture f(GuiTest::f);
        WatchedLabel* date = child<WatchedLabel>(f.window, u"pnlCurrentDate"_s);
        QVERIFY(date->text().isEmpty());
        f.window.ToggleView();
        settle();
        QCOMPARE(date->text(), u"May 3, 2001  10:29:50 AM"_s);

        f.window.ToggleView();
        f.clock.advance(3600 * 26);
        settle();
        QCOMPARE(date->text(), u"May 3, 2001  10:29:50 AM"_s);

        f.window.ToggleView();
        QCOMPARE(date->text(), u"May 3, 2001  10:29:50 AM"_s); // not yet: the first tick brings it
        settle();
        QCOMPARE(date->text(), u"May 4, 2001  12:29:50 PM"_s);
    }

    void popUpOnlyOverTheBareBackground_data()
    {
        QTest::addColumn<bool>("full");
        QTest::addColumn<QString>("target"); // empty: the surface
        QTest::addColumn<QPoint>("at");      // in the target, or the centre when null
        QTest::addColumn<bool>("shown");
        QTest::newRow("background") << false << QString() << QPoint(3, 3) << true;
        QTest::newRow("seconds") << false << u"lblSeconds"_s << QPoint() << false;
        QTest::newRow("days") << false << u"lblDays"_s << QPoint() << false;
        QTest::newRow("sign") << false << u"lblTMinus"_s << QPoint() << false;
        QTest::newRow("cmdAccess") << false << u"cmdAccess"_s << QPoint() << false;
        QTest::newRow("disabled hold button") << false << u"cmdHoldResume"_s << QPoint() << false;
        QTest::newRow("plate behind the panels") << true << QString() << QPoint(14, 300) << true;
        QTest::newRow("launch time panel") << true << u"pctLaunchTime"_s << QPoint(5, 5) << false;
    }

    void popUpOnlyOverTheBareBackground()
    {
        QFETCH(bool, full);
        QFETCH(QString, target);
        QFETCH(QPoint, at);
        QFETCH(bool, shown);
        Fixture f(GuiTest::f);
        if (full)
            f.window.ShowFullView();
        settle();
        QWidget* w = target.isEmpty() ? f.surface() : child<QWidget>(f.window, target);
        const QPoint point = at.isNull() ? w->rect().center() : at;
        QTest::mouseClick(w, Qt::RightButton, {}, point);
        settle();
        QCOMPARE(f.popUp()->isVisible(), shown);
        if (shown) {
            QVERIFY(f.popUp()->geometry().contains(w->mapToGlobal(point) + QPoint(1, 1)));
            f.popUp()->close();
        }
    }

    void popUpItemsFollowTheView()
    {
        Fixture f(GuiTest::f);
        const MainActions& a = f.window.actions();
        const QObject& c = f.window;
        QCOMPARE(child<QMenu>(c, u"mnuPopUp"_s)->actions(),
                 (QList<QAction*>{child<QAction>(c, u"mnuRtHold"_s), child<QAction>(c, u"mnuRtCompactScreen"_s),
                                  child<QAction>(c, u"mnuRtAccess"_s), child<QAction>(c, u"mnuRtHoldEnable"_s),
                                  a.mnuRtExit}));
        QVERIFY(!child<QMenu>(c, u"mnuPopUp"_s)->menuAction()->isVisible() ||
                !f.window.menuBar()->actions().contains(child<QMenu>(c, u"mnuPopUp"_s)->menuAction()));
        QVERIFY(!triggerAction(f.window, u"mnuRtCompactScreen"_s));
        QVERIFY(triggerAction(f.window, u"mnuRtAccess"_s));
        QVERIFY(!triggerAction(f.window, u"mnuRtAccess"_s));
        QVERIFY(triggerAction(f.window, u"mnuRtCompactScreen"_s));
        QCOMPARE(f.cmdAccess()->text(), u"&Access Launch Data"_s);
    }

    void menuBarInOrder()
    {
        Fixture f(GuiTest::f);
        f.window.ShowFullView();
        auto names = [](const QList<QAction*>& actions) {
            QStringList list;
            for (const QAction* a : actions)
                list << (a->isSeparator() ? u"-"_s : a->objectName());
            return list;
        };
        const MainActions& a = f.window.actions();
        QCOMPARE(names(f.window.menuBar()->actions()),
                 QStringList({u"mnuFile"_s, u"mnuSettings"_s, u"mnuSimTime"_s, u"mnuHelp"_s}));
        QCOMPARE(names(a.mnuFile->actions()),
                 QStringList({u"mnuNew"_s, u"mnuOpen"_s, u"mnuSave"_s, u"mnuSaveAs"_s, u"mnuRevert"_s, u"mnuExit"_s}));
        QCOMPARE(names(a.mnuSettings->actions()),
                 QStringList({u"mnuTimeZone"_s, u"mnuHold"_s, u"mnuCompactScreen"_s, u"mnuActiveLaunchWindow"_s,
                              u"mnuSetLaunchTime"_s, u"mnuSetLaunchWindow"_s, u"mnuAddEvent"_s, u"mnuHoldEnable"_s,
                              u"mnuOptions"_s, u"mnuRoomDisplay"_s, u"mnuSpokenCallouts"_s}));
        QCOMPARE(names(a.mnuHelp->actions()), QStringList({u"mnuAbout"_s, u"mnuHelpContents"_s, u"mnuTechSupport"_s}));
        QCOMPARE(a.mnuSimTime->actions().size(), 11);
        QCOMPARE(a.mnuSimTime->actions().constLast()->objectName(), u"mnuManualSet"_s);
        QVERIFY(!a.mnuNew->isVisible());
        QVERIFY(!a.mnuOptions->isEnabled());
    }

    // A new user's window has spoken callouts off, and nothing touches the speaker at start-up; the Settings menu
    // shows tool tips, for the item to say why it cannot be chosen.
    void spokenCalloutsOffAtFirstStart()
    {
        useOwnSettings();
        auto* item = f.get<QAction>(u"mnuSpokenCallouts"_s);
        QCOMPARE(item->text(), u"Spoken &Callouts"_s);
        QVERIFY(item->isCheckable() && !item->isChecked() && item->isEnabled());
        QVERIFY(!f.speaker().isOn());
        QVERIFY(f.speaker().prepareRequests.isEmpty());
        QVERIFY(f.get<QMenu>(u"mnuSettings"_s)->toolTipsVisible());
    }

    void itemsWithoutCommandsDoNothing()
    {
        Fixture f(GuiTest::f);
        f.window.ShowFullView();
        settle();
        const QRect geometry = f.window.geometry();
        const QString target = child<WatchedLabel>(f.window, u"lblTarget"_s)->text();
        const QWidgetList before = QApplication::topLevelWidgets();
        QVERIFY(triggerAction(f.window, u"mnuHelpContents"_s));
        // Hidden and disabled items cannot be chosen; even when triggered from code they do nothing.
        QVERIFY(!triggerAction(f.window, u"mnuOptions"_s));
        f.window.actions().mnuNew->trigger();
        f.window.actions().mnuOptions->trigger();
        settle();
        QCOMPARE(f.window.geometry(), geometry);
        QCOMPARE(f.cmdAccess()->text(), u"Com&pact Screen"_s);
        QCOMPARE(child<WatchedLabel>(f.window, u"lblTarget"_s)->text(), target);
        QCOMPARE(QApplication::topLevelWidgets(), before);
        QVERIFY(f.prompter.shown.isEmpty());
        QVERIFY(f.prompter.unexpected.isEmpty());
    }

    // Add Event opens the countdown sequence's window, modeless and only once. Its dialog adds and edits
    // milestones (Enter on one edits it); a refused entry is named and changes nothing; Remove asks first, No by
    // default; Extend Hold adds a minute to the running built-in hold; the next milestone, the L clock, the
    // projection and the launch window check follow the count.
    void sequenceWindow()
    {
        Fixture f(GuiTest::f);
        Mission& mission = f.window.mission();
        const MissionState& state = mission.state();
        mission.holds().ToggleHoldEnable(); // armed, ten seconds before the launch target
        QVERIFY(triggerAction(f.window, u"mnuAddEvent"_s));
        settle();
        auto* sequence = child<QWidget>(f.window, u"frmSequence"_s);
        QVERIFY(sequence && sequence->isVisible() && !sequence->isModal());
        QCOMPARE(sequence->windowTitle(), u"Countdown Sequence"_s);
        QVERIFY(triggerAction(f.window, u"mnuAddEvent"_s));
        QCOMPARE(f.window.findChildren<QWidget*>(u"frmSequence"_s).size(), 1);
        auto* table = child<QTreeWidget>(*sequence, u"lvwMilestones"_s);
        auto label = [&](const QString& name) { return child<QLabel>(*sequence, name); };
        auto button = [&](const QString& name) { return child<QPushButton>(*sequence, name); };
        auto enter = [&](const QString& time, const QString& name, int kind, const QString& length) {
            auto* dialog = sequence->findChild<QDialog*>(u"frmMilestone"_s);
            QVERIFY(dialog && dialog->isVisible());
            if (!dialog->isActiveWindow()) {
                dialog->activateWindow();
                QVERIFY(QTest::qWaitForWindowActive(dialog));
                settle();
            }
            child<QLineEdit>(*dialog, u"txtTTime"_s)->setText(time);
            child<QLineEdit>(*dialog, u"txtName"_s)->setText(name);
            child<QComboBox>(*dialog, u"cboKind"_s)->setCurrentIndex(kind);
            child<QLineEdit>(*dialog, u"txtLength"_s)->setText(length);
            QTest::keyClick(child<QLineEdit>(*dialog, u"txtName"_s), Qt::Key_Return); // OK is the default
            settle();
        };

        QTest::mouseClick(button(u"cmdAdd"_s), Qt::LeftButton);
        enter(u"T - 00:00:05"_s, u"Poll"_s, 1, u"0:00:03"_s);
        QVERIFY(!sequence->findChild<QDialog*>(u"frmMilestone"_s)); // closed once the milestone is in
        QTest::mouseClick(button(u"cmdAdd"_s), Qt::LeftButton);
        enter(u"T - 00:00:03"_s, u"Go"_s, 0, u"0:09:00"_s); // a callout's length field is not read
        QCOMPARE(state.sequence().size(), 2);
        QCOMPARE(table->topLevelItemCount(), 2);
        const QStringList row = {u"T - 00:00:05"_s, u"Poll"_s, u"Built-in hold"_s,
                                 u"0:00:03"_s,      u"next"_s, u"0:00:05"_s};
        for (int column = 0; column < frmSequence::Columns; ++column)
            QCOMPARE(table->topLevelItem(0)->text(column), row[column]);
        QVERIFY(table->topLevelItem(0)->font(0).bold() && !table->topLevelItem(1)->font(0).bold());
        QCOMPARE(table->topLevelItem(1)->text(frmSequence::State), u"ahead"_s);
        QCOMPARE(label(u"lblNext"_s)->text(), u"Next:  Poll at T - 00:00:05, in 0:00:05"_s);
        QCOMPARE(label(u"lblLClock"_s)->text(), u"L clock:  L - 00:00:13"_s);
        QCOMPARE(label(u"lblProjected"_s)->text(), u"Projected liftoff:  May 3, 2001   10:30:03 AM"_s);

        // Refused entries: a duplicate T-time, a hold after T - 00:00:01, a T-time that does not parse.
        const CountdownSequence before = state.sequence();
        QTest::mouseClick(button(u"cmdAdd"_s), Qt::LeftButton);
        for (const auto& [time, kind, length] : {std::tuple{u"T - 00:00:05"_s, 0, u""_s},
                                                 {u"T + 00:00:01"_s, 1, u"0:01:00"_s},
                                                 {u"T 5"_s, 0, u""_s},
                                                 {u"T - 00:00:09"_s, 1, u"24:00:00"_s}}) {
            f.prompter.answer(Prompter::Answer::Ok);
            enter(time, u"Late"_s, kind, length);
            QCOMPARE(f.prompter.shown.last().title, u"Tarvane"_s);
        }
        QVERIFY2(f.prompter.shown[0].text.startsWith(u"There is already a milestone at T - 00:00:05"_s),
                 qPrintable(f.prompter.shown[0].text));
        QVERIFY(f.prompter.shown[1].text.startsWith(u"A built-in hold must stand at T - 00:00:01 or earlier"_s));
        QVERIFY(f.prompter.shown[2].text.startsWith(u"The T-time \"T 5\" is not in the form"_s));
        QVERIFY2(f.prompter.shown[3].text.startsWith(u"The planned length \"24:00:00\" is out of range"_s),
                 qPrintable(f.prompter.shown[3].text));
        // The focus waits on the entry at fault.
        auto* refused = child<QDialog>(*sequence, u"frmMilestone"_s);
        QCOMPARE(refused->focusWidget(), child<QLineEdit>(*refused, u"txtLength"_s));
        QCOMPARE(state.sequence(), before);
        child<QDialog>(*sequence, u"frmMilestone"_s)->reject();
        settle();

        // Enter on the second milestone edits it, its texts in the fields.
        table->setFocus();
        table->setCurrentItem(table->topLevelItem(1));
        QTest::keyClick(table, Qt::Key_Return);
        settle();
        auto* dialog = sequence->findChild<QDialog*>(u"frmMilestone"_s);
        QVERIFY(dialog && dialog->isVisible());
        QCOMPARE(child<QLineEdit>(*dialog, u"txtTTime"_s)->text(), u"T - 00:00:03"_s);
        QCOMPARE(child<QLineEdit>(*dialog, u"txtName"_s)->text(), u"Go"_s);
        enter(u"T - 00:00:02"_s, u"Go for launch"_s, 0, QString());
        QCOMPARE(state.sequence().at(1), (Milestone{-2, u"Go for launch"_s, Milestone::Kind::Callout, 0}));

        // Remove (or Del on the table): No (the default) keeps it, Yes removes it.
        f.prompter.answer(Prompter::Answer::No);
        f.prompter.answer(Prompter::Answer::Yes);
        sequence->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(sequence));
        table->setFocus();
        QTest::keyClick(table, Qt::Key_Delete);
        QCOMPARE(state.sequence().size(), 2);
        QTest::mouseClick(button(u"cmdRemove"_s), Qt::LeftButton);
        QCOMPARE(state.sequence().size(), 1);
        const auto& asked = f.prompter.shown.last();
        QCOMPARE(asked.text, u"Do you want to remove the milestone Go for launch at T - 00:00:02?"_s);
        QCOMPARE(asked.buttons, Prompter::Buttons::YesNoDefaultNo);

        // The launch window check, flagged once the holds no longer fit.
        mission.launchWindow().setRemainingText(u"00:00:02"_s);
        mission.launchWindow().setWindowActive(true);
        settle();
        QVERIFY(label(u"lblWindowCheck"_s)->isVisible());
        QCOMPARE(label(u"lblWindowCheck"_s)->text(),
                 u"The planned holds need 0:00:03 and 0:00:02 of launch window is left:  they do not fit."_s);
        QVERIFY(label(u"lblWindowCheck"_s)->property("flagged").toBool());
        mission.launchWindow().setWindowActive(false);
        settle();
        QVERIFY(!label(u"lblWindowCheck"_s)->isVisible());

        // Disarmed, the window says built-in holds are skipped.
        mission.holds().ToggleHoldEnable();
        settle();
        QVERIFY(label(u"lblDisarmed"_s)->isVisible());
        QCOMPARE(label(u"lblDisarmed"_s)->text(), u"Holds are disarmed: built-in holds are skipped."_s);
        mission.holds().ToggleHoldEnable();
        settle();
        QVERIFY(!label(u"lblDisarmed"_s)->isVisible());

        // The built-in hold runs; Extend Hold makes it a minute longer.
        QVERIFY(!button(u"cmdExtend"_s)->isEnabled());
        for (int i = 0; i < 5; ++i) {
            f.clock.advance(1);
            settle();
        }
        QVERIFY(state.holding());
        QCOMPARE(table->topLevelItem(0)->text(frmSequence::State), u"running"_s);
        QVERIFY(button(u"cmdExtend"_s)->isEnabled());
        QTest::mouseClick(button(u"cmdExtend"_s), Qt::LeftButton);
        QCOMPARE(state.runningHold()->length(), 63);
        QCOMPARE(label(u"lblRunning"_s)->text(), u"Holding:  Poll, 0:01:03 left of 0:01:03"_s);
        QCOMPARE(label(u"lblNext"_s)->text(), u"Next:  none"_s);

        const QPointer<QWidget> closed = sequence;
        QTest::keyClick(sequence, Qt::Key_Escape);
        QTRY_VERIFY(closed.isNull());
        QVERIFY(f.prompter.scriptUsedUp());
    }

    void numberLockPanel_data()
    {
        QTest::addColumn<std::optional<bool>>("state");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("lit");
        QTest::newRow("on") << std::optional<bool>(true) << u"NUM"_s << true;
        QTest::newRow("off: dimmed") << std::optional<bool>(false) << u"NUM"_s << false;
        QTest::newRow("cannot be read: empty") << std::optional<bool>() << QString() << false;
    }

    void numberLockPanel()
    {
        QFETCH(std::optional<bool>, state);
        QFETCH(QString, text);
        QFETCH(bool, lit);
        Fixture f(GuiTest::f);
        auto shared = std::make_shared<std::optional<bool>>(std::nullopt);
        f.window.statusPanels().setIndicators(std::make_unique<FakeIndicators>(shared));
        f.window.ShowFullView();
        settle();
        WatchedLabel* panel = child<WatchedLabel>(f.window, u"pnlNumberLock"_s);
        QVERIFY(panel->text().isEmpty());
        // The key comes up after the light has changed.
        *shared = state;
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_NumLock, Qt::NoModifier);
        QApplication::sendEvent(&f.window, &release);
        settle();
        QCOMPARE(panel->text(), text);
        QCOMPARE(panel->isEnabled(), lit);
    }

    void panelDoubleClickReportsItsText()
    {
        Fixture f(GuiTest::f);
        f.window.ShowFullView();
        settle();
        QSignalSpy spy(&f.window.statusPanels(), &MainStatusBar::panelDoubleClicked);
        child<WatchedLabel>(f.window, u"pnlCurrentFile"_s)->setText(u"/tmp/launch.trv"_s);
        // On the picture as well as on the name; the file commands then ask for a file, here cancelled.
        f.prompter.chooseFile(std::nullopt);
        QTest::mouseDClick(child<WatchedLabel>(f.window, u"pnlCurrentFile"_s), Qt::LeftButton, {}, QPoint(8, 8));
        QTest::mouseDClick(child<WatchedLabel>(f.window, u"pnlCurrentDate"_s), Qt::LeftButton);
        QCOMPARE(spy.count(), 2);
        QCOMPARE(spy.at(0).at(0).toString(), u"/tmp/launch.trv"_s);
        QCOMPARE(spy.at(1).at(0).toString(), child<WatchedLabel>(f.window, u"pnlCurrentDate"_s)->text());
    }

    void statusBarFitsItsTexts()
    {
        Fixture f(GuiTest::f);
        f.window.ShowFullView();
        settle();
        const QObject& c = f.window;
        child<WatchedLabel>(c, u"pnlCurrentDate"_s)->setText(u"Dec 31, 2026  12:59:59 PM"_s);
        QVERIFY(child<WatchedLabel>(c, u"pnlCurrentDate"_s)->contentsRect().width() >=
                child<WatchedLabel>(c, u"pnlCurrentDate"_s)
                    ->fontMetrics()
                    .horizontalAdvance(child<WatchedLabel>(c, u"pnlCurrentDate"_s)->text()));
        const QRect bar = child<QStatusBar>(c, u"sbrStatusBar"_s)->rect();
        for (QWidget* panel : std::initializer_list<QWidget*>{child<WatchedLabel>(c, u"pnlNumberLock"_s),
                                                              child<WatchedLabel>(c, u"pnlCurrentDate"_s),
                                                              child<WatchedLabel>(c, u"pnlCurrentFile"_s)})
            QVERIFY2(bar.contains(panel->geometry()), qPrintable(panel->objectName()));
        QVERIFY(child<WatchedLabel>(c, u"pnlCurrentFile"_s)->height() >= 23);
    }

    void longCountKeepsAllItsDigits()
    {
        Fixture f(GuiTest::f);
        WatchedLabel* days = child<WatchedLabel>(f.window, u"lblDays"_s);
        for (const QString& text : {u"000"_s, u"1000"_s, u"24855"_s})
            days->setText(text);
        QVERIFY(days->fontMetrics().horizontalAdvance(u"24855"_s) <= days->contentsRect().width());
        days->setText(u"012"_s);
        QCOMPARE(days->font().pixelSize(), 26);
    }
};

QTEST_MAIN(TestViews)
#include "tst_views.moc"
