#include "base/textencoding.h"

#include <QTest>

using namespace quenlap;

class TestTextEncoding : public QObject
{
    Q_OBJECT

private slots:
    void decode_data();
    void decode();
    void roundTrip_data();
    void roundTrip();
};

void TestTextEncoding::decode_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("encoding");
    QTest::addColumn<QString>("text");

    QTest::newRow("empty") << QByteArray() << int(Codificacion::Utf8) << QString();
    QTest::newRow("ASCII") << QByteArray("a=1\r\n") << int(Codificacion::Utf8)
                           << QStringLiteral("a=1\r\n");
    QTest::newRow("UTF-8") << QByteArray("Espa\xC3\xB1ol") << int(Codificacion::Utf8)
                           << QStringLiteral("Español");
    QTest::newRow("UTF-8 with mark")
        << QByteArray("\xEF\xBB\xBF\xC3\xA9") << int(Codificacion::Utf8Bom) << QStringLiteral("é");
    QTest::newRow("UTF-16 LE") << QByteArray("\xFF\xFE\xE9\x00"
                                             "a\x00",
                                             6)
                               << int(Codificacion::Utf16LE) << QStringLiteral("éa");
    QTest::newRow("UTF-16 BE") << QByteArray("\xFE\xFF\x00\xE9\x4E\x2D", 6)
                               << int(Codificacion::Utf16BE) << QStringLiteral("é中");
    QTest::newRow("UTF-16 LE odd last byte dropped")
        << QByteArray("\xFF\xFE"
                      "a\x00"
                      "b",
                      5)
        << int(Codificacion::Utf16LE) << QStringLiteral("a");
    QTest::newRow("Windows-1252") << QByteArray("Espa\xF1ol \x80") << int(Codificacion::Cp1252)
                                  << QStringLiteral("Español €");
    QTest::newRow("truncated UTF-8 is 1252")
        << QByteArray("ab\xC3") << int(Codificacion::Cp1252) << QStringLiteral("abÃ");
    QTest::newRow("NUL bytes kept")
        << QByteArray("a\0b", 3) << int(Codificacion::Utf8) << QString(u"a\0b"_qs);
}

void TestTextEncoding::decode()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, encoding);
    QFETCH(QString, text);
    const TextoDecodificado decoded = TextoDeBytes(bytes);
    QCOMPARE(int(decoded.codificacion), encoding);
    QCOMPARE(decoded.texto, text);
    if (encoding == int(Codificacion::Utf16LE) && bytes.size() % 2)
        return;
    QCOMPARE(BytesDeTexto(decoded.texto, decoded.codificacion), bytes);
}

void TestTextEncoding::roundTrip_data()
{
    QTest::addColumn<int>("encoding");
    QTest::newRow("UTF-8") << int(Codificacion::Utf8);
    QTest::newRow("UTF-8 with mark") << int(Codificacion::Utf8Bom);
    QTest::newRow("UTF-16 LE") << int(Codificacion::Utf16LE);
    QTest::newRow("UTF-16 BE") << int(Codificacion::Utf16BE);
}

void TestTextEncoding::roundTrip()
{
    QFETCH(int, encoding);
    const QString text = QStringLiteral("Ñandú 中文 \U0001F3CE\r\nx");
    const TextoDecodificado back = TextoDeBytes(BytesDeTexto(text, Codificacion(encoding)));
    QCOMPARE(int(back.codificacion), encoding);
    QCOMPARE(back.texto, text);
}

QTEST_APPLESS_MAIN(TestTextEncoding)
#include "test_textencoding.moc"
