#pragma once

#include <QString>
#include <QtGlobal>

// The program's own settings, kept between runs in one file: what the operator chooses in the program's windows,
// as against the mission's settings, which launch data files keep. Every part of the program keeps here what it
// needs between runs, each value as a getter and a setter with its default. A setter writes at once; a value that
// is missing or out of range reads as its default. Every instance reads and writes the same file, so a part makes
// one where it needs it.
class ProgramSettings final
{
public:
    // The room display: whether browsers on every network reach it or this computer's alone, and its port.
    enum class RoomDisplayReach
    {
        ThisComputer, // 127.0.0.1 and ::1
        EveryNetwork
    };
    static constexpr quint16 DefaultRoomDisplayPort = 8080;
    RoomDisplayReach roomDisplayReach() const;
    void setRoomDisplayReach(RoomDisplayReach reach);
    quint16 roomDisplayPort() const;
    void setRoomDisplayPort(quint16 port);

    // Spoken callouts: on or off (the default) at start-up.
    bool spokenCallouts() const;
    void setSpokenCallouts(bool on);

    // The file: Tarvane.conf in the user's configuration folder (the tests' own in test mode).
    static QString path();
};
