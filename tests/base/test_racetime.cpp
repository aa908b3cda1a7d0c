#include "base/error.h"
#include "base/racetime.h"

#include <QTest>

using namespace quenlap;

class TestRaceTime : public QObject
{
    Q_OBJECT

private slots:
    void patterns_data();
    void patterns();
    void everyMillisecondFormatsBack();
    void separatorsAndNames();
    void longDate();
    void moments_data();
    void moments();
    void rounding_data();
    void rounding();
    void notFinite_data();
    void notFinite();
};

namespace {

double Ms(qint64 ms)
{
    return MsToDias(double(ms));
}

double Hms(int h, int n, int s, int z)
{
    return Ms(((h * 60LL + n) * 60 + s) * 1000 + z);
}

} // namespace

void TestRaceTime::patterns_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<double>("dias");
    QTest::addColumn<QString>("expected");

    const double lap = Hms(0, 1, 23, 456);
    QTest::newRow("nn:ss.zzz") << QStringLiteral("nn:ss.zzz") << lap << QStringLiteral("01:23.456");
    QTest::newRow("ss.zzz under a minute")
        << QStringLiteral("ss.zzz") << Hms(0, 0, 7, 5) << QStringLiteral("07.005");
    QTest::newRow("ss.zzz drops minutes")
        << QStringLiteral("ss.zzz") << lap << QStringLiteral("23.456");
    QTest::newRow("s,zzz") << QStringLiteral("s,zzz") << Hms(0, 0, 7, 50)
                           << QStringLiteral("7,050");
    QTest::newRow("hh:nn:ss") << QStringLiteral("hh:nn:ss") << Hms(1, 2, 3, 999)
                              << QStringLiteral("01:02:03");
    QTest::newRow("h:nn:ss") << QStringLiteral("h:nn:ss") << Hms(1, 2, 3, 0)
                             << QStringLiteral("1:02:03");
    QTest::newRow("h:nn:ss.zzz") << QStringLiteral("h:nn:ss.zzz") << Hms(0, 17, 1, 234)
                                 << QStringLiteral("0:17:01.234");
    QTest::newRow("hh.nn.ss.zzz") << QStringLiteral("hh.nn.ss.zzz") << Hms(13, 5, 9, 7)
                                  << QStringLiteral("13.05.09.007");
    QTest::newRow("nn.ss.zzz") << QStringLiteral("nn.ss.zzz") << lap << QStringLiteral("01.23.456");
    QTest::newRow("hours wrap at a day")
        << QStringLiteral("hh:nn:ss") << 1.0 + Hms(2, 0, 0, 0) << QStringLiteral("02:00:00");
    QTest::newRow("minutes wrap at an hour")
        << QStringLiteral("nn:ss.zzz") << Hms(1, 4, 7, 300) << QStringLiteral("04:07.300");
    const double moment = 46365.0 + Hms(19, 30, 5, 42); // 2026-12-09
    QTest::newRow("yyyymmdd-hhnnss")
        << QStringLiteral("yyyymmdd-hhnnss") << moment << QStringLiteral("20261209-193005");
    QTest::newRow("yymmdd-hhnnsszzz")
        << QStringLiteral("yymmdd-hhnnsszzz") << moment << QStringLiteral("261209-193005042");
    QTest::newRow("yyyy/mm/dd hh:nn:ss")
        << QStringLiteral("yyyy/mm/dd hh:nn:ss") << moment << QStringLiteral("2026/12/09 19:30:05");
    QTest::newRow("m after h is minutes")
        << QStringLiteral("hh:mm") << moment << QStringLiteral("19:30");
    QTest::newRow("single letters") << QStringLiteral("d/m/y h:n:s.z") << 46024.0 + Hms(3, 4, 5, 6)
                                    << QStringLiteral("2/1/26 3:4:5.6");
    QTest::newRow("quoted text copied")
        << QStringLiteral("'hh' \"nn\" hh") << Hms(5, 0, 0, 0) << QStringLiteral("hh nn 05");
    QTest::newRow("upper-case letters")
        << QStringLiteral("HH:NN:SS") << Hms(5, 6, 7, 0) << QStringLiteral("05:06:07");
    QTest::newRow("day zero") << QStringLiteral("yyyy/mm/dd") << 0.0
                              << QStringLiteral("1899/12/30");
    QTest::newRow("half a ms rounds to even")
        << QStringLiteral("ss.zzz") << Ms(1) * 2.5 << QStringLiteral("00.002");
    QTest::newRow("just below a second")
        << QStringLiteral("ss.zzz") << Ms(999) + Ms(1) * 0.6 << QStringLiteral("01.000");
    QTest::newRow("negative time of day")
        << QStringLiteral("hh:nn:ss") << -Hms(1, 2, 3, 0) << QStringLiteral("01:02:03");
}

void TestRaceTime::patterns()
{
    QFETCH(QString, pattern);
    QFETCH(double, dias);
    QFETCH(QString, expected);
    QCOMPARE(FormatDateTime(pattern, dias), expected);
}

// A time stored as ms / 86400000 often lands a hair below the millisecond; it must still show it.
void TestRaceTime::everyMillisecondFormatsBack()
{
    for (qint64 ms = 0; ms < 200000; ms += 7) {
        const QString expected = QStringLiteral("%1:%2.%3")
                                     .arg(ms / 60000, 2, 10, QLatin1Char('0'))
                                     .arg(ms / 1000 % 60, 2, 10, QLatin1Char('0'))
                                     .arg(ms % 1000, 3, 10, QLatin1Char('0'));
        QCOMPARE(FormatDateTime(u"nn:ss.zzz", Ms(ms)), expected);
        QCOMPARE(Round(DiasToMs(Ms(ms))), ms);
    }
}

void TestRaceTime::separatorsAndNames()
{
    FormatSettings settings;
    settings.timeSeparator = QLatin1Char('.');
    settings.dateSeparator = QLatin1Char('-');
    QCOMPARE(FormatDateTime(u"yyyy/mm/dd hh:nn:ss", 46365.0 + Hms(19, 30, 5, 0), settings),
             QStringLiteral("2026-12-09 19.30.05"));

    const FormatSettings spanish =
        FormatSettings::fromLocale(QLocale(QLocale::Spanish, QLocale::Spain));
    QCOMPARE(spanish.decimalSeparator, QLatin1Char(','));
    QCOMPARE(spanish.timeSeparator, QLatin1Char(':'));
    QCOMPARE(spanish.dateSeparator, QLatin1Char('/'));
    QCOMPARE(FormatDateTime(u"dddd mmmm", 46365.0, spanish), QStringLiteral("miércoles diciembre"));
    const FormatSettings german = FormatSettings::fromLocale(QLocale(QLocale::German));
    QCOMPARE(german.dateSeparator, QLatin1Char('.'));
}

void TestRaceTime::longDate()
{
    const QString text = LongDate(46365.0 + Hms(19, 30, 5, 0));
    QCOMPARE(text, QStringLiteral("Wednesday 09, December 26 - 19:30:05"));
}

void TestRaceTime::moments_data()
{
    QTest::addColumn<QDateTime>("moment");
    QTest::addColumn<double>("dias");

    QTest::newRow("day zero") << QDateTime(QDate(1899, 12, 30), QTime(0, 0)) << 0.0;
    QTest::newRow("noon of day one") << QDateTime(QDate(1899, 12, 31), QTime(12, 0)) << 1.5;
    QTest::newRow("2026") << QDateTime(QDate(2026, 12, 9), QTime(19, 30, 5, 42))
                          << 46365.0 + Hms(19, 30, 5, 42);
    QTest::newRow("before day zero") << QDateTime(QDate(1899, 12, 29), QTime(6, 0)) << -1.25;
}

void TestRaceTime::moments()
{
    QFETCH(QDateTime, moment);
    QFETCH(double, dias);
    QVERIFY(qAbs(DateTimeToDias(moment) - dias) < 1e-9);
    QCOMPARE(DiasToDateTime(dias), moment);
}

void TestRaceTime::rounding_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<qint64>("trunc");
    QTest::addColumn<qint64>("round");

    QTest::newRow("2.5") << 2.5 << qint64(2) << qint64(2);
    QTest::newRow("3.5") << 3.5 << qint64(3) << qint64(4);
    QTest::newRow("-2.5") << -2.5 << qint64(-2) << qint64(-2);
    QTest::newRow("-3.5") << -3.5 << qint64(-3) << qint64(-4);
    QTest::newRow("2.51") << 2.51 << qint64(2) << qint64(3);
    QTest::newRow("-2.7") << -2.7 << qint64(-2) << qint64(-3);
    QTest::newRow("0.5") << 0.5 << qint64(0) << qint64(0);
    QTest::newRow("large") << 1e15 + 0.5 << qint64(1000000000000000) << qint64(1000000000000000);
}

void TestRaceTime::rounding()
{
    QFETCH(double, value);
    QFETCH(qint64, trunc);
    QFETCH(qint64, round);
    QCOMPARE(Trunc(value), trunc);
    QCOMPARE(Round(value), round);
    QCOMPARE(Div(-7, 2), qint64(-3));
    QCOMPARE(Div(7, -2), qint64(-3));
}

void TestRaceTime::notFinite_data()
{
    QTest::addColumn<double>("value");
    QTest::newRow("nan") << std::numeric_limits<double>::quiet_NaN();
    QTest::newRow("infinity") << std::numeric_limits<double>::infinity();
    QTest::newRow("too large") << 1e300;
}

void TestRaceTime::notFinite()
{
    QFETCH(double, value);
    QVERIFY_THROWS_EXCEPTION(Error, Round(value));
    QVERIFY_THROWS_EXCEPTION(Error, FormatDateTime(u"hh:nn:ss", value));
}

QTEST_APPLESS_MAIN(TestRaceTime)
#include "test_racetime.moc"
