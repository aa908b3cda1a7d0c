#include "speech/recordingengine.h"

#include <QSignalSpy>
#include <QTest>

using quenlap::RecordingEngine;
using quenlap::SpeechEngine;

class TestSpeechEngine : public QObject
{
    Q_OBJECT

private slots:
    void skipGoesOnWithTheNextWaiting();
    void stopDropsEverything();
    void skipAndStopWhenSilentDoNothing();
    void textQueuedFromFinishedHandlerKeepsOrder();
    void unavailableEngineDropsTexts();
    void rateAndVolumeAreClamped_data();
    void rateAndVolumeAreClamped();
};

void TestSpeechEngine::skipGoesOnWithTheNextWaiting()
{
    RecordingEngine engine;
    QSignalSpy finished(&engine, &SpeechEngine::finished);
    engine.speak(QStringLiteral("uno"));
    engine.speak(QStringLiteral("dos"));
    engine.speak(QStringLiteral("tres"));

    engine.skip();
    QCOMPARE(engine.cancelled(), QStringList{QStringLiteral("uno")});
    QCOMPARE(engine.current(), QStringLiteral("dos"));
    QCOMPARE(engine.waiting(), QStringList{QStringLiteral("tres")});
    // A cut utterance is not reported as heard to its end.
    QCOMPARE(finished.size(), 0);
}

void TestSpeechEngine::stopDropsEverything()
{
    RecordingEngine engine;
    engine.speak(QStringLiteral("uno"));
    engine.speak(QStringLiteral("dos"));
    engine.stop();
    QVERIFY(!engine.isSpeaking());
    QVERIFY(engine.waiting().isEmpty());
    QCOMPARE(engine.cancelled(), QStringList{QStringLiteral("uno")});

    // An end reported late for the cut utterance changes nothing.
    QSignalSpy finished(&engine, &SpeechEngine::finished);
    engine.finishCurrent();
    QCOMPARE(finished.size(), 0);
    QCOMPARE(engine.begun(), QStringList{QStringLiteral("uno")});
}

void TestSpeechEngine::skipAndStopWhenSilentDoNothing()
{
    RecordingEngine engine;
    engine.skip();
    engine.stop();
    QVERIFY(engine.cancelled().isEmpty());
    QVERIFY(engine.begun().isEmpty());
}

void TestSpeechEngine::textQueuedFromFinishedHandlerKeepsOrder()
{
    RecordingEngine engine;
    connect(&engine, &SpeechEngine::finished, &engine, [&engine](const QString &text) {
        if (text == QStringLiteral("uno"))
            engine.speak(QStringLiteral("tres"));
    });
    engine.speak(QStringLiteral("uno"));
    engine.speak(QStringLiteral("dos"));
    engine.finishCurrent();
    engine.finishCurrent();
    engine.finishCurrent();
    QCOMPARE(engine.begun(),
             (QStringList{QStringLiteral("uno"), QStringLiteral("dos"), QStringLiteral("tres")}));
    QVERIFY(!engine.isSpeaking());
}

void TestSpeechEngine::unavailableEngineDropsTexts()
{
    RecordingEngine engine;
    engine.setAvailable(false);
    engine.speak(QStringLiteral("uno"));
    QVERIFY(!engine.isSpeaking());
    QVERIFY(engine.waiting().isEmpty());
    QVERIFY(engine.voices().isEmpty());
}

void TestSpeechEngine::rateAndVolumeAreClamped_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("rate");
    QTest::addColumn<int>("volume");
    QTest::newRow("inside") << 5 << 5 << 5;
    QTest::newRow("below") << -50 << -10 << 0;
    QTest::newRow("above") << 150 << 10 << 100;
}

void TestSpeechEngine::rateAndVolumeAreClamped()
{
    QFETCH(int, value);
    QFETCH(int, rate);
    QFETCH(int, volume);
    RecordingEngine engine;
    engine.setRate(value);
    engine.setVolume(value);
    QCOMPARE(engine.rate(), rate);
    QCOMPARE(engine.volume(), volume);
}

QTEST_GUILESS_MAIN(TestSpeechEngine)
#include "test_speechengine.moc"
