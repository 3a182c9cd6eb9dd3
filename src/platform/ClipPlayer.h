#pragma once

#include "SpeechClip.h"

#include <QAudioDevice>
#include <QByteArray>
#include <QObject>
#include <QTimer>

#include <memory>

class QAudioSink;
class QIODevice;

// Plays clips on the default audio output with Qt Multimedia. Meant for a thread of its own: opening the output
// and starting a stream wait on the sound server.
class ClipPlayer final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ClipPlayer)

public:
    explicit ClipPlayer(QObject* parent = nullptr);
    ~ClipPlayer() override;

    // Looks for the default audio output and tells what it found.
    void open();
    void close();

    // Plays clip from now, cutting off the one playing.
    void play(const SpeechClip& clip);
    void stop();

signals:
    // Empty when sound can be played, otherwise why not; after open() and whenever that changes.
    void outputChecked(const QString& problem);

private:
    void feed();
    void report(const QString& problem);

    QAudioDevice m_device;
    std::unique_ptr<QAudioSink> m_sink;
    QIODevice* m_input = nullptr; // owned by m_sink
    QByteArray m_pending;         // what the stream did not take yet
    QTimer m_feedTimer;
    QString m_problem;
};
