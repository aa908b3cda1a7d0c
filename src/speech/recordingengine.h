#pragma once

#include "speech/speechengine.h"

namespace quenlap {

// A speech engine for tests: it speaks nothing, remembers what it was asked to do, and ends the
// utterance being spoken only when the test says so (finishCurrent).
class RecordingEngine final : public SpeechEngine
{
    Q_OBJECT

public:
    explicit RecordingEngine(QStringList voiceNames = defaultVoices(), QObject *parent = nullptr);

    static QStringList defaultVoices();

    // An unavailable engine behaves as a machine without speech: no voices, nothing spoken.
    void setAvailable(bool available) { availableFlag = available; }

    bool isAvailable() const override { return availableFlag; }
    QStringList voices() const override;
    bool setVoice(const QString &name) override;
    QString voice() const override { return currentVoice; }

    // Ends the utterance being spoken as if it had been heard to its end.
    void finishCurrent();

    // Every utterance begun, in order.
    const QStringList &begun() const { return begunTexts; }
    // Every utterance cut off before its end, in order.
    const QStringList &cancelled() const { return cancelledTexts; }
    // The voice, rate and volume each utterance began with, as "voice|rate|volume".
    const QStringList &settingsAtBegin() const { return beginSettings; }
    void clearRecord();

protected:
    bool beginUtterance(const QString &text) override;
    void cancelUtterance() override;

private:
    QStringList voiceNames;
    QStringList begunTexts;
    QStringList cancelledTexts;
    QStringList beginSettings;
    QString currentVoice;
    QString lastBegun;
    bool availableFlag = true;
};

} // namespace quenlap
