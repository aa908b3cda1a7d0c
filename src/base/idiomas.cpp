#include "base/idiomas.h"

#include "base/global.h"
#include "base/inifile.h"
#include "base/translator.h"

namespace quenlap {

namespace {

struct Incorporado
{
    const char16_t *nombre;
    const char16_t *codigo;
};

constexpr Incorporado Incorporados[] = {
    {u"Español", u"es"},     {u"English (United States)", u"en_US"},
    {u"Deutsch", u"de_DE"},  {u"Portugues", u"pt_PT"},
    {u"Swedish", u"sv_SE"},  {u"Czech", u"cs_CZ"},
    {u"Français", u"fr_FR"}, {u"Nederlands", u"nl_NL"},
    {u"Italiano", u"it_IT"}, {u"Chinese", u"zh_CN"},
};

Translator &TraductorDelProceso()
{
    static Translator traductor;
    return traductor;
}

} // namespace

TListaIdiomas::~TListaIdiomas()
{
    Clear();
}

void TListaIdiomas::Clear()
{
    entradas.clear();
}

void TListaIdiomas::CargarIdiomas(const IniFile &tarvel)
{
    Clear();
    for (const Incorporado &idioma : Incorporados)
        AgregarIdioma(QString::fromUtf16(idioma.nombre), QString::fromUtf16(idioma.codigo));
    const QString seccion = QStringLiteral("IDIOMAS");
    const QStringList nombres = tarvel.readSection(seccion);
    for (const QString &nombre : nombres) {
        const QString codigo = tarvel.readString(seccion, nombre, nombre);
        AgregarIdioma(nombre, codigo.isEmpty() ? nombre : codigo);
    }
}

void TListaIdiomas::AgregarIdioma(const QString &nombre, const QString &codigo)
{
    if (BuscarCodigo(codigo))
        return;
    entradas.push_back(std::make_unique<TDefinicionIdioma>(TDefinicionIdioma{nombre, codigo}));
}

const TDefinicionIdioma *TListaIdiomas::BuscarCodigo(const QString &codigo) const
{
    for (const auto &entrada : entradas) {
        if (entrada->CodigoIdioma.compare(codigo, Qt::CaseInsensitive) == 0)
            return entrada.get();
    }
    return nullptr;
}

bool CambiarIdioma(const QString &codigo)
{
    return TraductorDelProceso().useLanguage(codigo);
}

QString IdiomaActual()
{
    return TraductorDelProceso().language();
}

QString IniciarIdioma()
{
    return TraductorDelProceso().useStartupLanguage(IniFile(RutaTarvelIni()));
}

} // namespace quenlap
