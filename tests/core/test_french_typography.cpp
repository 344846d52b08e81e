#include <QtTest>

#include "interpretation/french_typography.h"

using namespace selenarc;

class FrenchTypographyTest : public QObject {
    Q_OBJECT
  private slots:
    // Sentences as typed in the paragraph files, and as they must be shown. In the expected texts
    // "_" stands for the narrow no-break space (U+202F) and "~" for the no-break space (U+00A0).
    void sets_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char* name, const QString& typed, const char* shown) {
            QTest::newRow(name) << typed << QString::fromUtf8(shown);
        };
        row("elisions", "L'âme s'éveille aujourd'hui, qu'il pleuve",
            "L’âme s’éveille aujourd’hui, qu’il pleuve");
        row("single quotes around a question",
            "nous demandons : 'Dans quel Signe se trouve ton Soleil ?', nous",
            "nous demandons~: «_Dans quel Signe se trouve ton Soleil_?_», nous");
        row("elision inside single quotes", "il dit 'c'est l'heure' puis", "il dit «_c’est l’heure_» puis");
        row("double quotes", "le \"moi\" et le \"nous\".", "le «_moi_» et le «_nous_».");
        row("guillemets without blanks", "là où il dit «moi», elle", "là où il dit «_moi_», elle");
        row("high punctuation, blank typed", "le jour ; la nuit ! Pourquoi ?",
            "le jour_; la nuit_! Pourquoi_?");
        row("high punctuation, no blank typed", "le jour; la nuit! Pourquoi?",
            "le jour_; la nuit_! Pourquoi_?");
        row("two marks in a row", "Vraiment ?! Oui !", "Vraiment_?! Oui_!");
        row("after a bracket", "(la Lune) ; le Soleil", "(la Lune)_; le Soleil");
        row("colon", "Cycle physique : Vous construisez", "Cycle physique~: Vous construisez");
        row("colon without blank", "en l'occurrence: Verseau", "en l’occurrence~: Verseau");
        row("colon before an empty name", "en l'occurrence : .", "en l’occurrence~: .");
        row("colon between digits is a time", "à 10:30 ou 12h00", "à 10:30 ou 12h00");
        row("number and unit", "environ 29 ans 1/2, 11 ans et 10 mois, 7 années, 1 an",
            "environ 29~ans 1/2, 11~ans et 10~mois, 7~années, 1~an");
        row("number without unit", "aux nombres 12 et 7, en cycle 5, vers 12, 24 ans",
            "aux nombres 12 et 7, en cycle 5, vers 12, 24~ans");
        row("unit only as a whole word", "à 3 anses, 2 mots, 3 h", "à 3 anses, 2 mots, 3~h");
        row("ellipsis", "Né(e) après la pleine lune... et", "Né(e) après la pleine lune… et");
        row("list item", "\r\n- La Nouvelle Lune\r\n- Le Premier - quartier",
            "\r\n–~La Nouvelle Lune\r\n–~Le Premier - quartier");
        row("line start keeps its mark bare", "\r\n? suite\r\n: fin", "\r\n? suite\r\n: fin");
        row("blanks that end a line go", "fin.  \r\nSuite. \r\n  \r\n  retrait. ",
            "fin.\r\nSuite.\r\n  \r\n  retrait.");
        row("stray quote", "l' homme ' seul", "l’ homme ' seul");
    }
    void sets() {
        QFETCH(QString, typed);
        QFETCH(QString, expected);
        expected.replace('_', QChar(0x202F)).replace('~', QChar(0x00A0));
        const std::string once = frenchTypography(typed.toStdString());
        QCOMPARE(QString::fromStdString(once), expected);
        QCOMPARE(frenchTypography(once), once);  // a second pass changes nothing
    }

    // Bytes that are not UTF-8 go through untouched, around a mended apostrophe.
    void keepsMalformedBytes() {
        const std::string typed = "\xFF l'\xC3 \xE2\x80 fin";
        QCOMPARE(frenchTypography(typed), "\xFF l\xE2\x80\x99\xC3 \xE2\x80 fin");
    }
};

QTEST_GUILESS_MAIN(FrenchTypographyTest)
#include "test_french_typography.moc"
