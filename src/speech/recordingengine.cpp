#include "speech/recordingengine.h"

namespace quenlap {

RecordingEngine::RecordingEngine(QStringList voiceNames, QObject *parent)
    : SpeechEngine(parent), voiceNames(std::move(voiceNames))
{
    if (!this->voiceNames.isEmpty())
        currentVoice = this->voiceNames.first();
}

QStringList RecordingEngine::defaultVoices()
{
    return {QStringLiteral("Spanish (Spain)"), QStringLiteral("English (Great Britain)"),
            QStringLiteral("Catalan")};
}

QStringList RecordingEngine::voices() const
{
    return availableFlag ? voiceNames : QStringList();
}

bool RecordingEngine::setVoice(const QString &name)
{
    if (!availableFlag || !voiceNames.contains(name))
        return false;
    currentVoice = name;
    return true;
}

void RecordingEngine::finishCurrent()
{
    utteranceEnded();
}

void RecordingEngine::clearRecord()
{
    begunTexts.clear();
    cancelledTexts.clear();
    beginSettings.clear();
}

bool RecordingEngine::beginUtterance(const QString &text)
{
    if (!availableFlag)
        return false;
    begunTexts.append(text);
    beginSettings.append(QStringLiteral("%1|%2|%3").arg(currentVoice).arg(rate()).arg(volume()));
    lastBegun = text;
    return true;
}

void RecordingEngine::cancelUtterance()
{
    cancelledTexts.append(lastBegun);
}

} // namespace quenlap
