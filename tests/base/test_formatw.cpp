#include "base/error.h"
#include "base/formatw.h"

#include <QTest>

using namespace quenlap;

class TestFormatW : public QObject
{
    Q_OBJECT

private slots:
    void formats_data();
    void formats();
    void programFormats_data();
    void programFormats();
    void floatingNumbers_data();
    void floatingNumbers();
    void badFormats_data();
    void badFormats();
};

namespace {

FormatSettings Spanish()
{
    FormatSettings settings;
    settings.decimalSeparator = QLatin1Char(',');
    settings.thousandSeparator = QLatin1Char('.');
    return settings;
}

} // namespace

void TestFormatW::formats_data()
{
    QTest::addColumn<QString>("result");
    QTest::addColumn<QString>("expected");

    QTest::newRow("decimal") << FormatW(u"%d", {42}) << QStringLiteral("42");
    QTest::newRow("negative decimal") << FormatW(u"%d", {-7}) << QStringLiteral("-7");
    QTest::newRow("precision pads digits") << FormatW(u"%0.2d", {5}) << QStringLiteral("05");
    QTest::newRow("precision after sign") << FormatW(u"%.4d", {-5}) << QStringLiteral("-0005");
    QTest::newRow("precision 02") << FormatW(u"%.02d", {3}) << QStringLiteral("03");
    QTest::newRow("precision never cuts numbers")
        << FormatW(u"%.2d", {1234}) << QStringLiteral("1234");
    QTest::newRow("width pads left") << FormatW(u"[%5d]", {42}) << QStringLiteral("[   42]");
    QTest::newRow("leading zero is a width")
        << FormatW(u"[%05d]", {42}) << QStringLiteral("[   42]");
    QTest::newRow("minus aligns left") << FormatW(u"[%-5d]", {42}) << QStringLiteral("[42   ]");
    QTest::newRow("hex upper case") << FormatW(u"%x", {255}) << QStringLiteral("FF");
    QTest::newRow("hex precision") << FormatW(u"%.4x", {26}) << QStringLiteral("001A");
    QTest::newRow("hex star precision") << FormatW(u"%.*x", {8, 300}) << QStringLiteral("0000012C");
    QTest::newRow("hex of negative is 32-bit")
        << FormatW(u"%x", {-1}) << QStringLiteral("FFFFFFFF");
    QTest::newRow("hex 64-bit") << FormatW(u"%x", {qint64(0x1234567890)})
                                << QStringLiteral("1234567890");
    QTest::newRow("unsigned of negative") << FormatW(u"%u", {-1}) << QStringLiteral("4294967295");
    QTest::newRow("text") << FormatW(u"<%s>", {QStringLiteral("abc")}) << QStringLiteral("<abc>");
    QTest::newRow("text cut") << FormatW(u"%.3s", {QStringLiteral("abcdef")})
                              << QStringLiteral("abc");
    QTest::newRow("text exactly 6, short")
        << FormatW(u"[%-6.6s]", {QStringLiteral("ab")}) << QStringLiteral("[ab    ]");
    QTest::newRow("text exactly 6, long")
        << FormatW(u"[%-6.6s]", {QStringLiteral("abcdefgh")}) << QStringLiteral("[abcdef]");
    QTest::newRow("text width right") << FormatW(u"[%4s]", {u"ab"}) << QStringLiteral("[  ab]");
    QTest::newRow("star width") << FormatW(u"[%*d]", {4, 7}) << QStringLiteral("[   7]");
    QTest::newRow("negative star width aligns left")
        << FormatW(u"[%*d]", {-4, 7}) << QStringLiteral("[7   ]");
    QTest::newRow("percent") << FormatW(u"100%%", {}) << QStringLiteral("100%");
    QTest::newRow("upper-case type") << FormatW(u"%D-%S", {1, u"x"}) << QStringLiteral("1-x");
    QTest::newRow("index") << FormatW(u"%1:s %0:s %s", {u"a", u"b"}) << QStringLiteral("b a b");
    QTest::newRow("wide text kept")
        << FormatW(u"%s", {QStringLiteral("Ñandú 雪")}) << QStringLiteral("Ñandú 雪");
    QTest::newRow("long argument")
        << FormatW(u"%d", {long(1) << 40}) << QStringLiteral("1099511627776");
}

void TestFormatW::formats()
{
    QFETCH(QString, result);
    QFETCH(QString, expected);
    QCOMPARE(result, expected);
}

// The texts the program builds: lap line, competitor line, logon, race copy result line, log.
void TestFormatW::programFormats_data()
{
    QTest::addColumn<QString>("result");
    QTest::addColumn<QString>("expected");

    const QString tab = QStringLiteral("\t");
    QTest::newRow("lap line") << FormatW(u"%d%s%-20.20s%s%d%s%s%s%s%s%s%sRnk %d",
                                         {7, tab, QStringLiteral("Pedro Martínez"), tab, 12, tab,
                                          QStringLiteral("00:05:12.345"), tab,
                                          QStringLiteral("00:25.678"), tab, QStringLiteral("0"),
                                          tab, 3})
                              << QStringLiteral("7\tPedro Martínez      \t12\t00:05:12.345\t"
                                                "00:25.678\t0\tRnk 3");
    QTest::newRow("competitor line")
        << FormatW(u"%d%s%.20s%s%d%s%d%s%d%s%.9s%s%.12s%s%.9s%s%.9s%s%d",
                   {3, tab, QStringLiteral("Un nombre de más de veinte"), tab, 2, tab, 40, tab, 1,
                    tab, QStringLiteral("00:25.678x"), tab, QStringLiteral("10:17:01.234zz"), tab,
                    QStringLiteral("00:24.001"), tab, QStringLiteral("00:25.500"), tab, 5})
        << QStringLiteral("3\tUn nombre de más de \t2\t40\t1\t00:25.678\t10:17:01.234\t00:24.001\t"
                          "00:25.500\t5");
    QTest::newRow("logon") << FormatW(u"%.4x%.4x%s%.4x%s", {5, 5, u"orvek", 0, u""})
                           << QStringLiteral("00050005orvek0000");
    QTest::newRow("result line")
        << FormatW(u"%d%s(%.2d)%s%-20.20s%s%d%s%.11s%s%.8s",
                   {1, tab, 4, tab, u"Ana", tab, 51, tab, u"0:20:11.456", tab, u"00:22.10"})
        << QStringLiteral("1\t(04)\tAna                 \t51\t0:20:11.456\t00:22.10");
    QTest::newRow("log entry") << FormatW(u"%19s --> %s", {u"2026/12/09 19:30:05", u"[LAP#1]"})
                               << QStringLiteral("2026/12/09 19:30:05 --> [LAP#1]");
    QTest::newRow("best lap") << FormatW(u"%s (%0.2d)", {u"23,456", 7})
                              << QStringLiteral("23,456 (07)");
}

void TestFormatW::programFormats()
{
    QFETCH(QString, result);
    QFETCH(QString, expected);
    QCOMPARE(result, expected);
}

void TestFormatW::floatingNumbers_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");

    QTest::newRow("thousands, two decimals")
        << QStringLiteral("%n") << 1234567.891 << QStringLiteral("1.234.567,89");
    QTest::newRow("small") << QStringLiteral("%n") << 12.5 << QStringLiteral("12,50");
    QTest::newRow("exactly thousand")
        << QStringLiteral("%n") << 1000.0 << QStringLiteral("1.000,00");
    QTest::newRow("negative") << QStringLiteral("%n") << -98765.4 << QStringLiteral("-98.765,40");
    QTest::newRow("no decimals") << QStringLiteral("%.0n") << 999999.6
                                 << QStringLiteral("1.000.000");
    QTest::newRow("negative zero") << QStringLiteral("%n") << -0.001 << QStringLiteral("0,00");
    QTest::newRow("fixed") << QStringLiteral("%.3f") << 1234.5 << QStringLiteral("1234,500");
    QTest::newRow("width") << QStringLiteral("[%10n]") << 1234.5 << QStringLiteral("[  1.234,50]");
}

void TestFormatW::floatingNumbers()
{
    QFETCH(QString, format);
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(FormatW(Spanish(), format, {value}), expected);
}

void TestFormatW::badFormats_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<int>("arguments");

    QTest::newRow("missing argument") << QStringLiteral("%d %d") << 1;
    QTest::newRow("text for number") << QStringLiteral("%s %d") << 2;
    QTest::newRow("unknown type") << QStringLiteral("%q") << 1;
    QTest::newRow("lone percent at end") << QStringLiteral("abc %") << 1;
    QTest::newRow("percent then width only") << QStringLiteral("%12") << 1;
    QTest::newRow("index out of range") << QStringLiteral("%5:d") << 1;
    QTest::newRow("huge width") << QStringLiteral("%99999999d") << 1;
    QTest::newRow("huge star width") << QStringLiteral("%*d") << 3;
    QTest::newRow("most negative star width") << QStringLiteral("%*d") << 4;
}

void TestFormatW::badFormats()
{
    QFETCH(QString, format);
    QFETCH(int, arguments);
    const auto call = [&] {
        if (arguments == 1)
            return FormatW(format, {1});
        if (arguments == 3)
            return FormatW(format, {qint64(1) << 40, 1});
        if (arguments == 4)
            return FormatW(format, {std::numeric_limits<qint64>::min(), 1});
        return FormatW(format, {u"text", u"text"});
    };
    QVERIFY_THROWS_EXCEPTION(Error, call());
    try {
        call();
    } catch (const Error &error) {
        QVERIFY(error.message().contains(QStringLiteral("Formato")));
    }
}

QTEST_APPLESS_MAIN(TestFormatW)
#include "test_formatw.moc"
