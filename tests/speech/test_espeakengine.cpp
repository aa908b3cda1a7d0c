#include "speech/espeakengine.h"

#include <QSignalSpy>
#include <QTest>

using quenlap::EspeakEngine;

class TestEspeakEngine : public QObject
{
    Q_OBJECT

private slots:
    void wordsPerMinute_data();
    void wordsPerMinute();
    void spanishTextGivesSamples();
    void voicesAreListedAndChosenByName();
    void queuedTextsEndInCallOrder();
    void secondEngineIsUnavailable();
};

void TestEspeakEngine::wordsPerMinute_data()
{
    QTest::addColumn<int>("rate");
    QTest::addColumn<int>("expected");
    QTest::newRow("normal") << 0 << 175;
    QTest::newRow("slowest") << -10 << 80;
    QTest::newRow("fastest") << 10 << 450;
    QTest::newRow("half slower") << -5 << 118;
    QTest::newRow("half faster") << 5 << 281;
    QTest::newRow("one step slower") << -1 << 162;
    QTest::newRow("one step faster") << 1 << 192;
    QTest::newRow("below range clamps") << -30 << 80;
    QTest::newRow("above range clamps") << 99 << 450;
}

void TestEspeakEngine::wordsPerMinute()
{
    QFETCH(int, rate);
    QFETCH(int, expected);
    QCOMPARE(quenlap::espeakWordsPerMinute(rate), expected);
}

void TestEspeakEngine::spanishTextGivesSamples()
{
    EspeakEngine engine(EspeakEngine::Output::Retrieval);
    QVERIFY(engine.isAvailable());
    QVERIFY(engine.sampleRate() > 0);
    QVERIFY(engine.setVoice(QStringLiteral("es")));

    const QList<qint16> samples =
        engine.synthesize(QStringLiteral("Vuelta rápida: Pérez 12,345 segundos"));
    QVERIFY(!samples.isEmpty());
    // Over a second of speech, and not all silence.
    QVERIFY(samples.size() > engine.sampleRate());
    QVERIFY(std::any_of(samples.cbegin(), samples.cend(), [](qint16 s) { return s != 0; }));

    // A faster rate says the same in fewer samples.
    engine.setRate(10);
    const QList<qint16> faster =
        engine.synthesize(QStringLiteral("Vuelta rápida: Pérez 12,345 segundos"));
    QVERIFY(!faster.isEmpty());
    QVERIFY(faster.size() < samples.size());
}

void TestEspeakEngine::voicesAreListedAndChosenByName()
{
    EspeakEngine engine(EspeakEngine::Output::Retrieval);
    const QStringList voices = engine.voices();
    QVERIFY(voices.size() > 1);
    // A fresh install takes the first voice: the one of the viewer's own announcements.
    QCOMPARE(voices.first(), QStringLiteral("Spanish (Spain)"));
    QVERIFY(
        std::is_sorted(voices.cbegin() + 1, voices.cend(), [](const QString &a, const QString &b) {
            return QString::localeAwareCompare(a, b) < 0;
        }));
    QVERIFY(engine.setVoice(QStringLiteral("Spanish (Spain)")));
    QCOMPARE(engine.voice(), QStringLiteral("Spanish (Spain)"));
    QVERIFY(!engine.setVoice(QStringLiteral("No such voice")));
    QCOMPARE(engine.voice(), QStringLiteral("Spanish (Spain)"));
}

void TestEspeakEngine::queuedTextsEndInCallOrder()
{
    // Asked for playback: it plays if the process's espeak-ng could (here it is silent, as the
    // first engine of the process chose, or for want of a sound device); the queue is the same.
    EspeakEngine engine;
    QVERIFY(engine.isAvailable());
    engine.setVoice(QStringLiteral("es"));
    QSignalSpy finished(&engine, &quenlap::SpeechEngine::finished);
    engine.speak(QStringLiteral("uno"));
    engine.speak(QStringLiteral("dos"));
    engine.speak(QStringLiteral("tres"));
    QVERIFY(engine.isSpeaking());
    QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 3, 30000);
    QCOMPARE(finished.at(0).at(0).toString(), QStringLiteral("uno"));
    QCOMPARE(finished.at(1).at(0).toString(), QStringLiteral("dos"));
    QCOMPARE(finished.at(2).at(0).toString(), QStringLiteral("tres"));
    QVERIFY(!engine.isSpeaking());

    engine.speak(QStringLiteral("cuatro"));
    engine.speak(QStringLiteral("cinco"));
    engine.stop();
    QVERIFY(!engine.isSpeaking());
    QVERIFY(engine.waiting().isEmpty());
    engine.speak(QStringLiteral("seis"));
    QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 4, 30000);
    QCOMPARE(finished.at(3).at(0).toString(), QStringLiteral("seis"));
}

void TestEspeakEngine::secondEngineIsUnavailable()
{
    EspeakEngine first(EspeakEngine::Output::Retrieval);
    EspeakEngine second(EspeakEngine::Output::Retrieval);
    QVERIFY(first.isAvailable());
    QVERIFY(!second.isAvailable());
    QVERIFY(second.voices().isEmpty());
    second.speak(QStringLiteral("nada"));
    QVERIFY(!second.isSpeaking());
    QVERIFY(second.synthesize(QStringLiteral("nada")).isEmpty());
}

QTEST_GUILESS_MAIN(TestEspeakEngine)
#include "test_espeakengine.moc"
