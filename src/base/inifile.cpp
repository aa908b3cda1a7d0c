#include "base/inifile.h"

#include "base/cp1252.h"
#include "base/error.h"
#include "base/global.h"
#include "base/textencoding.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <limits>

// The profile layer is line based, as the platform's own profile functions are: a write edits or
// inserts one line and copies every other line, its comments, spacing and line endings included.
// (A parse-and-reserialise library would reformat the whole file on every write.)
//
// Encodings: a file with a byte-order mark (UTF-16 LE or BE, UTF-8) reads and is written back in
// that encoding; without one, valid UTF-8 reads as UTF-8 and anything else as Windows-1252, and
// is written back the same way. A new file, or one of plain ASCII, is written as UTF-8 without a
// mark. A Windows-1252 file that is given a character the code page cannot hold is rewritten as
// UTF-16 LE with its mark, which Windows' profile functions also read, so nothing is lost.

namespace quenlap {

namespace {

struct Linea
{
    QString texto;
    QString fin; // the line's own terminator: "\r\n", "\n", "\r" or none for the last line
};

struct Contenido
{
    QList<Linea> lineas;
    Codificacion codificacion = Codificacion::Utf8;
    QString finNuevo = QStringLiteral("\r\n");
    // The file is there but could not be read: a write would replace what it holds.
    bool ilegible = false;
};

struct Seccion
{
    qsizetype cabecera = -1; // index of the "[...]" line, -1 when missing
    qsizetype fin = 0;       // index of the line after the section's last line
};

Contenido Cargar(const QString &ruta)
{
    Contenido contenido;
    QFile fichero(ruta);
    if (!fichero.open(QIODevice::ReadOnly)) {
        contenido.ilegible = fichero.exists();
        return contenido;
    }
    const TextoDecodificado decodificado = TextoDeBytes(fichero.readAll());
    contenido.codificacion = decodificado.codificacion;
    const QString &texto = decodificado.texto;
    qsizetype inicio = 0;
    bool primerFin = true;
    for (qsizetype i = 0; i < texto.size(); ++i) {
        const QChar c = texto[i];
        if (c != u'\r' && c != u'\n')
            continue;
        const qsizetype largo =
            (c == u'\r' && i + 1 < texto.size() && texto[i + 1] == u'\n') ? 2 : 1;
        const QString fin = texto.mid(i, largo);
        if (primerFin)
            contenido.finNuevo = fin;
        primerFin = false;
        contenido.lineas.append({texto.mid(inicio, i - inicio), fin});
        i += largo - 1;
        inicio = i + 1;
    }
    if (inicio < texto.size())
        contenido.lineas.append({texto.mid(inicio), QString()});
    return contenido;
}

bool EsComentario(const QString &linea)
{
    const QString recortada = linea.trimmed();
    return recortada.startsWith(u';');
}

// "[name]" gives the name without its surrounding blanks.
bool LeerCabecera(const QString &linea, QString *nombre)
{
    const QString recortada = linea.trimmed();
    if (!recortada.startsWith(u'['))
        return false;
    const qsizetype cierre = recortada.indexOf(u']');
    if (nombre)
        *nombre = recortada.mid(1, (cierre < 0 ? recortada.size() : cierre) - 1).trimmed();
    return true;
}

// "key=value": both without surrounding blanks, the value without one pair of enclosing quotes.
bool LeerClave(const QString &linea, QString *clave, QString *valor)
{
    if (EsComentario(linea))
        return false;
    const qsizetype igual = linea.indexOf(u'=');
    if (igual < 0)
        return false;
    *clave = linea.left(igual).trimmed();
    if (clave->isEmpty())
        return false;
    if (valor) {
        QString v = linea.mid(igual + 1).trimmed();
        if (v.size() >= 2 && (v.front() == u'"' || v.front() == u'\'') && v.back() == v.front())
            v = v.mid(1, v.size() - 2);
        *valor = v;
    }
    return true;
}

bool Igual(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

Seccion BuscarSeccion(const Contenido &contenido, const QString &nombre)
{
    Seccion seccion;
    const auto &lineas = contenido.lineas;
    for (qsizetype i = 0; i < lineas.size(); ++i) {
        QString actual;
        if (!LeerCabecera(lineas[i].texto, &actual))
            continue;
        if (seccion.cabecera >= 0) {
            seccion.fin = i;
            return seccion;
        }
        if (Igual(actual, nombre))
            seccion.cabecera = i;
    }
    seccion.fin = lineas.size();
    return seccion;
}

qsizetype BuscarClave(const Contenido &contenido, const Seccion &seccion, const QString &clave,
                      QString *valor)
{
    if (seccion.cabecera < 0)
        return -1;
    for (qsizetype i = seccion.cabecera + 1; i < seccion.fin; ++i) {
        QString actual;
        if (LeerClave(contenido.lineas[i].texto, &actual, valor) && Igual(actual, clave))
            return i;
    }
    return -1;
}

bool Leer(const QString &ruta, const QString &seccion, const QString &clave, QString *valor)
{
    const Contenido contenido = Cargar(ruta);
    return BuscarClave(contenido, BuscarSeccion(contenido, seccion), clave, valor) >= 0;
}

[[noreturn]] void NoEscribible(const QString &ruta, const QString &motivo)
{
    throw Error(QStringLiteral("No se puede escribir el fichero de configuración \"%1\": %2")
                    .arg(QDir::toNativeSeparators(ruta), motivo));
}

void Guardar(const QString &ruta, Contenido &contenido)
{
    const QFileInfo info(ruta);
    if (contenido.ilegible)
        NoEscribible(ruta, QStringLiteral("no se puede leer su contenido actual"));
    if (!info.absoluteDir().exists())
        NoEscribible(ruta, QStringLiteral("la carpeta no existe"));
    if (info.exists() && !info.isWritable())
        NoEscribible(ruta, QStringLiteral("el fichero es de solo lectura"));
    QString texto;
    for (const Linea &linea : std::as_const(contenido.lineas))
        texto += linea.texto + linea.fin;
    if (contenido.codificacion == Codificacion::Cp1252 && !CabeEnCp1252(texto))
        contenido.codificacion = Codificacion::Utf16LE;
    QSaveFile fichero(ruta);
    if (!fichero.open(QIODevice::WriteOnly) ||
        fichero.write(BytesDeTexto(texto, contenido.codificacion)) < 0 || !fichero.commit())
        NoEscribible(ruta, fichero.errorString());
}

void Validar(const QString &ruta, const QString &seccion, const QString &clave)
{
    const auto saltos = [](const QString &t) {
        return t.contains(u'\n') || t.contains(u'\r') || t.contains(QChar());
    };
    if (seccion.trimmed().isEmpty() || seccion.contains(u']') || saltos(seccion))
        NoEscribible(ruta, QStringLiteral("nombre de sección no válido \"%1\"").arg(seccion));
    if (clave.trimmed().isEmpty() || clave.contains(u'=') || clave.trimmed().startsWith(u'[') ||
        clave.trimmed().startsWith(u';') || saltos(clave))
        NoEscribible(ruta, QStringLiteral("nombre de clave no válido \"%1\"").arg(clave));
}

// The value as the line stores it: quoted when blanks around it or quotes enclosing it would
// otherwise be lost on reading.
QString ValorEscrito(const QString &ruta, const QString &valor)
{
    if (valor.contains(u'\n') || valor.contains(u'\r') || valor.contains(QChar()))
        NoEscribible(ruta, QStringLiteral("un valor no puede contener saltos de línea"));
    const bool entreComillas = valor.size() >= 2 &&
                               (valor.front() == u'"' || valor.front() == u'\'') &&
                               valor.back() == valor.front();
    if (valor.trimmed() != valor || entreComillas)
        return u'"' + valor + u'"';
    return valor;
}

void TerminarUltima(Contenido &contenido)
{
    if (!contenido.lineas.isEmpty() && contenido.lineas.back().fin.isEmpty())
        contenido.lineas.back().fin = contenido.finNuevo;
}

void Insertar(Contenido &contenido, qsizetype donde, const QString &texto)
{
    if (donde == contenido.lineas.size())
        TerminarUltima(contenido);
    contenido.lineas.insert(donde, {texto, contenido.finNuevo});
}

qint64 EnteroInicial(const QString &texto, bool *ok)
{
    qsizetype i = 0;
    bool negativo = false;
    if (i < texto.size() && (texto[i] == u'-' || texto[i] == u'+'))
        negativo = texto[i++] == u'-';
    int base = 10;
    if (i + 1 < texto.size() && texto[i] == u'0' &&
        (texto[i + 1] == u'x' || texto[i + 1] == u'X')) {
        base = 16;
        i += 2;
    }
    qint64 valor = 0;
    *ok = false;
    for (; i < texto.size(); ++i) {
        const int cifra = texto[i].isDigit() ? texto[i].digitValue()
                          : base == 16 && QStringLiteral("abcdef").contains(texto[i].toLower())
                              ? 10 + (texto[i].toLower().unicode() - u'a')
                              : -1;
        if (cifra < 0 || cifra >= base)
            break;
        *ok = true;
        valor = std::min<qint64>(valor * base + cifra, qint64(1) << 40);
    }
    return negativo ? -valor : valor;
}

} // namespace

IniFile::IniFile(QString path) : filePath(std::move(path)) {}

QString IniFile::readString(const QString &section, const QString &key, const QString &def) const
{
    QString valor;
    return Leer(filePath, section, key, &valor) ? valor : def;
}

int IniFile::readInteger(const QString &section, const QString &key, int def) const
{
    QString valor;
    if (!Leer(filePath, section, key, &valor))
        return def;
    bool ok = false;
    const qint64 numero = EnteroInicial(valor, &ok);
    if (!ok)
        return def;
    return int(std::clamp<qint64>(numero, std::numeric_limits<int>::min(),
                                  std::numeric_limits<int>::max()));
}

bool IniFile::readBool(const QString &section, const QString &key, bool def) const
{
    const QString valor = readString(section, key, QString());
    if (Igual(valor, QStringLiteral("true")))
        return true;
    if (Igual(valor, QStringLiteral("false")))
        return false;
    return readInteger(section, key, def ? 1 : 0) != 0;
}

double IniFile::readFloat(const QString &section, const QString &key, double def) const
{
    QString valor;
    if (!Leer(filePath, section, key, &valor) || valor.isEmpty())
        return def;
    // Either separator: the file may have been written under another locale.
    valor.replace(u',', u'.');
    return StrToFloatDef(valor, def, QLatin1Char('.'));
}

TColor IniFile::readColor(const QString &section, const QString &key, TColor def) const
{
    TColor color = def;
    if (!StringToColor(readString(section, key, QString()), color))
        return def;
    return color;
}

QStringList IniFile::readSection(const QString &section) const
{
    const Contenido contenido = Cargar(filePath);
    const Seccion seccion = BuscarSeccion(contenido, section);
    QStringList claves;
    if (seccion.cabecera < 0)
        return claves;
    for (qsizetype i = seccion.cabecera + 1; i < seccion.fin; ++i) {
        QString clave;
        if (LeerClave(contenido.lineas[i].texto, &clave, nullptr))
            claves.append(clave);
    }
    return claves;
}

bool IniFile::sectionExists(const QString &section) const
{
    return BuscarSeccion(Cargar(filePath), section).cabecera >= 0;
}

bool IniFile::valueExists(const QString &section, const QString &key) const
{
    return Leer(filePath, section, key, nullptr);
}

void IniFile::writeString(const QString &section, const QString &key, const QString &value)
{
    Validar(filePath, section, key);
    const QString escrito = ValorEscrito(filePath, value);
    Contenido contenido = Cargar(filePath);
    const Seccion seccion = BuscarSeccion(contenido, section);
    const qsizetype linea = BuscarClave(contenido, seccion, key, nullptr);
    if (linea >= 0) {
        // Keep the key as the file spells it and the spacing around "=".
        QString &texto = contenido.lineas[linea].texto;
        qsizetype corte = texto.indexOf(u'=') + 1;
        while (corte < texto.size() && (texto[corte] == u' ' || texto[corte] == u'\t'))
            ++corte;
        texto = texto.left(corte) + escrito;
    } else if (seccion.cabecera >= 0) {
        qsizetype despues = seccion.cabecera + 1;
        for (qsizetype i = seccion.cabecera + 1; i < seccion.fin; ++i) {
            if (!contenido.lineas[i].texto.trimmed().isEmpty() &&
                !EsComentario(contenido.lineas[i].texto))
                despues = i + 1;
        }
        Insertar(contenido, despues, key.trimmed() + u'=' + escrito);
    } else {
        if (!contenido.lineas.isEmpty() && !contenido.lineas.back().texto.trimmed().isEmpty())
            Insertar(contenido, contenido.lineas.size(), QString());
        Insertar(contenido, contenido.lineas.size(), u'[' + section.trimmed() + u']');
        Insertar(contenido, contenido.lineas.size(), key.trimmed() + u'=' + escrito);
    }
    Guardar(filePath, contenido);
}

void IniFile::writeInteger(const QString &section, const QString &key, int value)
{
    writeString(section, key, QString::number(value));
}

void IniFile::writeBool(const QString &section, const QString &key, bool value)
{
    writeString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void IniFile::writeFloat(const QString &section, const QString &key, double value)
{
    QString texto = QString::number(value, 'g', QLocale::FloatingPointShortest);
    texto.replace(u'.', AjustesFormato().decimalSeparator);
    writeString(section, key, texto);
}

void IniFile::writeColor(const QString &section, const QString &key, TColor value)
{
    writeString(section, key, ColorToString(value));
}

void IniFile::eraseSection(const QString &section)
{
    Contenido contenido = Cargar(filePath);
    const Seccion seccion = BuscarSeccion(contenido, section);
    if (seccion.cabecera < 0)
        return;
    contenido.lineas.remove(seccion.cabecera, seccion.fin - seccion.cabecera);
    Guardar(filePath, contenido);
}

void IniFile::deleteKey(const QString &section, const QString &key)
{
    Contenido contenido = Cargar(filePath);
    const qsizetype linea = BuscarClave(contenido, BuscarSeccion(contenido, section), key, nullptr);
    if (linea < 0)
        return;
    contenido.lineas.remove(linea);
    Guardar(filePath, contenido);
}

} // namespace quenlap
