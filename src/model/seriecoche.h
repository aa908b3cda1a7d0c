#pragma once

#include "base/colors.h"

#include <QList>
#include <QPointF>
#include <QString>

namespace quenlap {

enum class EstiloLinea { Solida, Punteada, RayaPunto };

// What the lap chart shows of one competitor: one point per lap read (x = lap number, y = lap
// time as a day fraction). The chart only draws it; the competitor owns it.
struct TSerieVueltas
{
    QList<QPointF> Puntos;
    QString Leyenda;
    TColor ColorLinea = Colores::clWhite;
    EstiloLinea Estilo = EstiloLinea::Punteada;
    bool Visible = true;
    bool PuntosVisibles = true;
    // Points are ellipses of this size with a border.
    int AnchoPunto = 6;
    int AltoPunto = 6;
    TColor BordePunto = Colores::clBlack;
    TColor RellenoPunto = Colores::clWhite;
};

// The horizontal line the lap chart draws at a competitor's mean lap.
struct TMarcaMedia
{
    double Posicion = 0;
    TColor ColorPluma = Colores::clBlack;
    EstiloLinea Estilo = EstiloLinea::RayaPunto;
    bool Relleno = false;
    bool Visible = true;
};

} // namespace quenlap
