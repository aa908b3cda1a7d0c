#include "base/colors.h"
#include "base/cp1252.h"
#include "base/error.h"
#include "base/global.h"
#include "base/inifile.h"
#include "base/textencoding.h"
#include "common/testsupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

using namespace quenlap;

class TestIniFile : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void readsWithoutRegardToCase();
    void lineForms_data();
    void lineForms();
    void missingGivesDefault_data();
    void missingGivesDefault();
    void integers_data();
    void integers();
    void values_data();
    void values();
    void writeKeepsTheRestOfTheFile_data();
    void writeKeepsTheRestOfTheFile();
    void encodings_data();
    void encodings();
    void windows1252WithAccents();
    void characterOutsideCodePageKeepsEverything();
    void nothingCached();
    void sections();
    void unwritable_data();
    void unwritable();
    void colors_data();
    void colors();
    void cp1252RoundTrip();

private:
    QString write(const QByteArray &bytes);
    QByteArray contents() const;

    std::unique_ptr<QTemporaryDir> dir;
    QString path;
};

void TestIniFile::init()
{
    dir = std::make_unique<QTemporaryDir>();
    QVERIFY(dir->isValid());
    path = dir->filePath(QStringLiteral("tarvel.ini"));
    FormatSettings settings;
    FijarAjustesFormato(settings);
}

QString TestIniFile::write(const QByteArray &bytes)
{
    return quenlap::test::writeFile(path, bytes) ? path : QString();
}

QByteArray TestIniFile::contents() const
{
    return quenlap::test::readFile(path);
}

void TestIniFile::readsWithoutRegardToCase()
{
    write("[Configuracion]\r\nIDIOMA=de_DE\r\n[Ñandú]\r\nÁrbol=1\r\n");
    const IniFile ini(path);
    QCOMPARE(ini.readString(QStringLiteral("CONFIGURACION"), QStringLiteral("Idioma"), u"es"_qs),
             QStringLiteral("de_DE"));
    QCOMPARE(ini.readString(QStringLiteral("configuracion"), QStringLiteral("idioma"), u"es"_qs),
             QStringLiteral("de_DE"));
    QCOMPARE(ini.readInteger(QStringLiteral("ñANDÚ"), QStringLiteral("árbol"), 0), 1);
}

void TestIniFile::lineForms_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("expected");

    QTest::newRow("blanks around everything")
        << QByteArray("[ S ]\n  \tK  =  v w  \n") << u"v w"_qs;
    QTest::newRow("double quotes") << QByteArray("[S]\nK=\" v \"\n") << u" v "_qs;
    QTest::newRow("single quotes") << QByteArray("[S]\nK='v'\n") << u"v"_qs;
    QTest::newRow("unbalanced quote kept") << QByteArray("[S]\nK=\"v\n") << u"\"v"_qs;
    QTest::newRow("empty value") << QByteArray("[S]\nK=\n") << QString();
    QTest::newRow("CR line ends") << QByteArray("[S]\rA=1\rK=v\r") << u"v"_qs;
    QTest::newRow("first of two keys") << QByteArray("[S]\nK=1\nk=2\n") << u"1"_qs;
    QTest::newRow("equals in the value") << QByteArray("[S]\nK=a=b\n") << u"a=b"_qs;
    QTest::newRow("no line end at all") << QByteArray("[S]\nK=v") << u"v"_qs;
}

void TestIniFile::lineForms()
{
    QFETCH(QByteArray, file);
    write(file);
    QTEST(IniFile(path).readString(QStringLiteral("s"), QStringLiteral("k"), u"default"_qs),
          "expected");
}

void TestIniFile::missingGivesDefault_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::newRow("no file") << QByteArray();
    QTest::newRow("empty file") << QByteArray("");
    QTest::newRow("no section") << QByteArray("[OTRA]\nIdioma=en_US\n");
    QTest::newRow("no key") << QByteArray("[CONFIGURACION]\nOtra=en_US\n");
    QTest::newRow("key only in a later duplicate section")
        << QByteArray("[CONFIGURACION]\nA=1\n[X]\n[CONFIGURACION]\nIdioma=en_US\n");
    QTest::newRow("commented out") << QByteArray("[CONFIGURACION]\n;Idioma=en_US\n");
    QTest::newRow("key before any section") << QByteArray("Idioma=en_US\n[CONFIGURACION]\n");
}

void TestIniFile::missingGivesDefault()
{
    QFETCH(QByteArray, file);
    if (!file.isNull())
        write(file);
    const IniFile ini(path);
    const QString section = QStringLiteral("CONFIGURACION");
    const QString key = QStringLiteral("Idioma");
    QCOMPARE(ini.readString(section, key, QStringLiteral("es")), QStringLiteral("es"));
    QCOMPARE(ini.readInteger(section, key, 7), 7);
    QCOMPARE(ini.readBool(section, key, true), true);
    QCOMPARE(ini.readFloat(section, key, 2.5), 2.5);
    QCOMPARE(ini.readColor(section, key, Colores::clNavy), Colores::clNavy);
    QVERIFY(!ini.valueExists(section, key));
}

void TestIniFile::integers_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("expected");

    QTest::newRow("plain") << QStringLiteral("42") << 42;
    QTest::newRow("negative") << QStringLiteral("-3") << -3;
    QTest::newRow("leading digits") << QStringLiteral("12abc") << 12;
    QTest::newRow("blanks around") << QStringLiteral("  8  ") << 8;
    QTest::newRow("hexadecimal") << QStringLiteral("0x1F") << 31;
    QTest::newRow("not a number gives the default") << QStringLiteral("abc") << -99;
    QTest::newRow("empty gives the default") << QString() << -99;
    QTest::newRow("too large") << QStringLiteral("99999999999") << 2147483647;
}

void TestIniFile::integers()
{
    QFETCH(QString, value);
    write("[S]\nK=" + value.toUtf8() + "\n");
    QTEST(IniFile(path).readInteger(QStringLiteral("s"), QStringLiteral("k"), -99), "expected");
}

void TestIniFile::values_data()
{
    QTest::addColumn<QString>("value");
    QTest::newRow("plain") << QStringLiteral("127.0.0.1:5000");
    QTest::newRow("empty") << QString();
    QTest::newRow("blanks around kept") << QStringLiteral("  padded  ");
    QTest::newRow("quotes kept") << QStringLiteral("\"quoted\"");
    QTest::newRow("equals sign") << QStringLiteral("a=b");
    QTest::newRow("semicolon") << QStringLiteral("; not a comment");
    QTest::newRow("accents and CJK") << QStringLiteral("Español 中文");
}

// What is written reads back exactly.
void TestIniFile::values()
{
    QFETCH(QString, value);
    IniFile ini(path);
    ini.writeString(QStringLiteral("Recientes"), QStringLiteral("Servidor1"), value);
    QCOMPARE(ini.readString(QStringLiteral("RECIENTES"), QStringLiteral("servidor1"), u"x"_qs),
             value);

    ini.writeInteger(QStringLiteral("Recientes"), QStringLiteral("Total"), -12);
    QCOMPARE(ini.readInteger(QStringLiteral("Recientes"), QStringLiteral("Total"), 0), -12);
    ini.writeBool(QStringLiteral("TTS"), QStringLiteral("Activo"), true);
    QCOMPARE(ini.readString(QStringLiteral("TTS"), QStringLiteral("Activo"), QString()),
             QStringLiteral("1"));
    ini.writeBool(QStringLiteral("TTS"), QStringLiteral("Activo"), false);
    QCOMPARE(ini.readString(QStringLiteral("TTS"), QStringLiteral("Activo"), QString()),
             QStringLiteral("0"));
    QCOMPARE(ini.readBool(QStringLiteral("TTS"), QStringLiteral("Activo"), true), false);
    ini.writeFloat(QStringLiteral("KINETRA"), QStringLiteral("Escala"), 0.1);
    QCOMPARE(ini.readFloat(QStringLiteral("KINETRA"), QStringLiteral("Escala"), 5.0), 0.1);
    ini.writeColor(QStringLiteral("COLORES"), QStringLiteral("Fondo"), Colores::clNavy);
    QCOMPARE(ini.readString(QStringLiteral("COLORES"), QStringLiteral("Fondo"), QString()),
             QStringLiteral("clNavy"));
    QCOMPARE(ini.readColor(QStringLiteral("COLORES"), QStringLiteral("Fondo"), 0), Colores::clNavy);
}

void TestIniFile::writeKeepsTheRestOfTheFile_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QByteArray>("after");

    const QByteArray file = "; Tarvel settings\r\n"
                            "\r\n"
                            "[CONFIGURACION]\r\n"
                            "Idioma = es\r\n"
                            "; pick one\r\n"
                            "Otra=1\r\n"
                            "\r\n"
                            "[Monitor]\r\n"
                            "Logo=C:\\logo.jpg\r\n";
    QTest::newRow("change a key, keep its spelling and spacing")
        << file << QStringLiteral("configuracion") << QStringLiteral("IDIOMA")
        << QByteArray(file).replace("Idioma = es", "Idioma = nuevo");
    QTest::newRow("new key after the section's last key")
        << file << QStringLiteral("CONFIGURACION") << QStringLiteral("Nueva")
        << QByteArray(file).replace("Otra=1\r\n", "Otra=1\r\nNueva=nuevo\r\n");
    QTest::newRow("new key in the last section")
        << file << QStringLiteral("MONITOR") << QStringLiteral("Nueva") << file + "Nueva=nuevo\r\n";
    QTest::newRow("new section at the end")
        << file << QStringLiteral("TTS") << QStringLiteral("Nueva")
        << file + "\r\n[TTS]\r\nNueva=nuevo\r\n";
    QTest::newRow("last line without its line break")
        << QByteArray("[A]\nx=1") << QStringLiteral("A") << QStringLiteral("y")
        << QByteArray("[A]\nx=1\ny=nuevo\n");
    QTest::newRow("empty section") << QByteArray("[A]\n[B]\nz=2\n") << QStringLiteral("a")
                                   << QStringLiteral("y") << QByteArray("[A]\ny=nuevo\n[B]\nz=2\n");
    QTest::newRow("new file") << QByteArray() << QStringLiteral("A") << QStringLiteral("y")
                              << QByteArray("[A]\r\ny=nuevo\r\n");
}

void TestIniFile::writeKeepsTheRestOfTheFile()
{
    QFETCH(QByteArray, before);
    QFETCH(QString, section);
    QFETCH(QString, key);
    if (!before.isNull())
        write(before);
    IniFile(path).writeString(section, key, QStringLiteral("nuevo"));
    QTEST(contents(), "after");
}

void TestIniFile::encodings_data()
{
    QTest::addColumn<int>("encoding");
    QTest::newRow("UTF-16 LE") << int(Codificacion::Utf16LE);
    QTest::newRow("UTF-16 BE") << int(Codificacion::Utf16BE);
    QTest::newRow("UTF-8 with mark") << int(Codificacion::Utf8Bom);
    QTest::newRow("UTF-8") << int(Codificacion::Utf8);
    QTest::newRow("Windows-1252") << int(Codificacion::Cp1252);
}

// Each encoding reads, and a write keeps it.
void TestIniFile::encodings()
{
    QFETCH(int, encoding);
    const auto codificacion = Codificacion(encoding);
    const QString text = QStringLiteral("[IDIOMAS]\r\nEspañol=es\r\nFrançais=fr_FR\r\n");
    write(BytesDeTexto(text, codificacion));
    IniFile ini(path);
    QCOMPARE(ini.readString(QStringLiteral("idiomas"), QStringLiteral("FRANÇAIS"), QString()),
             QStringLiteral("fr_FR"));
    QCOMPARE(ini.readSection(QStringLiteral("IDIOMAS")),
             QStringList({QStringLiteral("Español"), QStringLiteral("Français")}));
    ini.writeString(QStringLiteral("IDIOMAS"), QStringLiteral("Português"), QStringLiteral("pt"));
    const TextoDecodificado after = TextoDeBytes(contents());
    QCOMPARE(int(after.codificacion), encoding);
    QCOMPARE(after.texto, text + QStringLiteral("Português=pt\r\n"));
}

void TestIniFile::windows1252WithAccents()
{
    // "Configuración" with ó as the single byte F3, as Windows writes it.
    write("[CONFIGURACION]\r\nNombre=Configuraci\xF3n \x80 \x93ok\x94\r\n");
    const IniFile ini(path);
    QCOMPARE(ini.readString(QStringLiteral("CONFIGURACION"), QStringLiteral("Nombre"), QString()),
             QStringLiteral("Configuración € “ok”"));
}

void TestIniFile::characterOutsideCodePageKeepsEverything()
{
    write("[IDIOMAS]\r\nFran\xE7"
          "ais=fr_FR\r\n");
    IniFile ini(path);
    ini.writeString(QStringLiteral("IDIOMAS"), QStringLiteral("中文"), QStringLiteral("zh_CN"));
    QCOMPARE(int(TextoDeBytes(contents()).codificacion), int(Codificacion::Utf16LE));
    QCOMPARE(ini.readSection(QStringLiteral("IDIOMAS")),
             QStringList({QStringLiteral("Français"), QStringLiteral("中文")}));
}

void TestIniFile::nothingCached()
{
    const IniFile ini(path);
    QCOMPARE(ini.readInteger(QStringLiteral("A"), QStringLiteral("b"), 1), 1);
    write("[A]\nb=2\n");
    QCOMPARE(ini.readInteger(QStringLiteral("A"), QStringLiteral("b"), 1), 2);
    IniFile other(path);
    other.writeInteger(QStringLiteral("a"), QStringLiteral("B"), 3);
    QCOMPARE(ini.readInteger(QStringLiteral("A"), QStringLiteral("b"), 1), 3);
}

void TestIniFile::sections()
{
    write("[A]\nx=1\n; c=3\ny=2\n[B]\nz=3\n");
    IniFile ini(path);
    QVERIFY(ini.sectionExists(QStringLiteral("a")));
    QVERIFY(!ini.sectionExists(QStringLiteral("C")));
    QCOMPARE(ini.readSection(QStringLiteral("a")),
             QStringList({QStringLiteral("x"), QStringLiteral("y")}));
    ini.deleteKey(QStringLiteral("A"), QStringLiteral("X"));
    QCOMPARE(contents(), QByteArray("[A]\n; c=3\ny=2\n[B]\nz=3\n"));
    ini.eraseSection(QStringLiteral("a"));
    QCOMPARE(contents(), QByteArray("[B]\nz=3\n"));
}

void TestIniFile::unwritable_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("reason");
    QTest::newRow("missing folder") << QStringLiteral("missing") << QStringLiteral("no existe");
    QTest::newRow("read-only file")
        << QStringLiteral("read-only") << QStringLiteral("solo lectura");
    QTest::newRow("a folder in the file's place") << QStringLiteral("folder") << QString();
}

void TestIniFile::unwritable()
{
    QFETCH(QString, kind);
    QFETCH(QString, reason);
    QString target = dir->filePath(QStringLiteral("no/such/folder/quenlap.ini"));
    if (kind == QStringLiteral("read-only")) {
        if (geteuid() == 0)
            QSKIP("permissions do not bind the superuser");
        write("[A]\nx=1\n");
        QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadUser);
        target = path;
    } else if (kind == QStringLiteral("folder")) {
        QVERIFY(QDir(dir->path()).mkdir(QStringLiteral("quenlap.ini")));
        target = dir->filePath(QStringLiteral("quenlap.ini"));
    }
    IniFile ini(target);
    try {
        ini.writeInteger(QStringLiteral("A"), QStringLiteral("x"), 2);
        QFAIL("no error");
    } catch (const Error &error) {
        QVERIFY2(error.message().contains(QStringLiteral("quenlap.ini")) ||
                     error.message().contains(QStringLiteral("tarvel.ini")),
                 qPrintable(error.message()));
        QVERIFY2(error.message().contains(reason), qPrintable(error.message()));
    }
    if (kind == QStringLiteral("read-only"))
        QCOMPARE(contents(), QByteArray("[A]\nx=1\n"));
}

void TestIniFile::colors_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<quint32>("color");
    QTest::addColumn<QString>("written");

    QTest::newRow("name") << QStringLiteral("clWhite") << true << quint32(Colores::clWhite)
                          << QStringLiteral("clWhite");
    QTest::newRow("name in any case")
        << QStringLiteral("CLNAVY") << true << quint32(Colores::clNavy) << QStringLiteral("clNavy");
    QTest::newRow("system colour") << QStringLiteral("clBtnFace") << true
                                   << quint32(Colores::clBtnFace) << QStringLiteral("clBtnFace");
    QTest::newRow("platform hex") << QStringLiteral("$00123456") << true << quint32(0x123456)
                                  << QStringLiteral("$00123456");
    QTest::newRow("C hex") << QStringLiteral("0x0000FF") << true << quint32(Colores::clRed)
                           << QStringLiteral("clRed");
    QTest::newRow("decimal") << QStringLiteral("16777215") << true << quint32(Colores::clWhite)
                             << QStringLiteral("clWhite");
    QTest::newRow("negative decimal") << QStringLiteral("-16777201") << true
                                      << quint32(Colores::clBtnFace) << QStringLiteral("clBtnFace");
    QTest::newRow("unknown name") << QStringLiteral("clRojo") << false << quint32(0) << QString();
    QTest::newRow("empty") << QString() << false << quint32(0) << QString();
}

void TestIniFile::colors()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(quint32, color);
    QFETCH(QString, written);
    TColor parsed = 0xABCDEF;
    QCOMPARE(StringToColor(text, parsed), valid);
    if (!valid)
        return;
    QCOMPARE(parsed, color);
    QCOMPARE(ColorToString(parsed), written);
    int r = 0, g = 0, b = 0;
    ColorToRgb(Colores::clNavy, r, g, b);
    QCOMPARE((QList<int>{r, g, b}), (QList<int>{0, 0, 128}));
    ColorToRgb(Colores::clInfoBk, r, g, b);
    QCOMPARE((QList<int>{r, g, b}), (QList<int>{255, 255, 225}));
}

void TestIniFile::cp1252RoundTrip()
{
    QByteArray all(256, Qt::Uninitialized);
    for (int i = 0; i < 256; ++i)
        all[i] = char(i);
    const QString text = Cp1252ToString(all);
    QCOMPARE(text[0x80], QChar(0x20AC));
    QCOMPARE(text[0x81], QChar(0x81));
    QCOMPARE(text[0xE9], QChar(u'é'));
    bool exact = false;
    QCOMPARE(StringToCp1252(text, &exact), all);
    QVERIFY(exact);
    QCOMPARE(StringToCp1252(u"a中b", &exact), QByteArray("a?b"));
    QVERIFY(!exact);
}

QTEST_APPLESS_MAIN(TestIniFile)
#include "test_inifile.moc"
