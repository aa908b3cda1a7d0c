#include "base/formatw.h"
#include "base/global.h"
#include "base/racetime.h"

#include <QTest>

using namespace quenlap;

class TestGlobal : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void patterns_data();
    void patterns();
    void processPatternsFollowSettings();
    void floatConversion_data();
    void floatConversion();
    void windowsFolder_data();
    void windowsFolder();
    void linuxFolder_data();
    void linuxFolder();
    void settingsFiles();
    void environment();
};

// The first use fixes the folder from the running program; the variable wins over everything.
void TestGlobal::initTestCase()
{
    qputenv("QUENLAP_CONFIG_DIR", "/srv/quenlap-ajustes");
    QCOMPARE(CarpetaConfiguracion(), QStringLiteral("/srv/quenlap-ajustes"));
    qunsetenv("QUENLAP_CONFIG_DIR");
    QCOMPARE(CarpetaConfiguracion(), QStringLiteral("/srv/quenlap-ajustes"));
}

void TestGlobal::patterns_data()
{
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<double>("seconds");
    QTest::addColumn<QString>("minutes");
    QTest::addColumn<QString>("secondsOnly");
    QTest::addColumn<QString>("hours");
    QTest::addColumn<QString>("empty");

    QTest::newRow("comma") << QChar(u',') << 83.456 << QStringLiteral("01:23,456")
                           << QStringLiteral("23,456") << QStringLiteral("0:01:23,456")
                           << QStringLiteral("--:--,---");
    QTest::newRow("point") << QChar(u'.') << 3723.004 << QStringLiteral("02:03.004")
                           << QStringLiteral("3.004") << QStringLiteral("1:02:03.004")
                           << QStringLiteral("--:--.---");
}

void TestGlobal::patterns()
{
    QFETCH(QChar, separator);
    QFETCH(double, seconds);
    const PatronesTiempo patrones = PatronesTiempo::conSeparador(separator);
    const double dias = MsToDias(std::round(seconds * 1000));
    QTEST(FormatDateTime(patrones.FormatoMinutos, dias), "minutes");
    QTEST(FormatDateTime(patrones.FormatoSegundos, dias), "secondsOnly");
    QTEST(FormatDateTime(patrones.FormatoHoras, dias), "hours");
    QTEST(patrones.TiempoVacio, "empty");
}

void TestGlobal::processPatternsFollowSettings()
{
    FormatSettings spanish;
    spanish.decimalSeparator = QLatin1Char(',');
    FijarAjustesFormato(spanish);
    QCOMPARE(FormatoMinutos(), QStringLiteral("nn:ss,zzz"));
    QCOMPARE(FormatoSegundos(), QStringLiteral("s,zzz"));
    QCOMPARE(FormatoHoras(), QStringLiteral("h:nn:ss,zzz"));
    QCOMPARE(TiempoVacio(), QStringLiteral("--:--,---"));
    QCOMPARE(StrToFloatDef(QStringLiteral("1,5"), 9.0), 1.5);
    QCOMPARE(AjustesFormato().decimalSeparator, QChar(u','));
}

void TestGlobal::floatConversion_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<double>("expected");

    QTest::newRow("empty gives 0, not the default") << QString() << QChar(u',') << 0.0;
    QTest::newRow("abc gives the default") << QStringLiteral("abc") << QChar(u',') << 5.0;
    QTest::newRow("comma") << QStringLiteral("2,75") << QChar(u',') << 2.75;
    QTest::newRow("point where comma is the separator")
        << QStringLiteral("2.75") << QChar(u',') << 5.0;
    QTest::newRow("point") << QStringLiteral("2.75") << QChar(u'.') << 2.75;
    QTest::newRow("comma where point is the separator")
        << QStringLiteral("2,75") << QChar(u'.') << 5.0;
    QTest::newRow("blanks around") << QStringLiteral("  -3 ") << QChar(u',') << -3.0;
    QTest::newRow("exponent") << QStringLiteral("1,5E2") << QChar(u',') << 150.0;
    QTest::newRow("blank only") << QStringLiteral("  ") << QChar(u',') << 5.0;
    QTest::newRow("trailing text") << QStringLiteral("12x") << QChar(u',') << 5.0;
    QTest::newRow("two separators") << QStringLiteral("1,2,3") << QChar(u',') << 5.0;
    QTest::newRow("leading separator") << QStringLiteral(",5") << QChar(u',') << 0.5;
}

void TestGlobal::floatConversion()
{
    QFETCH(QString, text);
    QFETCH(QChar, separator);
    QFETCH(double, expected);
    QCOMPARE(StrToFloatDef(text, 5.0, separator), expected);
}

void TestGlobal::windowsFolder_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<int>("version");
    QTest::addColumn<QString>("programFiles");
    QTest::addColumn<QString>("publicFolder");
    QTest::addColumn<QString>("expected");

    const QString pf = QStringLiteral("C:\\Program Files");
    const QString pub = QStringLiteral("C:\\Users\\Public");
    QTest::newRow("installed, version 6")
        << QStringLiteral("C:\\Program Files\\Quenlap") << 6 << pf << pub
        << QStringLiteral("C:\\Users\\Public\\Documents\\Tarvel");
    QTest::newRow("other folder, version 6")
        << QStringLiteral("D:\\Carreras") << 6 << pf << pub << QStringLiteral("D:\\Carreras");
    QTest::newRow("installed, version 5") << QStringLiteral("C:\\Program Files\\Quenlap") << 5 << pf
                                          << pub << QStringLiteral("C:\\Program Files\\Quenlap");
    QTest::newRow("installed, version 10")
        << QStringLiteral("C:\\Program Files\\Quenlap") << 10 << pf << pub
        << QStringLiteral("C:\\Program Files\\Quenlap");
    QTest::newRow("lower-case folder, upper-case variable")
        << QStringLiteral("c:\\program files\\quenlap") << 6 << QStringLiteral("C:\\PROGRAM FILES")
        << pub << QStringLiteral("C:\\Users\\Public\\Documents\\Tarvel");
    QTest::newRow("only a-z fold")
        << QStringLiteral("C:\\Programación\\Q") << 6 << QStringLiteral("C:\\PROGRAMACIÓN") << pub
        << QStringLiteral("C:\\Programación\\Q");
    QTest::newRow("folder shorter than the variable")
        << QStringLiteral("C:\\Program") << 6 << pf << pub << QStringLiteral("C:\\Program");
    QTest::newRow("empty variable matches everything")
        << QStringLiteral("D:\\Carreras") << 6 << QString() << pub
        << QStringLiteral("C:\\Users\\Public\\Documents\\Tarvel");
    QTest::newRow("both variables empty") << QStringLiteral("D:\\Carreras") << 6 << QString()
                                          << QString() << QStringLiteral("\\Documents\\Tarvel");
}

void TestGlobal::windowsFolder()
{
    QFETCH(QString, program);
    QFETCH(int, version);
    QFETCH(QString, programFiles);
    QFETCH(QString, publicFolder);
    QTEST(CarpetaConfiguracionWindows(program, version, programFiles, publicFolder), "expected");
}

void TestGlobal::linuxFolder_data()
{
    QTest::addColumn<QString>("variable");
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("expected");

    const QString docs = QStringLiteral("/home/ana/Documents");
    QTest::newRow("variable wins") << QStringLiteral("/srv/quenlap") << QStringLiteral("/usr/bin")
                                   << QStringLiteral("/srv/quenlap");
    QTest::newRow("own build folder") << QString() << QStringLiteral("/home/ana/quenlap/bin")
                                      << QStringLiteral("/home/ana/quenlap/bin");
    QTest::newRow("installed under /usr")
        << QString() << QStringLiteral("/usr/bin") << QStringLiteral("/home/ana/Documents/Tarvel");
    QTest::newRow("installed under /opt") << QString() << QStringLiteral("/opt/quenlap/bin")
                                          << QStringLiteral("/home/ana/Documents/Tarvel");
    QTest::newRow("/usr itself") << QString() << QStringLiteral("/usr")
                                 << QStringLiteral("/home/ana/Documents/Tarvel");
    QTest::newRow("only a prefix by name")
        << QString() << QStringLiteral("/usrlocal/q") << QStringLiteral("/usrlocal/q");
    QTest::newRow("/home/opt is not /opt")
        << QString() << QStringLiteral("/home/opt") << QStringLiteral("/home/opt");
}

void TestGlobal::linuxFolder()
{
    QFETCH(QString, variable);
    QFETCH(QString, program);
    QTEST(CarpetaConfiguracionLinux(variable, program, QStringLiteral("/home/ana/Documents")),
          "expected");
}

void TestGlobal::settingsFiles()
{
    FijarCarpetaConfiguracion(QStringLiteral("/tmp/ajustes"));
    QCOMPARE(CarpetaConfiguracion(), QStringLiteral("/tmp/ajustes"));
    QCOMPARE(RutaTarvelIni(), QStringLiteral("/tmp/ajustes/tarvel.ini"));
    QCOMPARE(RutaQuenlapIni(), QStringLiteral("/tmp/ajustes/quenlap.ini"));
    QCOMPARE(CarpetaDatos(), QStringLiteral("/tmp/ajustes/Datos"));
    FijarCarpetaConfiguracion(QStringLiteral("/tmp/ajustes/"));
    QCOMPARE(RutaTarvelIni(), QStringLiteral("/tmp/ajustes/tarvel.ini"));
}

void TestGlobal::environment()
{
    const QString longValue(500, QLatin1Char('x'));
    qputenv("QUENLAP_TEST_VARIABLE", longValue.toUtf8());
    QCOMPARE(LeerVariableEntorno(QStringLiteral("QUENLAP_TEST_VARIABLE")), longValue);
    qunsetenv("QUENLAP_TEST_VARIABLE");
    QCOMPARE(LeerVariableEntorno(QStringLiteral("QUENLAP_TEST_VARIABLE")), QString());
}

QTEST_APPLESS_MAIN(TestGlobal)
#include "test_global.moc"
