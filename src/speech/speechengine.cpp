#include "speech/speechengine.h"

#include <algorithm>

namespace quenlap {

SpeechEngine::SpeechEngine(QObject *parent) : QObject(parent) {}

SpeechEngine::~SpeechEngine() = default;

void SpeechEngine::speak(const QString &text)
{
    queue.append(text);
    if (!speaking)
        startNext();
}

void SpeechEngine::setRate(int rate)
{
    currentRate = std::clamp(rate, MinRate, MaxRate);
}

void SpeechEngine::setVolume(int volume)
{
    currentVolume = std::clamp(volume, 0, MaxVolume);
}

void SpeechEngine::skip()
{
    if (!speaking)
        return;
    speaking = false;
    currentText.clear();
    cancelUtterance();
    startNext();
}

void SpeechEngine::stop()
{
    // With nothing waiting, skipping the current utterance starts no other.
    queue.clear();
    skip();
}

void SpeechEngine::utteranceEnded()
{
    if (!speaking)
        return;
    const QString text = currentText;
    speaking = false;
    currentText.clear();
    emit finished(text);
    // A handler of finished may already have queued and started the next one.
    if (!speaking)
        startNext();
}

void SpeechEngine::startNext()
{
    while (!queue.isEmpty()) {
        const QString text = queue.takeFirst();
        if (beginUtterance(text)) {
            speaking = true;
            currentText = text;
            emit started(text);
            return;
        }
    }
}

} // namespace quenlap
