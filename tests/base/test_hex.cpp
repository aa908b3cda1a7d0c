#include "base/error.h"
#include "base/hex.h"

#include <QTest>

#include <cmath>

using namespace quenlap;

class TestHex : public QObject
{
    Q_OBJECT

private slots:
    void hexToDouble_data();
    void hexToDouble();
    void doubleRoundTrip_data();
    void doubleRoundTrip();
    void integers_data();
    void integers();
    void badIntegers_data();
    void badIntegers();
    void fields();
    void writers_data();
    void writers();
    void fieldTooNarrow_data();
    void fieldTooNarrow();
};

void TestHex::hexToDouble_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");

    QTest::newRow("one") << QStringLiteral("000000000000F03F") << 1.0;
    QTest::newRow("lower case") << QStringLiteral("000000000000f03f") << 1.0;
    QTest::newRow("thirty minutes") << QStringLiteral("555555555555953F") << 30.0 / 1440.0;
    QTest::newRow("25 laps") << QStringLiteral("0000000000003940") << 25.0;
    QTest::newRow("zero") << QStringLiteral("0000000000000000") << 0.0;
    QTest::newRow("bad pair anywhere") << QStringLiteral("000000000000F0G3") << 0.0;
    QTest::newRow("bad first pair") << QStringLiteral("X000000000000000") << 0.0;
    QTest::newRow("blanks read as zeros") << QStringLiteral("            F03F") << 1.0;
    QTest::newRow("short text pads high bytes") << QStringLiteral("00000000000000") << 0.0;
    QTest::newRow("empty") << QString() << 0.0;
    // "3" alone reads as the pair "03": the top byte 03, then F0, gives 2^(63 - 1023).
    QTest::newRow("lone last digit") << QStringLiteral("000000000000F03") << std::ldexp(1.0, -960);
    QTest::newRow("extra characters ignored") << QStringLiteral("000000000000F03Fzz") << 1.0;
}

void TestHex::hexToDouble()
{
    QFETCH(QString, text);
    QFETCH(double, expected);
    // Bit for bit: a fuzzy comparison would hide a wrong byte in a tiny value.
    QCOMPARE(DoubleToHex(HexToDouble(text)), DoubleToHex(expected));
    QCOMPARE(DoubleToHex(HexToDouble(QByteArrayView(text.toLatin1()))), DoubleToHex(expected));
}

void TestHex::doubleRoundTrip_data()
{
    QTest::addColumn<double>("value");
    QTest::newRow("one") << 1.0;
    QTest::newRow("negative") << -1234.5678;
    QTest::newRow("tiny") << 5e-324;
    QTest::newRow("day fraction") << 83456.0 / 86400000.0;
}

void TestHex::doubleRoundTrip()
{
    QFETCH(double, value);
    const QString text = DoubleToHex(value);
    QCOMPARE(text.size(), 16);
    QCOMPARE(text, text.toUpper());
    QCOMPARE(HexToDouble(text), value);
    if (value == 1.0)
        QCOMPARE(text, QStringLiteral("000000000000F03F"));
}

void TestHex::integers_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("expected");

    QTest::newRow("code") << QStringLiteral("000A") << 10;
    QTest::newRow("lower case") << QStringLiteral("00ff") << 255;
    QTest::newRow("eight digits") << QStringLiteral("0000012C") << 300;
    QTest::newRow("all ones is -1") << QStringLiteral("FFFFFFFF") << -1;
    QTest::newRow("leading zeros beyond eight") << QStringLiteral("000000000010") << 16;
}

void TestHex::integers()
{
    QFETCH(QString, text);
    QFETCH(int, expected);
    QCOMPARE(HexToInt(text), expected);
    QCOMPARE(HexToInt(QByteArrayView(text.toLatin1())), expected);
}

void TestHex::badIntegers_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << QString();
    QTest::newRow("letter") << QStringLiteral("00G1");
    QTest::newRow("blank") << QStringLiteral(" 001");
    QTest::newRow("sign") << QStringLiteral("-001");
    QTest::newRow("too large") << QStringLiteral("100000000");
    QTest::newRow("dollar") << QStringLiteral("$001");
}

void TestHex::badIntegers()
{
    QFETCH(QString, text);
    try {
        HexToInt(text);
        QFAIL("no error");
    } catch (const Error &error) {
        QCOMPARE(error.message(), QStringLiteral("'$%1' no es un valor entero válido").arg(text));
    }
}

void TestHex::fields()
{
    const QString message = QStringLiteral("000A00010000000000003940");
    QCOMPARE(LeerCampoHex(message, 0, 4), 10);
    QCOMPARE(LeerCampoHex(message, 4, 4), 1);
    QCOMPARE(LeerCampoHex(message, 22, 4), 0x40); // cut short by the end
    QVERIFY_THROWS_EXCEPTION(Error, LeerCampoHex(message, 24, 4));
    QVERIFY_THROWS_EXCEPTION(Error, LeerCampoHex(QString(), 0, 4));
}

void TestHex::writers_data()
{
    QTest::addColumn<qint64>("value");
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("expected");

    QTest::newRow("code") << qint64(10) << 4 << QStringLiteral("000A");
    QTest::newRow("length") << qint64(300) << 8 << QStringLiteral("0000012C");
    QTest::newRow("largest 4") << qint64(0xFFFF) << 4 << QStringLiteral("FFFF");
    QTest::newRow("zero") << qint64(0) << 8 << QStringLiteral("00000000");
}

void TestHex::writers()
{
    QFETCH(qint64, value);
    QFETCH(int, width);
    QFETCH(QString, expected);
    QCOMPARE(CampoHex(value, width), expected);
    QCOMPARE(IntToHex(value, width), expected);
    QCOMPARE(HexToInt(expected), qint32(value));
}

void TestHex::fieldTooNarrow_data()
{
    QTest::addColumn<qint64>("value");
    QTest::addColumn<int>("width");
    QTest::newRow("65536 in 4") << qint64(0x10000) << 4;
    QTest::newRow("negative") << qint64(-1) << 8;
}

void TestHex::fieldTooNarrow()
{
    QFETCH(qint64, value);
    QFETCH(int, width);
    QVERIFY_THROWS_EXCEPTION(Error, CampoHex(value, width));
}

QTEST_APPLESS_MAIN(TestHex)
#include "test_hex.moc"
