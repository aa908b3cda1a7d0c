#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

namespace quenlap {

// A voice that speaks texts one after another, in call order, without making its caller wait.
// The queue lives here so that every engine (the real one and the test double) keeps the same
// rules; an engine only starts and cancels single utterances and says when one has ended.
class SpeechEngine : public QObject
{
    Q_OBJECT

public:
    static constexpr int MinRate = -10;
    static constexpr int MaxRate = 10;
    static constexpr int MaxVolume = 100;

    explicit SpeechEngine(QObject *parent = nullptr);
    ~SpeechEngine() override;

    // False when the engine could not be started: it then has no voices and speaks nothing.
    virtual bool isAvailable() const = 0;
    // Installed voices by their names.
    virtual QStringList voices() const = 0;
    // Takes one of voices(); false, and nothing changes, for an unknown name.
    virtual bool setVoice(const QString &name) = 0;
    virtual QString voice() const = 0;
    // -10 (slowest) to 10 (fastest); values outside are clamped. An engine applies it from its
    // next utterance on.
    void setRate(int rate);
    int rate() const { return currentRate; }
    // 0 to 100; values outside are clamped.
    void setVolume(int volume);
    int volume() const { return currentVolume; }

    // Queues text behind what is being spoken and what waits; returns at once.
    void speak(const QString &text);
    // Ends the utterance being spoken; the next one waiting starts.
    void skip();
    // Ends the utterance being spoken and drops every one waiting.
    void stop();

    bool isSpeaking() const { return speaking; }
    const QString &current() const { return currentText; }
    const QStringList &waiting() const { return queue; }

signals:
    void started(const QString &text);
    void finished(const QString &text);

protected:
    // Starts speaking text at once; false when it cannot be spoken (it is then dropped).
    virtual bool beginUtterance(const QString &text) = 0;
    // Silences the utterance begun last; no end is reported for it.
    virtual void cancelUtterance() = 0;
    // Called by the engine when the utterance begun last has been spoken to its end; never from
    // inside beginUtterance (an engine reports the end later, through the event loop or a test).
    void utteranceEnded();

private:
    void startNext();

    QStringList queue;
    QString currentText;
    bool speaking = false;
    int currentRate = 0;
    int currentVolume = MaxVolume;
};

} // namespace quenlap
