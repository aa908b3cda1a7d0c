#include "common/testsupport.h"
#include "model/copiacarrera.h"

#include <QDir>
#include <QFileInfo>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTest>

using namespace quenlap;

namespace {

constexpr double Segundo = 1.0 / 86400.0;

QStringList Lineas(const QString &fichero)
{
    const QByteArray bytes = quenlap::test::readFile(fichero);
    QStringDecoder decodificador(QStringConverter::Utf16LE);
    QString texto = decodificador.decode(bytes.mid(2));
    QStringList lineas = texto.split(QStringLiteral("\r\n"));
    if (!lineas.isEmpty() && lineas.last().isEmpty())
        lineas.removeLast();
    return lineas;
}

} // namespace

class TestCopiaCarrera : public QObject
{
    Q_OBJECT

private slots:
    void lineaResultado_data();
    void lineaResultado();
    void rutaFichero();
    void etiquetaSegura_data();
    void etiquetaSegura();
    void contenidoDelFichero();
    void segundaEscrituraConservaLasVueltas();
    void otroFicheroEmpiezaVacio();
    void escrituraFallidaNoPierdeVueltas();
};

void TestCopiaCarrera::lineaResultado_data()
{
    QTest::addColumn<int>("posicion");
    QTest::addColumn<int>("numero");
    QTest::addColumn<QString>("nombre");
    QTest::addColumn<int>("vueltas");
    QTest::addColumn<double>("total");
    QTest::addColumn<double>("mejor");
    QTest::addColumn<QString>("linea");

    QTest::newRow("short name") << 3 << 7 << QStringLiteral("Ana") << 12
                                << (4 * 60 + 5.678) * Segundo << 18.245 * Segundo
                                << QStringLiteral("3\t(07)\tAna                 \t12\t00.04.05.67\t"
                                                  "00.18.24");
    QTest::newRow("long name cut")
        << 12 << 123 << QStringLiteral("Abcdefghijklmnopqrstuvwxy") << 0 << 0.0 << 0.0
        << QStringLiteral("12\t(123)\tAbcdefghijklmnopqrst\t0\t"
                          "00.00.00.00\t00.00.00");
    QTest::newRow("over an hour") << 1 << 5 << QStringLiteral("Ñandú") << 240
                                  << (3600 + 2 * 60 + 3.456) * Segundo << 61.5 * Segundo
                                  << QStringLiteral("1\t(05)\tÑandú               \t240\t"
                                                    "01.02.03.45\t01.01.50");
}

void TestCopiaCarrera::lineaResultado()
{
    QFETCH(int, posicion);
    QFETCH(int, numero);
    QFETCH(QString, nombre);
    QFETCH(int, vueltas);
    QFETCH(double, total);
    QFETCH(double, mejor);
    QFETCH(QString, linea);
    QCOMPARE(TCopiaCarrera::LineaResultado(posicion, numero, nombre, vueltas, total, mejor), linea);
}

void TestCopiaCarrera::rutaFichero()
{
    const QDateTime inicio(QDate(2026, 3, 4), QTime(5, 6, 7));
    QCOMPARE(TCopiaCarrera::RutaFichero(QStringLiteral("/home/u/Tarvel/Datos"),
                                        TCopiaCarrera::EtiquetaTarvel(QStringLiteral("GP Sur")),
                                        inicio),
             QStringLiteral("/home/u/Tarvel/Datos/Tarvel-GP Sur-20260304-050607.dat"));
    QCOMPARE(TCopiaCarrera::RutaFichero(QStringLiteral("/s/Datos"),
                                        TCopiaCarrera::EtiquetaDSRouter(), inicio),
             QStringLiteral("/s/Datos/DSRouter-20260304-050607.dat"));
}

void TestCopiaCarrera::etiquetaSegura_data()
{
    QTest::addColumn<QString>("etiqueta");
    QTest::addColumn<QString>("segura");

    QTest::newRow("plain") << QStringLiteral("Tarvel-Copa 2026")
                           << QStringLiteral("Tarvel-Copa 2026");
    QTest::newRow("climbs out") << QStringLiteral("Tarvel-../../etc/passwd")
                                << QStringLiteral("Tarvel-.._.._etc_passwd");
    QTest::newRow("reserved") << QStringLiteral("a\\b:c*d?e\"f<g>h|i")
                              << QStringLiteral("a_b_c_d_e_f_g_h_i");
    QTest::newRow("control") << QStringLiteral("a\tb\nc") << QStringLiteral("a_b_c");
    QTest::newRow("dot dot") << QStringLiteral("..") << QStringLiteral("__");
    QTest::newRow("long") << QString(200, QLatin1Char('x')) << QString(60, QLatin1Char('x'));
}

void TestCopiaCarrera::etiquetaSegura()
{
    QFETCH(QString, etiqueta);
    QFETCH(QString, segura);
    QCOMPARE(TCopiaCarrera::EtiquetaSegura(etiqueta), segura);
}

void TestCopiaCarrera::contenidoDelFichero()
{
    QTemporaryDir ajustes;
    const QString datos = ajustes.filePath(QStringLiteral("Datos"));
    QVERIFY(TCopiaCarrera::CrearCarpeta(datos));
    QVERIFY(QFileInfo(datos).isDir());
    const QString fichero = TCopiaCarrera::RutaFichero(
        datos, TCopiaCarrera::EtiquetaTarvel(QStringLiteral("../../fuera/x")),
        QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5)));
    QCOMPARE(QFileInfo(fichero).absoluteDir(), QDir(datos));

    TCopiaCarrera copia;
    copia.RegistrarVuelta(QStringLiteral("vuelta uno"));
    copia.RegistrarVuelta(QStringLiteral("vuelta dos ñ"));
    QVERIFY(copia.Guardar(fichero, {QStringLiteral("r1"), QStringLiteral("r2")}));

    const QByteArray bytes = quenlap::test::readFile(fichero);
    QVERIFY(bytes.startsWith("\xFF\xFE"));
    QVERIFY(bytes.endsWith(QByteArray("r\0002\0\r\0\n\0", 8)));
    QCOMPARE(Lineas(fichero),
             (QStringList{QStringLiteral("vuelta uno"), QStringLiteral("vuelta dos ñ"),
                          QStringLiteral("-1"), QStringLiteral("r1"), QStringLiteral("r2")}));
    QCOMPARE(copia.Pendientes(), 0);
    QCOMPARE(QDir(ajustes.path()).entryList(QDir::Files | QDir::NoDotAndDotDot), QStringList());
}

void TestCopiaCarrera::segundaEscrituraConservaLasVueltas()
{
    QTemporaryDir ajustes;
    const QString fichero = ajustes.filePath(QStringLiteral("copia.dat"));
    TCopiaCarrera copia;
    copia.RegistrarVuelta(QStringLiteral("a"));
    copia.RegistrarVuelta(QStringLiteral("b"));
    QVERIFY(copia.Guardar(fichero, {QStringLiteral("primero")}));
    copia.RegistrarVuelta(QStringLiteral("c"));
    QCOMPARE(copia.Pendientes(), 1);
    QVERIFY(copia.Guardar(fichero, {QStringLiteral("segundo")}));
    QCOMPARE(Lineas(fichero),
             (QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"),
                          QStringLiteral("-1"), QStringLiteral("segundo")}));
    // A write with nothing new still holds every lap.
    QVERIFY(copia.Guardar(fichero, {}));
    QCOMPARE(Lineas(fichero).size(), 4);
}

void TestCopiaCarrera::otroFicheroEmpiezaVacio()
{
    QTemporaryDir ajustes;
    const QString primera = ajustes.filePath(QStringLiteral("uno.dat"));
    const QString segunda = ajustes.filePath(QStringLiteral("dos.dat"));
    TCopiaCarrera copia;
    copia.RegistrarVuelta(QStringLiteral("a"));
    QVERIFY(copia.Guardar(primera, {}));
    copia.RegistrarVuelta(QStringLiteral("b"));
    QVERIFY(copia.Guardar(segunda, {}));
    QCOMPARE(Lineas(segunda), (QStringList{QStringLiteral("b"), QStringLiteral("-1")}));
    QCOMPARE(Lineas(primera), (QStringList{QStringLiteral("a"), QStringLiteral("-1")}));
}

void TestCopiaCarrera::escrituraFallidaNoPierdeVueltas()
{
    QTemporaryDir ajustes;
    const QString fichero = ajustes.filePath(QStringLiteral("falta/copia.dat"));
    TCopiaCarrera copia;
    copia.RegistrarVuelta(QStringLiteral("a"));
    QVERIFY(!copia.Guardar(fichero, {}));
    QCOMPARE(copia.Pendientes(), 1);
    copia.RegistrarVuelta(QStringLiteral("b"));
    QVERIFY(QDir().mkpath(ajustes.filePath(QStringLiteral("falta"))));
    QVERIFY(copia.Guardar(fichero, {}));
    QCOMPARE(Lineas(fichero),
             (QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("-1")}));
}

QTEST_GUILESS_MAIN(TestCopiaCarrera)
#include "test_copiacarrera.moc"
