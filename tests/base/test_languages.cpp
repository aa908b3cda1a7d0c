#include "base/global.h"
#include "base/idiomas.h"
#include "base/inifile.h"
#include "base/textos.h"
#include "base/translator.h"
#include "common/testsupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace quenlap;

class TestLanguages : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void builtInLanguages();
    void iniEntries_data();
    void iniEntries();
    void addIgnoresCodeCase();
    void switchLanguage_data();
    void switchLanguage();
    void qtCatalogueIsTheSecondDomain();
    void startupLanguage_data();
    void startupLanguage();
    void rememberedChoiceIsTheNextStart();
    void catalogueBesideTheProgramWins();
    void processLanguage();

private:
    QString iniWith(const QByteArray &contents);

    std::unique_ptr<QTemporaryDir> dir;
};

namespace {

QString EnVuelta()
{
    return TextoRecurso(Recursos::EnVuelta);
}

QStringList Codes(const TListaIdiomas &lista)
{
    QStringList codes;
    for (int i = 0; i < lista.Count(); ++i)
        codes.append(lista.Items(i).CodigoIdioma);
    return codes;
}

const QStringList BuiltInCodes = {u"es"_qs,    u"en_US"_qs, u"de_DE"_qs, u"pt_PT"_qs, u"sv_SE"_qs,
                                  u"cs_CZ"_qs, u"fr_FR"_qs, u"nl_NL"_qs, u"it_IT"_qs, u"zh_CN"_qs};

} // namespace

void TestLanguages::init()
{
    dir = std::make_unique<QTemporaryDir>();
    QVERIFY(dir->isValid());
}

QString TestLanguages::iniWith(const QByteArray &contents)
{
    const QString path = dir->filePath(QStringLiteral("tarvel.ini"));
    if (!contents.isNull())
        quenlap::test::writeFile(path, contents);
    return path;
}

void TestLanguages::builtInLanguages()
{
    TListaIdiomas lista;
    lista.CargarIdiomas(IniFile(iniWith(QByteArray())));
    QCOMPARE(Codes(lista), BuiltInCodes);
    QCOMPARE(lista.Items(0).NombreIdioma, QStringLiteral("Español"));
    QCOMPARE(lista.Items(1).NombreIdioma, QStringLiteral("English (United States)"));
    QCOMPARE(lista.Items(6).NombreIdioma, QStringLiteral("Français"));
    QCOMPARE(lista.Items(9).NombreIdioma, QStringLiteral("Chinese"));
}

void TestLanguages::iniEntries_data()
{
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<QStringList>("addedNames");
    QTest::addColumn<QStringList>("addedCodes");

    QTest::newRow("missing file") << QByteArray() << QStringList() << QStringList();
    QTest::newRow("no IDIOMAS section")
        << QByteArray("[CONFIGURACION]\r\nIdioma=es\r\n") << QStringList() << QStringList();
    QTest::newRow("Polski is the eleventh")
        << QByteArray("[IDIOMAS]\r\nPolski=pl_PL\r\n") << QStringList{u"Polski"_qs}
        << QStringList{u"pl_PL"_qs};
    QTest::newRow("Castellano=ES adds nothing")
        << QByteArray("[IDIOMAS]\r\nCastellano=ES\r\n") << QStringList() << QStringList();
    QTest::newRow("file order, empty value uses the name")
        << QByteArray("[idiomas]\r\nSuomi=fi_FI\r\nEuskara=\r\nPolski=pl_PL\r\n")
        << QStringList{u"Suomi"_qs, u"Euskara"_qs, u"Polski"_qs}
        << QStringList{u"fi_FI"_qs, u"Euskara"_qs, u"pl_PL"_qs};
    QTest::newRow("repeated code keeps the first")
        << QByteArray("[IDIOMAS]\r\nPolski=pl_PL\r\nPolish=PL_pl\r\n") << QStringList{u"Polski"_qs}
        << QStringList{u"pl_PL"_qs};
}

void TestLanguages::iniEntries()
{
    QFETCH(QByteArray, ini);
    QFETCH(QStringList, addedNames);
    QFETCH(QStringList, addedCodes);
    TListaIdiomas lista;
    lista.AgregarIdioma(QStringLiteral("Stale"), QStringLiteral("xx"));
    lista.CargarIdiomas(IniFile(iniWith(ini)));
    QCOMPARE(Codes(lista), BuiltInCodes + addedCodes);
    for (int i = 0; i < addedNames.size(); ++i)
        QCOMPARE(lista.Items(10 + i).NombreIdioma, addedNames[i]);
    QCOMPARE(lista.Items(0).NombreIdioma, QStringLiteral("Español"));
}

void TestLanguages::addIgnoresCodeCase()
{
    TListaIdiomas lista;
    lista.AgregarIdioma(QStringLiteral("Deutsch"), QStringLiteral("de_DE"));
    lista.AgregarIdioma(QStringLiteral("Alemán"), QStringLiteral("DE_de"));
    QCOMPARE(lista.Count(), 1);
    QCOMPARE(lista.BuscarCodigo(QStringLiteral("DE_DE"))->NombreIdioma, QStringLiteral("Deutsch"));
    QVERIFY(!lista.BuscarCodigo(QStringLiteral("fr_FR")));
    lista.Clear();
    QCOMPARE(lista.Count(), 0);
}

void TestLanguages::switchLanguage_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QString>("text");

    QTest::newRow("en_US") << QStringLiteral("en_US") << true << QStringLiteral("on lap");
    QTest::newRow("Spanish needs no catalogue")
        << QStringLiteral("es") << false << QStringLiteral("en vuelta");
    QTest::newRow("unknown code leaves Spanish")
        << QStringLiteral("xx_XX") << false << QStringLiteral("en vuelta");
    QTest::newRow("empty code leaves Spanish") << QString() << false << QStringLiteral("en vuelta");
}

void TestLanguages::switchLanguage()
{
    QFETCH(QString, code);
    QFETCH(bool, found);
    Translator translator;
    QCOMPARE(translator.useLanguage(QStringLiteral("en_US")), true);
    QCOMPARE(EnVuelta(), QStringLiteral("on lap"));
    QCOMPARE(translator.useLanguage(code), found);
    QCOMPARE(translator.language(), code);
    QTEST(EnVuelta(), "text");
}

void TestLanguages::qtCatalogueIsTheSecondDomain()
{
    const QString qtText = QStringLiteral("No such file or directory");
    {
        Translator translator;
        translator.useLanguage(QStringLiteral("de_DE"));
        QCOMPARE(QCoreApplication::translate("QIODevice", "No such file or directory"),
                 QStringLiteral("Die Datei oder das Verzeichnis konnte nicht gefunden werden"));
        QCOMPARE(EnVuelta(), QStringLiteral("en vuelta"));
    }
    // Destroying the translator takes its catalogues away.
    QCOMPARE(QCoreApplication::translate("QIODevice", "No such file or directory"), qtText);
}

void TestLanguages::startupLanguage_data()
{
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("text");

    QTest::newRow("missing file") << QByteArray() << QStringLiteral("es")
                                  << QStringLiteral("en vuelta");
    QTest::newRow("missing key") << QByteArray("[CONFIGURACION]\r\nOtra=1\r\n")
                                 << QStringLiteral("es") << QStringLiteral("en vuelta");
    QTest::newRow("en_US") << QByteArray("[configuracion]\r\nidioma=en_US\r\n")
                           << QStringLiteral("en_US") << QStringLiteral("on lap");
}

void TestLanguages::startupLanguage()
{
    QFETCH(QByteArray, ini);
    QFETCH(QString, code);
    Translator translator;
    QCOMPARE(translator.useStartupLanguage(IniFile(iniWith(ini))), code);
    QTEST(EnVuelta(), "text");
}

void TestLanguages::rememberedChoiceIsTheNextStart()
{
    IniFile ini(iniWith("; shared with Tarvel\r\n[CONFIGURACION]\r\nIdioma=es\r\nOtra=1\r\n"));
    Translator::rememberLanguage(ini, QStringLiteral("de_DE"));
    QCOMPARE(Translator::startupLanguage(ini), QStringLiteral("de_DE"));
    QCOMPARE(ini.readInteger(QStringLiteral("CONFIGURACION"), QStringLiteral("Otra"), 0), 1);
}

void TestLanguages::catalogueBesideTheProgramWins()
{
    // A catalogue added by the user, in a folder searched before the built-in ones.
    QFile builtIn(QStringLiteral(":/i18n/quenlap_en_US.qm"));
    QVERIFY2(builtIn.exists(), "the built-in catalogue is linked in");
    QVERIFY(builtIn.copy(dir->filePath(QStringLiteral("quenlap_pl_PL.qm"))));
    Translator translator({dir->path(), QStringLiteral(":/i18n")});
    QVERIFY(translator.useLanguage(QStringLiteral("pl_PL")));
    QCOMPARE(EnVuelta(), QStringLiteral("on lap"));
}

void TestLanguages::processLanguage()
{
    FijarCarpetaConfiguracion(dir->path());
    iniWith("[CONFIGURACION]\r\nIdioma=en_US\r\n");
    QCOMPARE(IniciarIdioma(), QStringLiteral("en_US"));
    QCOMPARE(IdiomaActual(), QStringLiteral("en_US"));
    QCOMPARE(EnVuelta(), QStringLiteral("on lap"));
    QVERIFY(!CambiarIdioma(QStringLiteral("es")));
    QCOMPARE(EnVuelta(), QStringLiteral("en vuelta"));
    QVERIFY(CambiarIdioma(QStringLiteral("en_US")));
    // Left installed on purpose: the process-wide translator must go quietly at exit.
}

QTEST_GUILESS_MAIN(TestLanguages)
#include "test_languages.moc"
