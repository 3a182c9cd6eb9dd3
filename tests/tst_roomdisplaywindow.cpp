// The room display's window: Start and Stop, a port in use, the choice of reach and what --serve gave, the
// addresses, the screens with their round trips; the Settings menu item that opens it, the main window driving
// the screens, and a failed start at launch waiting for the main window.
#include "DisplayClients.h"
#include "DisplayScreen.h"
#include "FakeClock.h"
#include "GuiTest.h"
#include "ScriptedPrompter.h"
#include "TestSupport.h"
#include "clock/Holds.h"
#include "clock/Mission.h"
#include "clock/MissionState.h"
#include "display/RoomDisplay.h"
#include "display/ServeEndpoint.h"
#include "platform/ProgramSettings.h"
#include "shell/RoomDisplayView.h"
#include "shell/basTarvaneLoad.h"
#include "shell/frmRoomDisplay.h"

#include <QDir>
#include <QJsonObject>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QSettings>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTreeWidget>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

QJsonObject lastState(const DisplayScreen& screen)
{
    for (int i = screen.received() - 1; i >= 0; --i)
        if (screen.message(i).value(u"type"_s) == u"state"_s)
            return screen.message(i);
    return {};
}

void forgetSettings()
{
    QDir(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation)).removeRecursively();
}

} // namespace

class TestRoomDisplayWindow final : public GuiTest
{
    Q_OBJECT

private slots:
    void initTestCase() { useOwnSettings(); }
    void init()
    {
        GuiTest::init();
        forgetSettings();
        m_clock = std::make_unique<FakeClock>();
        m_state = std::make_unique<MissionState>();
        m_display = std::make_unique<RoomDisplay>(*m_state, *m_clock);
    }
    void cleanup()
    {
        m_display.reset();
        m_state.reset();
        m_clock.reset();
        GuiTest::cleanup();
    }

    void startsStopsAndKeepsChoice();
    void serveChoiceHoldsAcrossStopAndStart();
    void everyNetworkIsHandedOn();
    void slowScreenIsMarked();
    void menuItemOpensOneWindow();
    void viewStandsAlone();
    void settingsFileOutOfRange_data();
    void settingsFileOutOfRange();
    void mainWindowDrivesScreens();
    void failedServeWaitsForMainWindow();

private:
    std::unique_ptr<FakeClock> m_clock;
    std::unique_ptr<MissionState> m_state;
    std::unique_ptr<RoomDisplay> m_display;
};

void TestRoomDisplayWindow::startsStopsAndKeepsChoice()
{
    QTcpServer busy;
    QVERIFY(busy.listen(QHostAddress::LocalHost, 0));
    frmRoomDisplay window(*m_display);
    window.setAttribute(Qt::WA_DeleteOnClose, false);
    auto* port = child<QSpinBox>(window, u"txtPort"_s);
    auto* startStop = child<QPushButton>(window, u"cmdStartStop"_s);
    auto* status = child<QLabel>(window, u"lblStatus"_s);
    QCOMPARE(port->value(), int(ProgramSettings::DefaultRoomDisplayPort));
    QVERIFY(child<QRadioButton>(window, u"optEveryNetwork"_s)->isChecked());

    child<QRadioButton>(window, u"optThisComputer"_s)->click();
    port->setValue(busy.serverPort());
    startStop->click();
    QVERIFY(!startStop->isEnabled()); // until the server answers
    QTRY_VERIFY(!status->isHidden());
    QCOMPARE(
        status->text(),
        u"Port %1 is already in use.  Choose another port, or stop the program that uses it."_s.arg(port->value()));
    QCOMPARE(m_display->status(), RoomDisplay::Status::Stopped);
    QVERIFY(startStop->isEnabled());

    busy.close();
    startStop->click();
    QTRY_COMPARE(m_display->status(), RoomDisplay::Status::Running);
    QVERIFY(status->isHidden());
    QCOMPARE(startStop->text(), u"S&top"_s);
    QVERIFY(!port->isEnabled());
    QStringList urls;
    for (const QHostAddress& address : m_display->addresses())
        urls << ServeEndpoint::url(address, port->value());
    QCOMPARE(urls.constFirst(), u"http://127.0.0.1:%1/"_s.arg(port->value()));
    QCOMPARE(child<QLabel>(window, u"lblAddresses"_s)->text(), urls.join(u'\n'));
    DisplayScreen screen(m_display->port());
    QTRY_COMPARE(child<QLabel>(window, u"lblScreens"_s)->text(), u"1 connected"_s);
    QTRY_COMPARE(child<QTreeWidget>(window, u"lvwScreens"_s)->topLevelItemCount(), 1);
    QCOMPARE(child<QTreeWidget>(window, u"lvwScreens"_s)->topLevelItem(0)->text(0), u"127.0.0.1"_s);
    QCOMPARE(ProgramSettings().roomDisplayPort(), port->value());
    QCOMPARE(ProgramSettings().roomDisplayReach(), ProgramSettings::RoomDisplayReach::ThisComputer);

    startStop->click();
    QTRY_COMPARE(m_display->status(), RoomDisplay::Status::Stopped);
    QCOMPARE(startStop->text(), u"&Start"_s);
    QCOMPARE(child<QLabel>(window, u"lblScreens"_s)->text(), u"0 connected"_s);
    QCOMPARE(child<QTreeWidget>(window, u"lvwScreens"_s)->topLevelItemCount(), 0);
}

// Started with --serve 127.0.0.1:PORT, the operator's Stop and Start serve this machine alone again.
void TestRoomDisplayWindow::serveChoiceHoldsAcrossStopAndStart()
{
    RoomDisplay display(*m_state, *m_clock);
    display.choose(ProgramSettings::RoomDisplayReach::EveryNetwork, 8080);
    QTcpServer free;
    QVERIFY(free.listen(QHostAddress::LocalHost, 0));
    const quint16 given = free.serverPort();
    free.close();
    display.giveForThisRun(*ServeEndpoint::parse(u"127.0.0.1:%1"_s.arg(given)));
    QVERIFY(startDisplay(display, display.startAddresses(), display.startPort()).ok);
    frmRoomDisplay window(display);
    window.setAttribute(Qt::WA_DeleteOnClose, false);
    QVERIFY(child<QRadioButton>(window, u"optThisComputer"_s)->isChecked());
    QCOMPARE(child<QLabel>(window, u"lblGiven"_s)->text(),
             u"For this run: http://127.0.0.1:%1, as given with --serve"_s.arg(given));
    auto* startStop = child<QPushButton>(window, u"cmdStartStop"_s);
    for (int round = 0; round < 2; ++round) {
        startStop->click();
        QTRY_COMPARE(display.status(), RoomDisplay::Status::Stopped);
        startStop->click();
        QTRY_COMPARE(display.status(), RoomDisplay::Status::Running);
        QCOMPARE(display.addresses(), QList<QHostAddress>{QHostAddress(u"127.0.0.1"_s)});
        QCOMPARE(display.port(), given);
    }
    // Only the operator's own choice is kept.
    QCOMPARE(ProgramSettings().roomDisplayReach(), ProgramSettings::RoomDisplayReach::EveryNetwork);
    QCOMPARE(ProgramSettings().roomDisplayPort(), quint16(8080));
}

// No test listens on every address: this one checks what Start would hand the server.
void TestRoomDisplayWindow::everyNetworkIsHandedOn()
{
    m_display->giveForThisRun(*ServeEndpoint::parse(u"127.0.0.1:9"_s));
    frmRoomDisplay window(*m_display);
    window.setAttribute(Qt::WA_DeleteOnClose, false);
    child<QRadioButton>(window, u"optEveryNetwork"_s)->click();
    QVERIFY(child<QLabel>(window, u"lblGiven"_s)->isHidden());
    QCOMPARE(m_display->startAddresses(), QList<QHostAddress>{QHostAddress(QHostAddress::Any)});
    QCOMPARE(m_display->startPort(), quint16(9));
    QCOMPARE(ProgramSettings().roomDisplayReach(), ProgramSettings::RoomDisplayReach::EveryNetwork);
    child<QRadioButton>(window, u"optThisComputer"_s)->click();
    QCOMPARE(m_display->startAddresses(), QList<QHostAddress>({QHostAddress(u"127.0.0.1"_s), QHostAddress(u"::1"_s)}));
    QCOMPARE(ProgramSettings().roomDisplayReach(), ProgramSettings::RoomDisplayReach::ThisComputer);
}

// A screen behind a slow network is marked, so the operator knows its second may lag.
void TestRoomDisplayWindow::slowScreenIsMarked()
{
    QVERIFY(startDisplay(*m_display, {QHostAddress(QHostAddress::LocalHost)}, 0).ok);
    frmRoomDisplay window(*m_display);
    window.setAttribute(Qt::WA_DeleteOnClose, false);
    DisplayScreen near(m_display->port());
    DelayingProxy proxy(m_display->port(), 60);
    DisplayScreen far(proxy.serverPort());
    QVERIFY(near.waitForMessages(1) && far.waitForMessages(1));
    auto* list = child<QTreeWidget>(window, u"lvwScreens"_s);
    const auto marked = [list] {
        QStringList trips;
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            trips << list->topLevelItem(i)->text(2);
        return trips;
    };
    QTRY_COMPARE(list->topLevelItemCount(), 2);
    QTRY_VERIFY2(marked().filter(u"over 50 ms"_s).size() == 1 && marked().filter(u"measuring"_s).isEmpty(),
                 qPrintable(marked().join(u", "_s)));
}

// Settings > Room Display . . . comes after the existing items (only Spoken Callouts, added later, follows it),
// with an access key no other item uses, and opens one window however often it is chosen.
void TestRoomDisplayWindow::menuItemOpensOneWindow()
{
    auto* settings = f.get<QMenu>(u"mnuSettings"_s);
    const QList<QAction*> items = settings->actions();
    QCOMPARE(items.at(items.size() - 2)->objectName(), u"mnuRoomDisplay"_s);
    QCOMPARE(items.at(items.size() - 2)->text(), u"Room &Display . . ."_s);
    QCOMPARE(items.constLast()->objectName(), u"mnuSpokenCallouts"_s);
    QList<QChar> keys;
    for (const QAction* item : items) {
        const QString text = item->menu() ? item->menu()->title() : item->text();
        const qsizetype amp = text.indexOf(u'&');
        if (amp >= 0 && amp + 1 < text.size())
            keys.append(text.at(amp + 1).toLower());
    }
    QCOMPARE(keys.count(u'd'), 1);
    QCOMPARE(keys.count(u'c'), 1);
    QCOMPARE(QSet<QChar>(keys.cbegin(), keys.cend()).size(), keys.size());

    QVERIFY(f.trigger(u"mnuRoomDisplay"_s));
    QVERIFY(f.trigger(u"mnuRoomDisplay"_s));
    const auto windows = f.window().findChildren<frmRoomDisplay*>();
    QCOMPARE(windows.size(), 1);
    QVERIFY(windows.constFirst()->isVisible());

    // Esc closes it, from the port field too.
    QPointer<frmRoomDisplay> window = windows.constFirst();
    QVERIFY(QTest::qWaitForWindowActive(window.data()));
    QTest::keyClick(child<QSpinBox>(*window, u"txtPort"_s), Qt::Key_Escape);
    QTRY_VERIFY(window.isNull() || !window->isVisible()); // and no exit prompt, which the fixture would fail on
}

// A view like any other: made with a mission, a menu and a window, and no main window, it ends the menu with its
// item, opens one window, and its controller serves the mission.
void TestRoomDisplayWindow::viewStandsAlone()
{
    ScriptedPrompter prompter;
    Mission mission(*m_clock, prompter);
    QWidget window;
    QMenu menu;
    menu.addAction(u"Before"_s);
    RoomDisplayView view(mission.state(), *m_clock, &menu, &window);
    QAction* item = menu.actions().constLast();
    QCOMPARE(item->objectName(), u"mnuRoomDisplay"_s);
    item->trigger();
    item->trigger();
    QCOMPARE(window.findChildren<frmRoomDisplay*>().size(), 1);

    QVERIFY(startDisplay(view.display(), {QHostAddress(QHostAddress::LocalHost)}, 0).ok);
    DisplayScreen screen(view.display().port());
    QVERIFY(screen.waitForMessages(1));
    mission.holds().setHoldsArmed(true);
    mission.holds().HoldCount();
    screen.ping(1);
    QCOMPARE(lastState(screen).value(u"holding"_s).toBool(), true);
}

void TestRoomDisplayWindow::settingsFileOutOfRange_data()
{
    QTest::addColumn<QString>("port");
    QTest::addColumn<QString>("reach");
    QTest::addColumn<int>("readPort");
    QTest::addColumn<bool>("thisComputer");
    QTest::newRow("port 0") << u"0"_s << u"this-computer"_s << 8080 << true;
    QTest::newRow("port past the last") << u"65536"_s << u"this-computer"_s << 8080 << true;
    QTest::newRow("no number") << u"http"_s << u"this-computer"_s << 8080 << true;
    QTest::newRow("unknown reach") << u"8081"_s << u"the moon"_s << 8081 << false;
}

// A settings file edited by hand or cut short never makes the display listen on a port nobody chose: such a
// value reads as its default, and a reach not understood as every network.
void TestRoomDisplayWindow::settingsFileOutOfRange()
{
    QFETCH(QString, port);
    QFETCH(QString, reach);
    QFETCH(int, readPort);
    QFETCH(bool, thisComputer);
    {
        QSettings file(ProgramSettings::path(), QSettings::IniFormat);
        file.setValue(u"RoomDisplay/port"_s, port);
        file.setValue(u"RoomDisplay/reach"_s, reach);
    }
    const ProgramSettings settings;
    QCOMPARE(settings.roomDisplayPort(), readPort);
    QCOMPARE(settings.roomDisplayReach(), thisComputer ? ProgramSettings::RoomDisplayReach::ThisComputer
                                                       : ProgramSettings::RoomDisplayReach::EveryNetwork);
    QCOMPARE(m_display->startPort(), readPort);
}

// The window's own hold and resume reach the screens through the mission state.
void TestRoomDisplayWindow::mainWindowDrivesScreens()
{
    RoomDisplay& display = f.window().roomDisplay();
    QVERIFY(startDisplay(display, {QHostAddress(QHostAddress::LocalHost)}, 0).ok);
    DisplayScreen screen(display.port());
    QVERIFY(screen.waitForMessages(1));
    QCOMPARE(screen.message(0).value(u"target"_s).toObject().value(u"text"_s).toString(), f.target());
    QVERIFY(f.arm());
    f.toggleHold();
    screen.ping(1);
    QCOMPARE(lastState(screen).value(u"holding"_s).toBool(), true);
    QCOMPARE(lastState(screen).value(u"holdsArmed"_s).toBool(), true);
    f.toggleHold();
    screen.ping(2);
    QCOMPARE(lastState(screen).value(u"holding"_s).toBool(), false);
}

// --serve on a busy port: the count shows first, then the reason comes over it, and the program serves on
// nothing.
void TestRoomDisplayWindow::failedServeWaitsForMainWindow()
{
    QTcpServer busy;
    QVERIFY(busy.listen(QHostAddress::LocalHost, 0));
    frmTarvane& window = f.window();
    QSignalSpy finished(&window.roomDisplay(), &RoomDisplay::startFinished);
    basTarvaneLoad::startRoomDisplay(window, f.prompter(),
                                     *ServeEndpoint::parse(u"127.0.0.1:%1"_s.arg(busy.serverPort())));
    QVERIFY(finished.wait(10'000));
    QTest::qWait(50);
    QVERIFY(f.prompter().shown.isEmpty());
    bool shownFirst = false;
    f.prompter().answer(Prompter::Answer::Ok, [&window, &shownFirst] { shownFirst = window.isVisible(); });
    f.shownWindow();
    QTRY_COMPARE(f.prompter().shown.size(), 1);
    QVERIFY(shownFirst);
    QCOMPARE(f.prompter().shown.constFirst().title, u"Tarvane"_s);
    QCOMPARE(f.prompter().shown.constFirst().text,
             u"The room display did not start.  Port %1 is already in use.  Choose another port, or stop the program "
             "that uses it."_s.arg(busy.serverPort()));
    QCOMPARE(window.roomDisplay().status(), RoomDisplay::Status::Stopped);
}

QTEST_MAIN(TestRoomDisplayWindow)
#include "tst_roomdisplaywindow.moc"
