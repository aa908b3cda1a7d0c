#pragma once

#include "speech/speechengine.h"

#include <QByteArray>
#include <QList>
#include <QTimer>

namespace quenlap {

// espeak-ng's words per minute for a rate of -10 to 10: 0 is espeak-ng's normal 175, -10 its
// slowest 80 and 10 its fastest 450, each step a constant factor as one expects of a speed dial.
int espeakWordsPerMinute(int rate);

// The speech engine on espeak-ng. espeak-ng keeps one state per process, so only one live
// EspeakEngine owns it; another created meanwhile is unavailable. espeak-ng is started by the
// first engine of the process and stays up until the process ends, with that engine's output.
// Synthesis runs inside espeak-ng's own threads; only their end notices cross back, as queued
// calls, to the thread that owns the engine, and every espeak-ng call is made from that thread.
class EspeakEngine final : public SpeechEngine
{
    Q_OBJECT

public:
    enum class Output {
        Playback,  // heard through the sound device
        Retrieval, // synthesised and discarded (no sound device), or captured by synthesize()
    };

    // Playback falls back to Retrieval when there is no usable sound device, so that speaking
    // stays silent instead of failing.
    explicit EspeakEngine(Output requested = Output::Playback, QObject *parent = nullptr);
    ~EspeakEngine() override;

    Output output() const { return outputMode; }
    int sampleRate() const { return samplesPerSecond; }

    // The 16-bit mono samples of text in the chosen voice, rate and volume. Only in Retrieval
    // output (empty otherwise); what is being spoken and what waits is dropped first.
    QList<qint16> synthesize(const QString &text);

    bool isAvailable() const override { return owner; }
    // By name, the Spanish voice first.
    QStringList voices() const override;
    // Also takes an espeak-ng voice identifier ("roa/es") or language ("es").
    bool setVoice(const QString &name) override;
    QString voice() const override { return currentVoice; }

protected:
    bool beginUtterance(const QString &text) override;
    void cancelUtterance() override;

private:
    struct InstalledVoice
    {
        QString name;
        QByteArray identifier;
        QString language;
    };

    bool start(Output requested);
    void loadVoices();
    void applySettings();
    void messageTerminated(unsigned int id);
    void checkStillSpeaking();

    friend struct EspeakCallback;

    // espeak-ng reports no end for an utterance whose sound could not be played (a device lost
    // while running); this notices that nothing is playing any more, so the queue goes on.
    QTimer watchdog;
    int idleChecks = 0;
    QList<InstalledVoice> installed;
    QString currentVoice;
    QByteArray wantedVoice;
    QByteArray appliedVoice;
    Output outputMode = Output::Retrieval;
    unsigned int currentId = 0;
    int samplesPerSecond = 0;
    bool owner = false;
};

} // namespace quenlap
