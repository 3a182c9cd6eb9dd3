// The room display's window: Start and Stop, a port in use, the addresses, the screens and the kept port; the
// Settings menu item that opens it, and the main window driving the screens.
#include "DisplayScreen.h"
#include "FakeClock.h"
#include "GuiTest.h"
#include "TestSupport.h"
#include "clock/MissionState.h"
#include "display/RoomDisplayServer.h"
#include "display/ServeEndpoint.h"
#include "display/frmRoomDisplay.h"

#include <QDir>
#include <QJsonObject>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QSet>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTcpServer>

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

} // namespace

class TestRoomDisplayWindow final : public GuiTest
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QDir(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation)).removeRecursively();
    }
    void init()
    {
        GuiTest::init();
        m_clock = std::make_unique<FakeClock>();
        m_state = std::make_unique<MissionState>();
        m_server = std::make_unique<RoomDisplayServer>(*m_state, *m_clock);
    }
    void cleanup()
    {
        m_server.reset();
        m_state.reset();
        m_clock.reset();
        GuiTest::cleanup();
    }

    void startsStopsAndKeepsPort();
    void menuItemOpensOneWindow();
    void mainWindowDrivesScreens();

private:
    std::unique_ptr<FakeClock> m_clock;
    std::unique_ptr<MissionState> m_state;
    std::unique_ptr<RoomDisplayServer> m_server;
};

void TestRoomDisplayWindow::startsStopsAndKeepsPort()
{
    QTcpServer busy;
    QVERIFY(busy.listen(QHostAddress::LocalHost, 0));
    frmRoomDisplay window(*m_server, nullptr, QHostAddress::LocalHost);
    window.setAttribute(Qt::WA_DeleteOnClose, false);
    auto* port = child<QSpinBox>(window, u"txtPort"_s);
    auto* startStop = child<QPushButton>(window, u"cmdStartStop"_s);
    QCOMPARE(port->value(), int(frmRoomDisplay::DefaultPort));

    port->setValue(busy.serverPort());
    startStop->click();
    QVERIFY(!m_server->isRunning());
    QVERIFY(child<QLabel>(window, u"lblStatus"_s)->text().contains(u"already in use"_s));

    busy.close();
    startStop->click();
    QVERIFY(m_server->isRunning());
    QCOMPARE(startStop->text(), u"S&top"_s);
    QCOMPARE(child<QLabel>(window, u"lblAddresses"_s)->text(),
             ServeEndpoint::url(QHostAddress::LocalHost, port->value()));
    DisplayScreen screen(m_server->port());
    QTRY_COMPARE(child<QLabel>(window, u"lblScreens"_s)->text(), u"1 connected"_s);
    QCOMPARE(frmRoomDisplay::savedPort(), port->value());

    startStop->click();
    QVERIFY(!m_server->isRunning());
    QCOMPARE(startStop->text(), u"&Start"_s);
    QCOMPARE(child<QLabel>(window, u"lblScreens"_s)->text(), u"0 connected"_s);
}

// Settings > Room Display . . . comes after the existing items, with an access key no other item uses, and opens
// one window however often it is chosen.
void TestRoomDisplayWindow::menuItemOpensOneWindow()
{
    auto* settings = f.get<QMenu>(u"mnuSettings"_s);
    const QList<QAction*> items = settings->actions();
    QCOMPARE(items.constLast()->objectName(), u"mnuRoomDisplay"_s);
    QCOMPARE(items.constLast()->text(), u"Room &Display . . ."_s);
    QList<QChar> keys;
    for (const QAction* item : items) {
        const QString text = item->menu() ? item->menu()->title() : item->text();
        const qsizetype amp = text.indexOf(u'&');
        if (amp >= 0 && amp + 1 < text.size())
            keys.append(text.at(amp + 1).toLower());
    }
    QCOMPARE(keys.count(u'd'), 1);
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

// The window's own hold and resume reach the screens through the mission state.
void TestRoomDisplayWindow::mainWindowDrivesScreens()
{
    RoomDisplayServer& server = f.window().roomDisplay();
    QVERIFY(server.start(QHostAddress::LocalHost, 0).ok);
    DisplayScreen screen(server.port());
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

QTEST_MAIN(TestRoomDisplayWindow)
#include "tst_roomdisplaywindow.moc"
