#pragma once

#include <QString>
#include <QStringList>

#include <memory>

class QTranslator;

namespace quenlap {

class IniFile;

// Switches the process's language by code with Qt's translator.
//
// Texts are written in Spanish in the sources and reach other languages through two catalogues:
// the program's own, "quenlap_<code>.qm", and Qt's, "qtbase_<code>.qm" from Qt's translations
// folder, for the messages of Qt's own dialogs. A catalogue is looked up the way QTranslator does
// ("de_DE" falls back to "de"); our catalogues are looked for in the folder "translations" beside
// the program first (languages added by the user) and then among the catalogues built into the
// program. A code without a catalogue leaves the Spanish texts.
//
// Contexts of QCoreApplication::translate, so that lupdate files every text where it belongs:
// - a window or component class uses its own class name as tr() gives it, namespace included
//   ("quenlap::TFrmMain"); code outside such a class that writes the context out uses the same
//   qualified name;
// - the program's fixed texts use "Recursos" (base/textos.h);
// - any other shared text uses the name of the file that builds it, without extension.
class Translator
{
public:
    // Catalogue folders, searched in order; empty means the default ones above.
    explicit Translator(QStringList catalogueFolders = {});
    ~Translator();
    Translator(const Translator &) = delete;
    Translator &operator=(const Translator &) = delete;

    // Removes the previous language and installs the catalogues for `codigo`. Returns whether the
    // program's own catalogue was found (Spanish needs none).
    bool useLanguage(const QString &codigo);
    const QString &language() const { return current; }

    // The language the program starts in: "CONFIGURACION" "Idioma" of "tarvel.ini", "es" when
    // missing.
    static QString startupLanguage(const IniFile &tarvel);
    // Switches to startupLanguage() and returns it.
    QString useStartupLanguage(const IniFile &tarvel);
    // Remembers the user's choice for the next start.
    static void rememberLanguage(IniFile &tarvel, const QString &codigo);

private:
    void removeCatalogues();

    QStringList folders;
    std::unique_ptr<QTranslator> catalogue;
    std::unique_ptr<QTranslator> qtCatalogue;
    QString current = QStringLiteral("es");
};

} // namespace quenlap
