#include "base/colors.h"

#include <array>

namespace quenlap {

namespace {

struct ColorConNombre
{
    TColor color;
    const char16_t *nombre;
};

struct ColorRgb
{
    TColor color;
    int red, green, blue;
};

// The platform's names, in the order it looks them up (the first name of a value is the one
// written).
constexpr std::array<ColorConNombre, 52> Nombres = {{
    {0x000000, u"clBlack"},
    {0x000080, u"clMaroon"},
    {0x008000, u"clGreen"},
    {0x008080, u"clOlive"},
    {0x800000, u"clNavy"},
    {0x800080, u"clPurple"},
    {0x808000, u"clTeal"},
    {0x808080, u"clGray"},
    {0xC0C0C0, u"clSilver"},
    {0x0000FF, u"clRed"},
    {0x00FF00, u"clLime"},
    {0x00FFFF, u"clYellow"},
    {0xFF0000, u"clBlue"},
    {0xFF00FF, u"clFuchsia"},
    {0xFFFF00, u"clAqua"},
    {0xFFFFFF, u"clWhite"},
    {0xC0DCC0, u"clMoneyGreen"},
    {0xF0CAA6, u"clSkyBlue"},
    {0xF0FBFF, u"clCream"},
    {0xA4A0A0, u"clMedGray"},
    {0xFF000000, u"clScrollBar"},
    {0xFF000001, u"clBackground"},
    {0xFF000002, u"clActiveCaption"},
    {0xFF000003, u"clInactiveCaption"},
    {0xFF000004, u"clMenu"},
    {0xFF000005, u"clWindow"},
    {0xFF000006, u"clWindowFrame"},
    {0xFF000007, u"clMenuText"},
    {0xFF000008, u"clWindowText"},
    {0xFF000009, u"clCaptionText"},
    {0xFF00000A, u"clActiveBorder"},
    {0xFF00000B, u"clInactiveBorder"},
    {0xFF00000C, u"clAppWorkSpace"},
    {0xFF00000D, u"clHighlight"},
    {0xFF00000E, u"clHighlightText"},
    {0xFF00000F, u"clBtnFace"},
    {0xFF000010, u"clBtnShadow"},
    {0xFF000011, u"clGrayText"},
    {0xFF000012, u"clBtnText"},
    {0xFF000013, u"clInactiveCaptionText"},
    {0xFF000014, u"clBtnHighlight"},
    {0xFF000015, u"cl3DDkShadow"},
    {0xFF000016, u"cl3DLight"},
    {0xFF000017, u"clInfoText"},
    {0xFF000018, u"clInfoBk"},
    {0xFF00001A, u"clHotLight"},
    {0xFF00001B, u"clGradientActiveCaption"},
    {0xFF00001C, u"clGradientInactiveCaption"},
    {0xFF00001D, u"clMenuHighlight"},
    {0xFF00001E, u"clMenuBar"},
    {0x1FFFFFFF, u"clNone"},
    {0x20000000, u"clDefault"},
}};

// What the system colours look like on a default desktop; anything else shows black.
constexpr std::array<ColorRgb, 31> Sistema = {{
    {0xFF000000, 200, 200, 200}, {0xFF000001, 0, 0, 0},       {0xFF000002, 153, 180, 209},
    {0xFF000003, 191, 205, 219}, {0xFF000004, 240, 240, 240}, {0xFF000005, 255, 255, 255},
    {0xFF000006, 100, 100, 100}, {0xFF000007, 0, 0, 0},       {0xFF000008, 0, 0, 0},
    {0xFF000009, 0, 0, 0},       {0xFF00000A, 180, 180, 180}, {0xFF00000B, 244, 247, 252},
    {0xFF00000C, 171, 171, 171}, {0xFF00000D, 0, 120, 215},   {0xFF00000E, 255, 255, 255},
    {0xFF00000F, 240, 240, 240}, {0xFF000010, 160, 160, 160}, {0xFF000011, 109, 109, 109},
    {0xFF000012, 0, 0, 0},       {0xFF000013, 0, 0, 0},       {0xFF000014, 255, 255, 255},
    {0xFF000015, 105, 105, 105}, {0xFF000016, 227, 227, 227}, {0xFF000017, 0, 0, 0},
    {0xFF000018, 255, 255, 225}, {0xFF00001A, 0, 102, 204},   {0xFF00001B, 185, 209, 234},
    {0xFF00001C, 215, 228, 242}, {0xFF00001D, 0, 120, 215},   {0xFF00001E, 240, 240, 240},
    {0x20000000, 255, 255, 255},
}};

bool LeerNumero(const QString &texto, TColor &color)
{
    QString t = texto.trimmed();
    bool negativo = false;
    if (t.startsWith(u'-') || t.startsWith(u'+')) {
        negativo = t.front() == u'-';
        t.remove(0, 1);
    }
    int base = 10;
    if (t.startsWith(u'$')) {
        base = 16;
        t.remove(0, 1);
    } else if (t.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
        base = 16;
        t.remove(0, 2);
    }
    if (t.isEmpty() || !t.front().isLetterOrNumber())
        return false;
    bool ok = false;
    const qulonglong valor = t.toULongLong(&ok, base);
    if (!ok || valor > 0xFFFFFFFFu)
        return false;
    color = TColor(negativo ? 0u - quint32(valor) : quint32(valor));
    return true;
}

} // namespace

QString ColorToString(TColor color)
{
    for (const ColorConNombre &entrada : Nombres) {
        if (entrada.color == color)
            return QString::fromUtf16(entrada.nombre);
    }
    return u'$' + QString::number(color, 16).toUpper().rightJustified(8, QLatin1Char('0'));
}

bool StringToColor(const QString &text, TColor &color)
{
    const QString nombre = text.trimmed();
    for (const ColorConNombre &entrada : Nombres) {
        if (nombre.compare(QStringView(entrada.nombre), Qt::CaseInsensitive) == 0) {
            color = entrada.color;
            return true;
        }
    }
    return LeerNumero(nombre, color);
}

void ColorToRgb(TColor color, int &red, int &green, int &blue)
{
    if ((color >> 24) == 0xFF || color == 0x20000000u || color == 0x1FFFFFFFu) {
        red = green = blue = 0;
        for (const ColorRgb &entrada : Sistema) {
            if (entrada.color == color) {
                red = entrada.red;
                green = entrada.green;
                blue = entrada.blue;
            }
        }
        return;
    }
    red = int(color & 0xFF);
    green = int((color >> 8) & 0xFF);
    blue = int((color >> 16) & 0xFF);
}

} // namespace quenlap
