#include "base/translator.h"

#include "base/inifile.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace quenlap {

namespace {

const QString SeccionConfiguracion = QStringLiteral("CONFIGURACION");
const QString ClaveIdioma = QStringLiteral("Idioma");

std::unique_ptr<QTranslator> Cargar(const QString &nombre, const QStringList &carpetas)
{
    auto traductor = std::make_unique<QTranslator>();
    for (const QString &carpeta : carpetas) {
        if (traductor->load(nombre, carpeta) &&
            QCoreApplication::installTranslator(traductor.get()))
            return traductor;
    }
    return nullptr;
}

} // namespace

Translator::Translator(QStringList catalogueFolders) : folders(std::move(catalogueFolders))
{
    if (folders.isEmpty()) {
        if (QCoreApplication::instance())
            folders.append(QCoreApplication::applicationDirPath() +
                           QStringLiteral("/translations"));
        folders.append(QStringLiteral(":/i18n"));
    }
}

Translator::~Translator()
{
    removeCatalogues();
}

void Translator::removeCatalogues()
{
    // A process-wide translator outlives the application object; nothing is installed then.
    if (QCoreApplication::instance()) {
        if (catalogue)
            QCoreApplication::removeTranslator(catalogue.get());
        if (qtCatalogue)
            QCoreApplication::removeTranslator(qtCatalogue.get());
    }
    catalogue.reset();
    qtCatalogue.reset();
}

bool Translator::useLanguage(const QString &codigo)
{
    removeCatalogues();
    current = codigo;
    if (codigo.isEmpty())
        return false;
    qtCatalogue = Cargar(QStringLiteral("qtbase_") + codigo,
                         {QLibraryInfo::path(QLibraryInfo::TranslationsPath)});
    catalogue = Cargar(QStringLiteral("quenlap_") + codigo, folders);
    return catalogue != nullptr;
}

QString Translator::startupLanguage(const IniFile &tarvel)
{
    return tarvel.readString(SeccionConfiguracion, ClaveIdioma, QStringLiteral("es"));
}

QString Translator::useStartupLanguage(const IniFile &tarvel)
{
    const QString codigo = startupLanguage(tarvel);
    useLanguage(codigo);
    return codigo;
}

void Translator::rememberLanguage(IniFile &tarvel, const QString &codigo)
{
    tarvel.writeString(SeccionConfiguracion, ClaveIdioma, codigo);
}

} // namespace quenlap
