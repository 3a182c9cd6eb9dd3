#pragma once

#include <QHostAddress>
#include <QList>
#include <QWidget>

class QLabel;
class QPushButton;
class QSpinBox;
class RoomDisplayServer;

// The small window that starts and stops the room display and tells the operator what to type into the
// browsers of the room, and how many screens follow the count.
class frmRoomDisplay final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(frmRoomDisplay)

public:
    static constexpr quint16 DefaultPort = 8080;

    // Start listens on startAddress: every address of this machine unless told otherwise.
    explicit frmRoomDisplay(RoomDisplayServer& server, QWidget* parent = nullptr,
                            const QHostAddress& startAddress = QHostAddress(QHostAddress::Any));

    // The addresses of this machine a browser elsewhere can reach, the most useful first.
    static QList<QHostAddress> ownAddresses();

    // The port kept for the next start, in the program's settings.
    static quint16 savedPort();
    static void savePort(quint16 port);

private:
    void cmdStartStop_Click();
    void showServer();
    void showScreens(int screens);

    RoomDisplayServer& m_server;
    QHostAddress m_startAddress;
    QSpinBox* m_txtPort;
    QPushButton* m_cmdStartStop;
    QLabel* m_lblAddresses;
    QLabel* m_lblScreens;
    QLabel* m_lblStatus;
};
