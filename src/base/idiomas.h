#pragma once

#include <QString>

#include <memory>
#include <vector>

namespace quenlap {

class IniFile;

// One language offered to the user.
struct TDefinicionIdioma
{
    QString NombreIdioma; // the name shown in the menu
    QString CodigoIdioma; // the code given to the translator ("es", "en_US", ...)
};

// The languages offered: the ten built-in ones, then those of section "IDIOMAS" of "tarvel.ini".
// The list owns its entries.
class TListaIdiomas
{
public:
    TListaIdiomas() = default;
    ~TListaIdiomas();
    TListaIdiomas(const TListaIdiomas &) = delete;
    TListaIdiomas &operator=(const TListaIdiomas &) = delete;

    // Empties the list, adds the built-in languages, then every "IDIOMAS" entry of the file in
    // file order: the key is the name, the value the code (the name itself when it is empty).
    void CargarIdiomas(const IniFile &tarvel);
    // Adds an entry at the end unless one with the same code (any letter case) is already there.
    void AgregarIdioma(const QString &nombre, const QString &codigo);
    void Clear();

    int Count() const { return int(entradas.size()); }
    const TDefinicionIdioma &Items(int index) const { return *entradas.at(size_t(index)); }
    // The entry with this code (any letter case), or none.
    const TDefinicionIdioma *BuscarCodigo(const QString &codigo) const;

private:
    std::vector<std::unique_ptr<TDefinicionIdioma>> entradas;
};

// The process's one language (a Translator living until the program ends). Switching sends
// QEvent::LanguageChange to every object, so open windows translate themselves again.
// Returns whether the program's own catalogue for the code was found; a code without one leaves
// the Spanish texts.
bool CambiarIdioma(const QString &codigo);
QString IdiomaActual();
// Start-up: switches to "CONFIGURACION" "Idioma" of the settings folder's "tarvel.ini" ("es" when
// missing) and returns the code.
QString IniciarIdioma();

} // namespace quenlap
