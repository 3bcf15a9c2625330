#include "engine/EngineErrorText.h"

#include <QTest>

class TestEngineErrorText : public QObject
{
    Q_OBJECT

private slots:
    void text_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("expected");

        const char *table[] = {
            "Erreur d'allocation mémoire",
            "Lecture impossible, la carte son n'est pas ouverte",
            "Saturation des buffers d'entrée",
            "Dépassement de temps en attendant les buffers d'entrée",
            "Ecriture impossible, la carte son n'est pas ouverte",
            "Buffers de sortie sous-employés",
            "Dépassement de temps en attendant les buffers de sortie",
            "Cette carte ne supporte pas le format 16 bits, 8000 Hz, Mono",
            "La carte est utilisée par une autre application",
            "En-tête non préparé",
            "Ce périphérique est synchrone",
            "Mauvais identifiant de périphérique, la carte son est introuvable",
            "L'initialisation du périphérique a échoué",
            "Le périphérique est déjà attribué",
            "Le handle du périphérique n'est pas valide",
            "Le pilote du périphérique est absent",
            "Fonction non supportée",
            "Erreur ou valeur hors limites",
            "Flag non valide",
            "Paramètre non valide",
            "Handle en cours d'utilisation",
            "Le pilote n'appelle pas DriverCallback",
            "Erreur de registre",
            "Erreur inconnue",
        };
        int code = 10;
        for (const char *text : table) {
            QTest::addRow("%d", code) << code << QString::fromUtf8(text);
            ++code;
        }
        QTest::newRow("0") << 0 << "Erreur inconnue: code 0";
        QTest::newRow("7") << 7 << "Erreur inconnue: code 7";
        QTest::newRow("9") << 9 << "Erreur inconnue: code 9";
        QTest::newRow("34") << 34 << "Erreur inconnue: code 34";
        QTest::newRow("negative") << -5 << "Erreur inconnue: code -5";
        QTest::newRow("lowest") << int(INT32_MIN) << "Erreur inconnue: code -2147483648";
        QTest::newRow("highest") << int(INT32_MAX) << "Erreur inconnue: code 2147483647";
    }

    void text()
    {
        QFETCH(int, code);
        QFETCH(QString, expected);
        QCOMPARE(EngineErrorText(code), expected);
    }
};

QTEST_MAIN(TestEngineErrorText)
#include "tst_engineerrortext.moc"
