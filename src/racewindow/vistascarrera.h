#pragma once

#include <QWidget>

#include <array>

class QLabel;
class QLineEdit;
class QTableView;

namespace quenlap {

class TModeloCoches;
class TModeloVueltas;

// The competitors list: a read-only, whole-row table over its model, "Arial" 20 on a pale blue,
// with the columns' design widths ("N" hidden) and clickable headers.
QTableView *CrearLVCoches(TModeloCoches *modelo, QWidget *parent);

// The lap grid: black, "Arial" 16 white, rows of 22 pixels, no grid lines; the lap numbers and
// the competitors' names are its headers.
QTableView *CrearGridVueltas(TModeloVueltas *modelo, QWidget *parent);

// Panel1 of the "Tiempos" page: the legend of the four quality classes, each with its colour
// swatch and the edit of its threshold inside its caption.
class TPanelCalidad final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TPanelCalidad)

public:
    explicit TPanelCalidad(QWidget *parent = nullptr);

    // EMuyBuena, EBuena, EMala, EMuyMala.
    std::array<QLineEdit *, 4> Edits{};
    // PMuyBuena, PBuena, PMala, PMuyMala.
    std::array<QLabel *, 4> Muestras{};

    // Shows the process's thresholds in the edits (seconds, and the plain factor) without
    // raising their change handler.
    void MostrarUmbrales();
    // EMuyBuenaChange: reads every edit into the process's thresholds. False when the sender's
    // text is empty, which changes nothing.
    bool LeerUmbrales(const QLineEdit *sender);
    void retranslateUi();

signals:
    void UmbralesCambiados();

protected:
    void changeEvent(QEvent *event) override;

private:
    std::array<QLabel *, 4> antes{};
    std::array<QLabel *, 4> despues{};
};

} // namespace quenlap
