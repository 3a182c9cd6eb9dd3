#pragma once

#include <QtGlobal>

#include <chrono>

// What one connection to the room display may take, so that no client can crowd out the others or the program.
// Every limit closes only the connection that passes it. Tests shrink them to reach them quickly.
struct DisplayLimits
{
    qint64 headBytes = 16 * 1024;                 // a request, head and all; the socket reads no further ahead
    std::chrono::milliseconds headDeadline{5000}; // from the connection or the request's first byte to its end
    std::chrono::milliseconds idle{10'000};       // a kept-alive connection with no request
    int httpConnectionsPerAddress = 16;           // page and state requests; screens do not count
    int httpConnections = 256;                    // all addresses together; the oldest makes room for a new one
    int screens = 64;
    int messagesPerSecond = 20;                       // text messages a screen may send
    qint64 unsentBytes = 64 * 1024;                   // a screen that reads nothing is dropped past this
    qint64 messageBytes = 256;                        // the largest message or frame a screen may send
    std::chrono::milliseconds screenSilence{75'000};  // a screen with no ping for so long gives way to a new one
    std::chrono::milliseconds roundTripEvery{10'000}; // the server's own pings, for the round trip it shows
};
