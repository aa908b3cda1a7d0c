#include "base/global.h"
#include "base/translator.h"
#include "model/coche.h"
#include "model/listacoches.h"
#include "racewindow/modelocoches.h"
#include "racewindow/vistascarrera.h"

#include <QAbstractItemModelTester>
#include <QPersistentModelIndex>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

using namespace quenlap;

class TestModeloCoches : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { FijarAjustesFormato(FormatSettings()); }
    void columnas_data();
    void columnas();
    void filasYOrden();
    void titulosTraducidos();
};

void TestModeloCoches::columnas_data()
{
    QTest::addColumn<int>("columna");
    QTest::addColumn<QString>("titulo");
    QTest::addColumn<int>("ancho");
    QTest::addColumn<bool>("derecha");

    const QStringList titulos = {u"N"_qs,     u"Piloto"_qs, u"Pos"_qs, u"V"_qs,
                                 u"Total"_qs, u"Diff"_qs,   u"Gap"_qs, u"Ultima"_qs,
                                 u"Mejor"_qs, u"Media"_qs,  u"Est"_qs};
    const QList<int> anchos = {0, 180, 50, 50, 120, 140, 140, 110, 120, 90, 60};
    for (int i = 0; i < titulos.size(); ++i)
        QTest::newRow(qPrintable(titulos[i])) << i << titulos[i] << anchos[i] << (i >= 2);
}

void TestModeloCoches::columnas()
{
    QFETCH(int, columna);
    QFETCH(QString, titulo);
    QFETCH(int, ancho);
    QFETCH(bool, derecha);
    TModeloCoches modelo;
    QCOMPARE(modelo.headerData(columna, Qt::Horizontal, Qt::DisplayRole).toString(), titulo);
    QCOMPARE(TModeloCoches::AnchoColumna(columna), ancho);
    QCOMPARE(bool(TModeloCoches::Alineacion(columna) & Qt::AlignRight), derecha);
}

void TestModeloCoches::filasYOrden()
{
    TListaCoches coches;
    TCoche &zeta = TCoche::NuevoCoche(coches, 3, u"zeta"_qs);
    TCoche &alfa = TCoche::NuevoCoche(coches, 1, u"Alfa"_qs);
    TCoche &beta = TCoche::NuevoCoche(coches, 2, u"beta"_qs);
    TModeloCoches modelo;
    QAbstractItemModelTester tester(&modelo,
                                    QAbstractItemModelTester::FailureReportingMode::QtTest);
    QSignalSpy insertadas(&modelo, &QAbstractItemModel::rowsInserted);
    for (TCoche *coche : {&zeta, &alfa, &beta})
        modelo.NuevaFila(*coche);
    QCOMPARE(insertadas.size(), 3);
    // A row without laps: dashes, the empty time, no estimate.
    QCOMPARE(modelo.index(0, TModeloCoches::ColPos).data().toString(), u"-"_qs);
    QCOMPARE(modelo.index(0, TModeloCoches::ColUltima).data().toString(), TiempoVacio());
    QCOMPARE(modelo.index(0, TModeloCoches::ColEst).data().toString(), u"0"_qs);

    const QPersistentModelIndex deAlfa = modelo.index(1, TModeloCoches::ColPiloto);
    QSignalSpy reordenadas(&modelo, &QAbstractItemModel::layoutChanged);
    modelo.Ordenar(TModeloCoches::ColPiloto, true);
    QCOMPARE(reordenadas.size(), 1);
    QCOMPARE(modelo.Coche(0), &alfa);
    QCOMPARE(modelo.Coche(2), &zeta);
    QCOMPARE(deAlfa.row(), 0);
    // Rows already in order, and the columns that do not sort, change nothing.
    modelo.Ordenar(TModeloCoches::ColPiloto, true);
    modelo.Ordenar(TModeloCoches::ColDiff, false);
    modelo.Ordenar(TModeloCoches::ColGap, true);
    QCOMPARE(reordenadas.size(), 1);
    modelo.Ordenar(TModeloCoches::ColN, false);
    QCOMPARE(modelo.Coche(0), &zeta);

    // One last-lap mark at most.
    modelo.PonerImagen(&alfa);
    modelo.PonerImagen(&beta);
    int marcadas = 0;
    for (int fila = 0; fila < modelo.rowCount(); ++fila)
        marcadas += modelo.index(fila, 1).data(TModeloCoches::ImagenRole).toInt() == 1 ? 1 : 0;
    QCOMPARE(marcadas, 1);
    QVERIFY(!modelo.index(modelo.Fila(beta), 1).data(Qt::DecorationRole).isNull());

    // Many changes at once reach the views as one reset.
    QSignalSpy reinicios(&modelo, &QAbstractItemModel::modelReset);
    modelo.IniciarActualizacion();
    modelo.Limpiar();
    modelo.NuevaFila(alfa);
    modelo.TerminarActualizacion();
    QCOMPARE(reinicios.size(), 1);
    QCOMPARE(modelo.rowCount(), 1);
}

// The captions follow the language, and a switch makes the list's header ask for them again.
void TestModeloCoches::titulosTraducidos()
{
    TModeloCoches modelo;
    const std::unique_ptr<QTableView> vista(CrearLVCoches(&modelo, nullptr));
    QSignalSpy cabecera(&modelo, &QAbstractItemModel::headerDataChanged);
    Translator traductor;
    QVERIFY(traductor.useLanguage(u"en_US"_qs));
    QCoreApplication::sendPostedEvents();
    QVERIFY(!cabecera.isEmpty());
    QCOMPARE(modelo.headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), u"Driver"_qs);
    QCOMPARE(modelo.headerData(7, Qt::Horizontal, Qt::DisplayRole).toString(), u"Last"_qs);
    traductor.useLanguage(u"es"_qs);
    QCOMPARE(modelo.headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), u"Piloto"_qs);
}

QTEST_MAIN(TestModeloCoches)
#include "test_modelocoches.moc"
