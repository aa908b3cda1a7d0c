#include "base/error.h"
#include "common/testsupport.h"
#include "model/coche.h"
#include "model/listacoches.h"
#include "model/listavueltas.h"
#include "model/textocarrera.h"
#include "support/numeroscoches.h"

#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

using namespace quenlap;

namespace {

QString Lap(int numero, const QString &nombre, int vuelta, const QString &carrera,
            const QString &tiempo)
{
    return QStringLiteral("%1\t%2\t%3\t%4\t%5\t\tRnk 1")
        .arg(numero)
        .arg(nombre)
        .arg(vuelta)
        .arg(carrera, tiempo);
}

// Three laps of two competitors, 10 and 3, the fastest lap of 10 being its first.
QStringList TresVueltas()
{
    return {Lap(10, QStringLiteral("Ana"), 1, QStringLiteral("00:00:05.000"),
                QStringLiteral("00:05.000")),
            Lap(3, QStringLiteral("Luis"), 1, QStringLiteral("00:00:05.500"),
                QStringLiteral("00:05.500")),
            Lap(10, QStringLiteral("Ana"), 2, QStringLiteral("00:00:10.500"),
                QStringLiteral("00:05.500"))};
}

QStringList Con(QStringList lineas, const QStringList &mas)
{
    lineas += mas;
    return lineas;
}

QByteArray Codificar(const QString &texto, QStringConverter::Encoding codificacion, bool marca)
{
    QStringEncoder codificador(codificacion, marca ? QStringConverter::Flag::WriteBom
                                                   : QStringConverter::Flag::Default);
    return codificador.encode(texto);
}

QString Mensaje(const std::function<void()> &leer)
{
    try {
        leer();
    } catch (const Error &error) {
        return error.message();
    }
    return QString();
}

} // namespace

class TestListaVueltas : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void formatos_data();
    void formatos();
    void planoAnulaDescarte();
    void entrenamientoConservaDescarte();
    void finDeVueltas();
    void copiaDeCarrera();
    void errores_data();
    void errores();
    void agregaSinVaciar();
    void clear();
    void lineas_data();
    void lineas();
    void codificaciones_data();
    void codificaciones();
    void ficheroInexistente();
    void ficheroVacio();
    void carpeta();
    void entradaAleatoria_data();
    void entradaAleatoria();

private:
    QString Escribir(const QString &nombre, const QByteArray &bytes);
    QTemporaryDir carpetaTemporal;
};

void TestListaVueltas::initTestCase()
{
    QVERIFY(carpetaTemporal.isValid());
}

QString TestListaVueltas::Escribir(const QString &nombre, const QByteArray &bytes)
{
    const QString ruta = carpetaTemporal.filePath(nombre);
    if (!quenlap::test::writeFile(ruta, bytes))
        qFatal("cannot write %s", qPrintable(ruta));
    return ruta;
}

void TestListaVueltas::formatos_data()
{
    QTest::addColumn<QStringList>("lineas");
    QTest::addColumn<bool>("descartar");
    QTest::addColumn<int>("vueltas");
    QTest::addColumn<QList<int>>("numeros");

    const QString cabecera = QStringLiteral("RACE PARAMETERS: LAPS = 20 DISCARD FIRST TIME = 1");
    QTest::newRow("plano") << TresVueltas() << false << 3 << QList<int>{3, 10};
    QTest::newRow("cabecera con descarte")
        << Con({cabecera}, TresVueltas()) << true << 3 << QList<int>{3, 10};
    QTest::newRow("cabecera sin descarte")
        << Con({QStringLiteral("RACE PARAMETERS: DISCARD FIRST TIME = 0")}, TresVueltas()) << false
        << 3 << QList<int>{3, 10};
    QTest::newRow("solo cabecera") << QStringList{cabecera} << true << 0 << QList<int>{};
    QTest::newRow("cabecera en minusculas no cuenta")
        << QStringList{QStringLiteral("race parameters: DISCARD FIRST TIME = 1")} << false << -1
        << QList<int>{};
    QTest::newRow("entrenamiento, dos sesiones")
        << Con(Con({QStringLiteral("SESION DE ENTRENAMIENTO 12/03"), QStringLiteral("cabecera")},
                   TresVueltas()),
               Con({QStringLiteral("  "), QStringLiteral("1"), QStringLiteral("2"),
                    QStringLiteral("3"), QStringLiteral("4"), QStringLiteral("5"),
                    QStringLiteral("6")},
                   TresVueltas()))
        << false << 6 << QList<int>{1, 2};
    QTest::newRow("entrenamiento tras vacia final")
        << Con(Con({QStringLiteral("x SESION DE ENTRENAMIENTO RACE PARAMETERS:"),
                    QStringLiteral("")},
                   TresVueltas()),
               {QStringLiteral("")})
        << false << 3 << QList<int>{1};
}

void TestListaVueltas::formatos()
{
    QFETCH(QStringList, lineas);
    QFETCH(bool, descartar);
    QFETCH(int, vueltas);
    QFETCH(QList<int>, numeros);

    TListaCoches coches;
    TListaVueltas lista;
    if (vueltas < 0) {
        // A first line that is not a header is read as a lap line.
        QVERIFY_THROWS_EXCEPTION(Error, lista.CargarLineas(coches, lineas));
        return;
    }
    lista.CargarLineas(coches, lineas);
    QCOMPARE(lista.DescartarPrimera, descartar);
    QCOMPARE(lista.Count(), vueltas);
    QCOMPARE(test::Numeros(coches), numeros);
    if (numeros == QList<int>{3, 10}) {
        const TCoche &ana = coches[1];
        QCOMPARE(ana.Nombre, QStringLiteral("Ana"));
        QCOMPARE(ana.Vueltas, 2);
        // Without discarding the first lap is the best; with it only the second one counts.
        QCOMPARE(ana.MejorVuelta, (descartar ? 5500.0 : 5000.0) / 86400000.0);
        QCOMPARE(ana.Carril, 1);
        QCOMPARE(lista[2].Coche, &ana);
    }
    if (numeros == QList<int>{1, 2}) {
        QCOMPARE(coches[0].Nombre, QStringLiteral("Sesion 1"));
        QCOMPARE(coches[1].Nombre, QStringLiteral("Sesion 2"));
        QCOMPARE(coches[1].Vueltas, 3);
        QCOMPARE(coches[1].MejorVuelta, 5000.0 / 86400000.0);
    }
}

void TestListaVueltas::planoAnulaDescarte()
{
    TListaCoches coches;
    TListaVueltas lista;
    lista.DescartarPrimera = true;
    lista.CargarLineas(coches, TresVueltas());
    QVERIFY(!lista.DescartarPrimera);
}

void TestListaVueltas::entrenamientoConservaDescarte()
{
    TListaCoches coches;
    TListaVueltas lista;
    lista.DescartarPrimera = true;
    lista.CargarLineas(coches,
                       Con({QStringLiteral("SESION DE ENTRENAMIENTO"), QString()}, TresVueltas()));
    QVERIFY(lista.DescartarPrimera);
    // Practice laps are never discarded.
    QCOMPARE(coches[0].MejorVuelta, 5000.0 / 86400000.0);
}

void TestListaVueltas::finDeVueltas()
{
    TListaCoches coches;
    TListaVueltas lista;
    lista.CargarLineas(coches,
                       Con(TresVueltas(), {QStringLiteral("-1"), QStringLiteral("basura")}));
    QCOMPARE(lista.Count(), 3);

    TListaVueltas conBlanco;
    TListaCoches otros;
    QCOMPARE(Mensaje([&] {
                 conBlanco.CargarLineas(otros, Con(TresVueltas(), {QStringLiteral("-1 ")}));
             }),
             QStringLiteral("Error en linea (4). '-1 ' is not a valid integer value"));
    QCOMPARE(conBlanco.Count(), 3);
}

void TestListaVueltas::copiaDeCarrera()
{
    // Lap lines, "-1" and the results table, as a live race window writes its copy.
    QStringList lineas = TresVueltas();
    lineas << QStringLiteral("-1") << QStringLiteral("1\t(10)\tAna\t2\t00.00.10.50\t00.05.00")
           << QStringLiteral("2\t(3)\tLuis\t1\t00.00.05.50\t00.05.50");
    const QString texto = lineas.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
    const QString ruta = Escribir(QStringLiteral("copia.plresult"),
                                  Codificar(texto, QStringConverter::Utf16LE, true));
    TListaCoches coches;
    TListaVueltas lista;
    lista.CargarFichero(ruta, coches);
    QCOMPARE(lista.Count(), 3);
    QCOMPARE(coches.Count(), 2);
}

void TestListaVueltas::errores_data()
{
    QTest::addColumn<QStringList>("lineas");
    QTest::addColumn<QString>("mensaje");
    QTest::addColumn<int>("leidas");

    const QString malo = QStringLiteral("7\tAna\t3\t00:04:12.500\t01:23.456\tX\tRnk x");
    const QString sufijo = QStringLiteral("'x' is not a valid integer value");
    QTest::newRow("plano, linea 5") << Con(Con(TresVueltas(), {TresVueltas()[0]}), {malo})
                                    << QStringLiteral("Error en linea (5). ") + sufijo << 4;
    QTest::newRow("cabecera, linea 3")
        << Con({QStringLiteral("RACE PARAMETERS:")}, {TresVueltas()[0], malo, TresVueltas()[1]})
        << QStringLiteral("Error en linea (3). ") + sufijo << 1;
    QTest::newRow("entrenamiento, segunda sesion")
        << Con(Con({QStringLiteral("SESION DE ENTRENAMIENTO"), QString()}, TresVueltas()),
               {QString(), QString(), QString(), QString(), QString(), QString(), QString(), malo})
        << QStringLiteral("Error en linea (13). ") + sufijo << 3;
    QTest::newRow("primera linea vacia")
        << QStringList{QString()} << "Error en linea (1). '' is not a valid integer value" << 0;
}

void TestListaVueltas::errores()
{
    QFETCH(QStringList, lineas);
    QFETCH(QString, mensaje);
    QFETCH(int, leidas);

    TListaCoches coches;
    TListaVueltas lista;
    QCOMPARE(Mensaje([&] { lista.CargarLineas(coches, lineas); }), mensaje);
    QCOMPARE(lista.Count(), leidas);

    // The same from a file.
    const QString ruta = Escribir(QStringLiteral("errores.dat"),
                                  Codificar(lineas.join(QLatin1Char('\n')) + QLatin1Char('\n'),
                                            QStringConverter::Utf16LE, true));
    TListaCoches cochesFichero;
    TListaVueltas listaFichero;
    QCOMPARE(Mensaje([&] { listaFichero.CargarFichero(ruta, cochesFichero); }), mensaje);
    QCOMPARE(listaFichero.Count(), leidas);
}

void TestListaVueltas::agregaSinVaciar()
{
    TListaCoches coches;
    TListaVueltas lista;
    lista.CargarLineas(coches, TresVueltas());
    lista.CargarLineas(coches, {TresVueltas()[2]});
    QCOMPARE(lista.Count(), 4);
    QCOMPARE(coches.Count(), 2);
    QCOMPARE(coches[1].Vueltas, 3);
    lista.CargarLineas(coches, QStringList());
    QCOMPARE(lista.Count(), 4);
}

void TestListaVueltas::clear()
{
    TListaCoches coches;
    TListaVueltas lista;
    lista.CargarLineas(coches, TresVueltas());
    lista.Clear();
    QCOMPARE(lista.Count(), 0);
    QCOMPARE(coches.Count(), 2);
}

void TestListaVueltas::lineas_data()
{
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QStringList>("lineas");

    QTest::newRow("vacio") << QString() << QStringList{};
    QTest::newRow("sin salto") << "a" << QStringList{QStringLiteral("a")};
    QTest::newRow("LF") << "a\nb" << QStringList{QStringLiteral("a"), QStringLiteral("b")};
    QTest::newRow("CR") << "a\rb" << QStringList{QStringLiteral("a"), QStringLiteral("b")};
    QTest::newRow("CR LF") << "a\r\nb\r\n" << QStringList{QStringLiteral("a"), QStringLiteral("b")};
    QTest::newRow("LF CR son dos")
        << "a\n\rb" << QStringList{QStringLiteral("a"), QStringLiteral(""), QStringLiteral("b")};
    QTest::newRow("U+2028") << QStringLiteral("a\u2028b")
                            << QStringList{QStringLiteral("a"), QStringLiteral("b")};
    QTest::newRow("CR U+2028") << QStringLiteral("a\r\u2028b")
                               << QStringList{QStringLiteral("a"), QStringLiteral("b")};
    QTest::newRow("LF U+2028") << QStringLiteral("a\n\u2028b")
                               << QStringList{QStringLiteral("a"), QStringLiteral("b")};
    QTest::newRow("CR LF U+2028") << QStringLiteral("a\r\n\u2028b")
                                  << QStringList{QStringLiteral("a"), QStringLiteral("b")};
    QTest::newRow("U+2028 LF son dos")
        << QStringLiteral("a\u2028\nb")
        << QStringList{QStringLiteral("a"), QStringLiteral(""), QStringLiteral("b")};
    QTest::newRow("vacias") << "\n\na\n\n"
                            << QStringList{QStringLiteral(""), QStringLiteral(""),
                                           QStringLiteral("a"), QStringLiteral("")};
    QTest::newRow("solo salto") << "\r\n" << QStringList{QStringLiteral("")};
}

void TestListaVueltas::lineas()
{
    QFETCH(QString, texto);
    QFETCH(QStringList, lineas);
    QCOMPARE(DividirLineasLista(texto), lineas);
}

void TestListaVueltas::codificaciones_data()
{
    static const char ConNulo[] = "5\tAna\t1\t00:00:05.000\t00:05.000\t\tRnk 1\n\0basura";
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("nombre");
    QTest::addColumn<int>("vueltas");

    const QString texto = QStringLiteral("5\tBegoña €\t1\t00:00:05.000\t00:05.000\t\tRnk 1\r\n"
                                         "5\tBegoña €\t2\t00:00:10.000\t00:05.000\t\tRnk 1\r\n");
    const QString nombre = QStringLiteral("Begoña €");
    QTest::newRow("UTF-16 LE") << Codificar(texto, QStringConverter::Utf16LE, true) << nombre << 2;
    QTest::newRow("UTF-16 BE") << Codificar(texto, QStringConverter::Utf16BE, true) << nombre << 2;
    QTest::newRow("UTF-8 con marca")
        << Codificar(texto, QStringConverter::Utf8, true) << nombre << 2;
    QTest::newRow("Windows-1252") << QByteArray("5\tBego\xF1"
                                                "a \x80\t1\t00:00:05.000\t00:05.000\t\tRnk 1\r\n"
                                                "5\tBego\xF1"
                                                "a \x80\t2\t00:00:10.000\t00:05.000\t\tRnk 1")
                                  << nombre << 2;
    QTest::newRow("UTF-8 sin marca es 8 bits")
        << Codificar(texto, QStringConverter::Utf8, false) << QStringLiteral("BegoÃ±a â‚¬") << 2;
    QTest::newRow("UTF-16 con un byte de mas")
        << Codificar(texto.trimmed(), QStringConverter::Utf16LE, true) + QByteArray(1, '\x20')
        << nombre << 2;
    QTest::newRow("NUL termina el texto")
        << Codificar(texto + QChar(u'\0') + QStringLiteral("basura"), QStringConverter::Utf16LE,
                     true)
        << nombre << 2;
    QTest::newRow("NUL en 8 bits")
        << QByteArray::fromRawData(ConNulo, sizeof(ConNulo) - 1) << QStringLiteral("Ana") << 1;
}

void TestListaVueltas::codificaciones()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, nombre);
    QFETCH(int, vueltas);

    const QString ruta = Escribir(QStringLiteral("codificacion.dat"), bytes);
    TListaCoches coches;
    TListaVueltas lista;
    lista.CargarFichero(ruta, coches);
    QCOMPARE(lista.Count(), vueltas);
    QCOMPARE(coches.Count(), 1);
    QCOMPARE(coches[0].Nombre, nombre);
}

void TestListaVueltas::ficheroInexistente()
{
    TListaCoches coches;
    TListaVueltas lista;
    lista.CargarFichero(carpetaTemporal.filePath(QStringLiteral("no-existe.dat")), coches);
    QCOMPARE(lista.Count(), 0);
    QCOMPARE(coches.Count(), 0);
}

void TestListaVueltas::ficheroVacio()
{
    TListaCoches coches;
    TListaVueltas lista;
    lista.DescartarPrimera = true;
    lista.CargarFichero(Escribir(QStringLiteral("vacio.dat"), QByteArray()), coches);
    lista.CargarFichero(Escribir(QStringLiteral("marca.dat"), QByteArray("\xFF\xFE")), coches);
    QCOMPARE(lista.Count(), 0);
    QVERIFY(lista.DescartarPrimera);
}

void TestListaVueltas::carpeta()
{
    // A folder is not a race data file: the system's reason, without a line number.
    TListaCoches coches;
    TListaVueltas lista;
    const QString mensaje = Mensaje([&] { lista.CargarFichero(carpetaTemporal.path(), coches); });
    QVERIFY(!mensaje.isEmpty());
    QVERIFY(!mensaje.startsWith(QStringLiteral("Error en linea")));
}

void TestListaVueltas::entradaAleatoria_data()
{
    QTest::addColumn<QByteArray>("bytes");

    QByteArray aleatorio;
    quint32 estado = 12345;
    for (int i = 0; i < 20000; ++i) {
        estado = estado * 1664525u + 1013904223u;
        aleatorio.append(char(estado >> 24));
    }
    QTest::newRow("aleatorio") << aleatorio;
    QTest::newRow("UTF-16 impar") << QByteArray("\xFF\xFE"
                                                "7\0\t",
                                                5);
    QTest::newRow("imagen") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\0\x10", 20);
    QTest::newRow("una linea enorme") << QByteArray(4 * 1024 * 1024, '7');
    QTest::newRow("muchos campos") << QByteArray(100000, '\t');
    QTest::newRow("sustitutos sueltos") << QByteArray("\xFF\xFE\x00\xD8\x00\xDC\x00\xDC", 8);
}

void TestListaVueltas::entradaAleatoria()
{
    QFETCH(QByteArray, bytes);
    const QString ruta = Escribir(QStringLiteral("aleatorio.dat"), bytes);
    TListaCoches coches;
    TListaVueltas lista;
    const QString mensaje = Mensaje([&] { lista.CargarFichero(ruta, coches); });
    QVERIFY2(mensaje.startsWith(QStringLiteral("Error en linea (")), qPrintable(mensaje));
}

QTEST_GUILESS_MAIN(TestListaVueltas)
#include "test_listavueltas.moc"
