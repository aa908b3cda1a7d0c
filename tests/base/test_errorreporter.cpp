#include "base/error.h"
#include "base/errorreporter.h"

#include <QTest>

using namespace quenlap;

class TestErrorReporter : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { ErrorReporter::setHandler({}); }

    // guard hands every kind of exception to the handler and says whether one came.
    void guardReportsWhatWorkThrows()
    {
        QStringList reported;
        ErrorReporter::setHandler([&](const QString &message) { reported << message; });
        QVERIFY(ErrorReporter::guard([] {}));
        QVERIFY(!ErrorReporter::guard([] { throw Error(QStringLiteral("Sin conexión")); }));
        QVERIFY(!ErrorReporter::guard([] { throw std::runtime_error("plain"); }));
        QVERIFY(!ErrorReporter::guard([] { throw 42; }));
        QCOMPARE(reported, (QStringList{QStringLiteral("Sin conexión"), QStringLiteral("plain"),
                                        QStringLiteral("Error desconocido")}));
    }

    // While a message is shown (a nested loop runs inside the handler), the same message
    // reported again is dropped; another message, or the same one later, is shown.
    void withoutRepeatsDropsTheMessageBeingShown()
    {
        QStringList shown;
        bool nested = false;
        ErrorReporter::setHandler(ErrorReporter::withoutRepeats([&](const QString &message) {
            shown << message;
            if (!nested) {
                nested = true;
                ErrorReporter::report(message);
                ErrorReporter::report(QStringLiteral("otro"));
            }
        }));
        ErrorReporter::report(QStringLiteral("Host not found"));
        ErrorReporter::report(QStringLiteral("Host not found"));
        QCOMPARE(shown, (QStringList{QStringLiteral("Host not found"), QStringLiteral("otro"),
                                     QStringLiteral("Host not found")}));
    }
};

QTEST_GUILESS_MAIN(TestErrorReporter)
#include "test_errorreporter.moc"
