#include "racewindow/vistascarrera.h"

#include "base/global.h"
#include "racewindow/datosrejilla.h"
#include "racewindow/modelocoches.h"
#include "racewindow/modelovueltas.h"

#include <QEvent>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTableView>

#include <algorithm>
#include <array>

namespace quenlap {

namespace {

constexpr double SegundosPorDia = 86400.0;

// The grid's headers keep one size: asking every new row's or column's text for its size would
// lay out hundreds of texts per lap in a long race.
class CabeceraFija final : public QHeaderView
{
public:
    CabeceraFija(Qt::Orientation orientacion, QSize tamano, QWidget *parent)
        : QHeaderView(orientacion, parent), tamano(tamano)
    {}

    QSize sizeHint() const override { return tamano; }

private:
    QSize tamano;
};

QString Numero(double valor)
{
    QString texto = QString::number(valor, 'g', 15);
    texto.replace(QLatin1Char('.'), AjustesFormato().decimalSeparator);
    return texto;
}

// The design widths were measured in the Windows font at 96 dpi. With other fonts or a denser
// screen a time would be cut to "02:59.…", so a column is never narrower than its usual widest
// text in the font the list really has.
int AnchoMinimo(const QFontMetrics &medidas, int columna)
{
    static constexpr std::array<const char16_t *, TModeloCoches::NumColumnas> TextoMasAncho{
        {u"", u"", u"88", u"888", u"88:88.888", u"+88:88.888", u"+88:88.888", u"88.888",
         u"88.888 (888)", u"88.888", u"888"}};
    const QString texto = QString::fromUtf16(TextoMasAncho[std::size_t(columna)]);
    return texto.isEmpty() ? 0 : medidas.horizontalAdvance(texto) + 2 * medidas.averageCharWidth();
}

// Column captions come from the catalogue when the header asks for them; a change of language
// makes the header ask again.
class CabeceraTraducida final : public QObject
{
public:
    CabeceraTraducida(QAbstractItemModel *modelo, QObject *parent) : QObject(parent), modelo(modelo)
    {}

    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::LanguageChange)
            emit modelo->headerDataChanged(Qt::Horizontal, 0, modelo->columnCount() - 1);
        return false;
    }

private:
    QAbstractItemModel *modelo;
};

} // namespace

QTableView *CrearLVCoches(TModeloCoches *modelo, QWidget *parent)
{
    auto *vista = new QTableView(parent);
    vista->setObjectName(QStringLiteral("LVCoches"));
    vista->setModel(modelo);
    vista->setEditTriggers(QAbstractItemView::NoEditTriggers);
    vista->setSelectionBehavior(QAbstractItemView::SelectRows);
    vista->setSelectionMode(QAbstractItemView::SingleSelection);
    vista->setShowGrid(false);
    vista->setWordWrap(false);
    vista->setMinimumHeight(100);
    vista->setFont(QFont(QStringLiteral("Arial"), 20));
    QPalette paleta = vista->palette();
    paleta.setColor(QPalette::Base, QColor(247, 247, 255));
    paleta.setColor(QPalette::Text, Qt::black);
    vista->setPalette(paleta);
    vista->verticalHeader()->hide();
    vista->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    vista->verticalHeader()->setDefaultSectionSize(vista->fontMetrics().height() + 6);
    vista->horizontalHeader()->setSectionsClickable(true);
    vista->horizontalHeader()->setHighlightSections(false);
    vista->horizontalHeader()->setStretchLastSection(false);
    QFont negrita = vista->font();
    negrita.setBold(true);
    const QFontMetrics medidas(negrita);
    for (int columna = 0; columna < TModeloCoches::NumColumnas; ++columna) {
        const int ancho = TModeloCoches::AnchoColumna(columna);
        vista->setColumnHidden(columna, ancho == 0);
        if (ancho > 0)
            vista->setColumnWidth(columna, std::max(ancho, AnchoMinimo(medidas, columna)));
    }
    vista->installEventFilter(new CabeceraTraducida(modelo, vista));
    vista->setContextMenuPolicy(Qt::CustomContextMenu);
    return vista;
}

QTableView *CrearGridVueltas(TModeloVueltas *modelo, QWidget *parent)
{
    auto *vista = new QTableView(parent);
    vista->setObjectName(QStringLiteral("GridVueltas"));
    vista->setModel(modelo);
    vista->setEditTriggers(QAbstractItemView::NoEditTriggers);
    vista->setSelectionMode(QAbstractItemView::SingleSelection);
    vista->setShowGrid(false);
    vista->setWordWrap(false);
    vista->setFrameShape(QFrame::NoFrame);
    vista->setFont(QFont(QStringLiteral("Arial"), 16));
    vista->setStyleSheet(QStringLiteral(
        "QTableView { background-color: black; color: white; }"
        "QHeaderView::section:horizontal { background-color: rgb(0, 0, 224); color: white;"
        " border: 1px solid navy; padding-left: 3px; }"
        "QHeaderView::section:vertical { background-color: black; color: rgb(160, 160, 160);"
        " border: none; padding-right: 4px; }"
        "QTableView QTableCornerButton::section { background-color: rgb(0, 0, 224); }"));
    // Lap numbers in 50 pixels; names in a row a little taller than the lap rows.
    vista->setVerticalHeader(new CabeceraFija(Qt::Vertical, QSize(50, 22), vista));
    vista->setHorizontalHeader(new CabeceraFija(Qt::Horizontal, QSize(140, 28), vista));
    vista->horizontalHeader()->setDefaultSectionSize(140);
    vista->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    vista->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    vista->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    vista->verticalHeader()->setDefaultSectionSize(22);
    vista->verticalHeader()->setDefaultAlignment(Qt::AlignRight | Qt::AlignVCenter);
    vista->setContextMenuPolicy(Qt::CustomContextMenu);
    return vista;
}

TPanelCalidad::TPanelCalidad(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Panel1"));
    auto *rejilla = new QGridLayout(this);
    rejilla->setContentsMargins(8, 4, 8, 4);
    const std::array<QColor, 4> colores = {QColor(0, 255, 0), QColor(0, 128, 0),
                                           QColor(255, 255, 0), QColor(255, 0, 0)};
    const std::array<const char *, 4> nombres = {"EMuyBuena", "EBuena", "EMala", "EMuyMala"};
    for (std::size_t i = 0; i < Edits.size(); ++i) {
        const int fila = int(i);
        Muestras[i] = new QLabel(this);
        Muestras[i]->setFixedSize(24, 16);
        Muestras[i]->setAutoFillBackground(true);
        QPalette paleta = Muestras[i]->palette();
        paleta.setColor(QPalette::Window, colores[i]);
        Muestras[i]->setPalette(paleta);
        antes[i] = new QLabel(this);
        Edits[i] = new QLineEdit(this);
        Edits[i]->setObjectName(QLatin1String(nombres[i]));
        Edits[i]->setFixedWidth(50);
        despues[i] = new QLabel(this);
        rejilla->addWidget(Muestras[i], fila, 0);
        rejilla->addWidget(antes[i], fila, 1);
        rejilla->addWidget(Edits[i], fila, 2);
        rejilla->addWidget(despues[i], fila, 3);
        connect(Edits[i], &QLineEdit::textChanged, this, [this, i] {
            if (LeerUmbrales(Edits[i]))
                emit UmbralesCambiados();
        });
    }
    rejilla->setColumnStretch(4, 1);
    retranslateUi();
}

void TPanelCalidad::retranslateUi()
{
    // The edits sit in the gap of each caption.
    const std::array<QString, 4> titulos = {
        tr("Muy buena (<min+          seg.)"), tr("Buena        (<min+          seg.)"),
        tr("Mala        (>min +          seg.)"), tr("Muy mala (>min *          seg.)")};
    static const QRegularExpression hueco(QStringLiteral("\\s{3,}(?=\\S*\\)?$)"));
    for (std::size_t i = 0; i < titulos.size(); ++i) {
        const QRegularExpressionMatch encontrado = hueco.match(titulos[i]);
        if (encontrado.hasMatch()) {
            antes[i]->setText(titulos[i].left(encontrado.capturedStart()));
            despues[i]->setText(titulos[i].mid(encontrado.capturedEnd()));
        } else {
            antes[i]->setText(titulos[i]);
            despues[i]->clear();
        }
    }
}

void TPanelCalidad::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
    QWidget::changeEvent(event);
}

void TPanelCalidad::MostrarUmbrales()
{
    const TUmbralesCalidad &umbrales = TUmbralesCalidad::Globales();
    const std::array<double, 4> valores = {umbrales.MuyBuena * SegundosPorDia,
                                           umbrales.Buena * SegundosPorDia,
                                           umbrales.Mala * SegundosPorDia, umbrales.MuyMala};
    for (std::size_t i = 0; i < Edits.size(); ++i) {
        const QSignalBlocker bloqueo(Edits[i]);
        Edits[i]->setText(Numero(valores[i]));
    }
}

bool TPanelCalidad::LeerUmbrales(const QLineEdit *sender)
{
    if (sender && sender->text().isEmpty())
        return false;
    TUmbralesCalidad &umbrales = TUmbralesCalidad::Globales();
    umbrales.MuyBuena =
        StrToFloatDef(Edits[0]->text(), umbrales.MuyBuena * SegundosPorDia) / SegundosPorDia;
    umbrales.Buena =
        StrToFloatDef(Edits[1]->text(), umbrales.Buena * SegundosPorDia) / SegundosPorDia;
    umbrales.Mala =
        StrToFloatDef(Edits[2]->text(), umbrales.Mala * SegundosPorDia) / SegundosPorDia;
    umbrales.MuyMala = StrToFloatDef(Edits[3]->text(), umbrales.MuyMala);
    return true;
}

} // namespace quenlap
