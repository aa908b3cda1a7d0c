#include "speech/espeakengine.h"

#include <QDir>
#include <QFileInfo>
#include <QMetaObject>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <espeak-ng/speak_lib.h>
#include <mutex>
#include <unistd.h>
#include <utility>

namespace quenlap {

// espeak-ng's callback, which runs on espeak-ng's threads.
struct EspeakCallback
{
    static int onSynth(short *samples, int count, espeak_EVENT *events);
};

namespace {

constexpr int WatchdogIntervalMs = 1000;
// Checks in a row that find nothing playing before the utterance is taken as ended.
constexpr int IdleChecksForEnd = 2;
constexpr int NormalWordsPerMinute = espeakRATE_NORMAL;
constexpr int SlowestWordsPerMinute = espeakRATE_MINIMUM;
constexpr int FastestWordsPerMinute = espeakRATE_MAXIMUM;

// espeak-ng holds one state per process; the engine that owns it is the one its callback serves.
// The callback posts to the engine under the lock, so an engine going away waits for it.
std::mutex engineMutex;
EspeakEngine *activeEngine = nullptr;
bool engineClaimed = false;

// Samples are kept only while synthesize() waits for them; the end notice of its utterance
// wakes it (nothing else is in flight then: the queue was stopped first).
std::mutex captureMutex;
std::condition_variable captureEnded;
QList<qint16> capturedSamples;
bool captureDone = false;
std::atomic<bool> capturing{false};
constexpr auto CaptureTimeout = std::chrono::seconds(60);

// The viewer's own announcements are Spanish, and a fresh install takes the first voice listed.
const QString FirstLanguage = QStringLiteral("es");

// Opening a sound device that is not there makes the sound libraries complain on standard error;
// without any trace of one (as in CI or a container) there is no point in trying.
bool soundDeviceMayExist()
{
    if (!qEnvironmentVariableIsEmpty("PULSE_SERVER"))
        return true;
    const QString runtimeDir =
        qEnvironmentVariable("XDG_RUNTIME_DIR", QStringLiteral("/run/user/%1").arg(getuid()));
    if (QFileInfo::exists(runtimeDir + QStringLiteral("/pulse/native")))
        return true;
    const QDir sound(QStringLiteral("/dev/snd"));
    return !sound.entryList({QStringLiteral("pcm*")}, QDir::System).isEmpty();
}

// Plays nothing audible; it only makes espeak-ng open the sound device, which fails when there is
// none.
bool playbackWorks()
{
    const char empty[] = "";
    return espeak_Synth(empty, sizeof empty, 0, POS_CHARACTER, 0, espeakCHARS_UTF8, nullptr,
                        nullptr) == EE_OK;
}

// espeak-ng is started once per process and never shut down: after espeak_Terminate its
// asynchronous modes do not start again cleanly. The first engine fixes the output for the run.
struct Runtime
{
    EspeakEngine::Output output = EspeakEngine::Output::Retrieval;
    int samplesPerSecond = 0;

    static Runtime open(EspeakEngine::Output requested)
    {
        constexpr int options = espeakINITIALIZE_DONT_EXIT;
        Runtime runtime;
        if (requested == EspeakEngine::Output::Playback && soundDeviceMayExist()) {
            bool works = false;
            if (espeak_Initialize(AUDIO_OUTPUT_SYNCH_PLAYBACK, 0, nullptr, options) > 0) {
                works = playbackWorks();
                espeak_Terminate();
            }
            if (works) {
                runtime.samplesPerSecond =
                    espeak_Initialize(AUDIO_OUTPUT_PLAYBACK, 0, nullptr, options);
                runtime.output = EspeakEngine::Output::Playback;
            }
        }
        if (runtime.samplesPerSecond <= 0) {
            runtime.samplesPerSecond =
                espeak_Initialize(AUDIO_OUTPUT_RETRIEVAL, 0, nullptr, options);
            runtime.output = EspeakEngine::Output::Retrieval;
        }
        if (runtime.samplesPerSecond > 0)
            espeak_SetSynthCallback(&EspeakCallback::onSynth);
        return runtime;
    }
};

} // namespace

int EspeakCallback::onSynth(short *samples, int count, espeak_EVENT *events)
{
    if (capturing) {
        const std::lock_guard lock(captureMutex);
        if (samples && count > 0)
            capturedSamples.append(QList<qint16>(samples, samples + count));
        for (const espeak_EVENT *event = events;
             event && event->type != espeakEVENT_LIST_TERMINATED; ++event) {
            if (event->type == espeakEVENT_MSG_TERMINATED) {
                captureDone = true;
                captureEnded.notify_all();
            }
        }
    }
    const std::lock_guard lock(engineMutex);
    EspeakEngine *engine = activeEngine;
    for (; engine && events && events->type != espeakEVENT_LIST_TERMINATED; ++events) {
        if (events->type != espeakEVENT_MSG_TERMINATED)
            continue;
        const unsigned int id = events->unique_identifier;
        QMetaObject::invokeMethod(
            engine, [engine, id] { engine->messageTerminated(id); }, Qt::QueuedConnection);
    }
    return 0;
}

int espeakWordsPerMinute(int rate)
{
    const int clamped = std::clamp(rate, SpeechEngine::MinRate, SpeechEngine::MaxRate);
    const double limit = clamped >= 0 ? FastestWordsPerMinute : SlowestWordsPerMinute;
    const double steps = std::abs(clamped) / double(SpeechEngine::MaxRate);
    return int(std::lround(NormalWordsPerMinute * std::pow(limit / NormalWordsPerMinute, steps)));
}

EspeakEngine::EspeakEngine(Output requested, QObject *parent) : SpeechEngine(parent)
{
    {
        const std::lock_guard lock(engineMutex);
        if (engineClaimed)
            return;
        engineClaimed = true;
    }
    watchdog.setInterval(WatchdogIntervalMs);
    connect(&watchdog, &QTimer::timeout, this, &EspeakEngine::checkStillSpeaking);
    owner = start(requested);
    if (owner)
        loadVoices();
    const std::lock_guard lock(engineMutex);
    if (owner)
        activeEngine = this;
    else
        engineClaimed = false;
}

EspeakEngine::~EspeakEngine()
{
    if (!owner)
        return;
    espeak_Cancel();
    const std::lock_guard lock(engineMutex);
    activeEngine = nullptr;
    engineClaimed = false;
}

bool EspeakEngine::start(Output requested)
{
    static const Runtime runtime = Runtime::open(requested);
    if (runtime.samplesPerSecond <= 0)
        return false;
    samplesPerSecond = runtime.samplesPerSecond;
    outputMode = runtime.output;
    // A voice chosen by an engine before this one stays in espeak-ng's state.
    appliedVoice.clear();
    return true;
}

void EspeakEngine::loadVoices()
{
    const espeak_VOICE **list = espeak_ListVoices(nullptr);
    for (; list && *list; ++list) {
        const espeak_VOICE &entry = **list;
        if (!entry.name || !entry.identifier)
            continue;
        const QString name = QString::fromUtf8(entry.name);
        const bool known = std::any_of(installed.cbegin(), installed.cend(),
                                       [&](const InstalledVoice &v) { return v.name == name; });
        if (known)
            continue;
        // languages is a list of (priority byte, name, zero) ending with a zero byte.
        const QString language = entry.languages && entry.languages[0]
                                     ? QString::fromUtf8(entry.languages + 1)
                                     : QString();
        installed.append({name, QByteArray(entry.identifier), language});
    }
    std::sort(installed.begin(), installed.end(),
              [](const InstalledVoice &a, const InstalledVoice &b) {
                  const bool aFirst = a.language == FirstLanguage;
                  if (aFirst != (b.language == FirstLanguage))
                      return aFirst;
                  return QString::localeAwareCompare(a.name, b.name) < 0;
              });
    if (const espeak_VOICE *current = espeak_GetCurrentVoice(); current && current->name)
        currentVoice = QString::fromUtf8(current->name);
}

QStringList EspeakEngine::voices() const
{
    QStringList names;
    for (const InstalledVoice &v : installed)
        names.append(v.name);
    return names;
}

bool EspeakEngine::setVoice(const QString &name)
{
    const auto matches = [&](const InstalledVoice &v) {
        return v.name == name || QString::fromUtf8(v.identifier) == name || v.language == name;
    };
    // A name wins over an identifier or language that happens to be spelt the same.
    auto found = std::find_if(installed.cbegin(), installed.cend(),
                              [&](const InstalledVoice &v) { return v.name == name; });
    if (found == installed.cend())
        found = std::find_if(installed.cbegin(), installed.cend(), matches);
    if (found == installed.cend())
        return false;
    currentVoice = found->name;
    wantedVoice = found->identifier;
    return true;
}

void EspeakEngine::applySettings()
{
    if (!wantedVoice.isEmpty() && wantedVoice != appliedVoice) {
        // The voice is swapped directly in espeak-ng's state: wait until nothing uses it.
        espeak_Synchronize();
        if (espeak_SetVoiceByName(wantedVoice.constData()) == EE_OK)
            appliedVoice = wantedVoice;
    }
    espeak_SetParameter(espeakRATE, espeakWordsPerMinute(rate()), 0);
    // espeak-ng's normal volume is 100, the top of our scale.
    espeak_SetParameter(espeakVOLUME, volume(), 0);
}

bool EspeakEngine::beginUtterance(const QString &text)
{
    if (!owner)
        return false;
    applySettings();
    const QByteArray utf8 = text.toUtf8();
    unsigned int id = 0;
    if (espeak_Synth(utf8.constData(), size_t(utf8.size()) + 1, 0, POS_CHARACTER, 0,
                     espeakCHARS_UTF8, &id, nullptr) != EE_OK)
        return false;
    currentId = id;
    idleChecks = 0;
    // Synthesis without sound always ends with its notice; only playback can lose it.
    if (outputMode == Output::Playback)
        watchdog.start();
    return true;
}

void EspeakEngine::cancelUtterance()
{
    currentId = 0;
    watchdog.stop();
    if (owner)
        espeak_Cancel();
}

void EspeakEngine::messageTerminated(unsigned int id)
{
    // The end of a cancelled utterance may still arrive after a newer one began.
    if (id == 0 || id != currentId)
        return;
    currentId = 0;
    watchdog.stop();
    utteranceEnded();
}

void EspeakEngine::checkStillSpeaking()
{
    if (currentId == 0) {
        watchdog.stop();
        return;
    }
    idleChecks = espeak_IsPlaying() ? 0 : idleChecks + 1;
    if (idleChecks >= IdleChecksForEnd)
        messageTerminated(currentId);
}

QList<qint16> EspeakEngine::synthesize(const QString &text)
{
    if (!owner || outputMode != Output::Retrieval)
        return {};
    stop();
    applySettings();
    {
        const std::lock_guard lock(captureMutex);
        capturedSamples.clear();
    }
    capturing = true;
    const QByteArray utf8 = text.toUtf8();
    const bool queued = espeak_Synth(utf8.constData(), size_t(utf8.size()) + 1, 0, POS_CHARACTER, 0,
                                     espeakCHARS_UTF8, nullptr, nullptr) == EE_OK;
    if (queued)
        espeak_Synchronize();
    capturing = false;
    const std::lock_guard lock(captureMutex);
    return std::exchange(capturedSamples, {});
}

} // namespace quenlap
