// The room display's window: Start and Stop, a port in use, the addresses, the screens and the kept port.
#include "DisplayScreen.h"
#include "FakeClock.h"
#include "TestSupport.h"
#include "clock/MissionState.h"
#include "display/RoomDisplayServer.h"
#include "display/ServeEndpoint.h"
#include "display/frmRoomDisplay.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTcpServer>

#include <memory>

using namespace Qt::StringLiterals;

class TestRoomDisplayWindow final : public QObject
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
        QTest::failOnWarning(QRegularExpression(u".*"_s));
        m_clock = std::make_unique<FakeClock>();
        m_state = std::make_unique<MissionState>();
        m_server = std::make_unique<RoomDisplayServer>(*m_state, *m_clock);
    }
    void cleanup()
    {
        m_server.reset();
        m_state.reset();
        m_clock.reset();
    }

    void startsStopsAndKeepsPort();

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

QTEST_MAIN(TestRoomDisplayWindow)
#include "tst_roomdisplaywindow.moc"
