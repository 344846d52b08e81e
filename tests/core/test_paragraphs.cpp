#include <QtTest>

#include <fstream>

#include "interpretation/paragraphs.h"

using namespace selenarc;

namespace {

const std::filesystem::path kSourceDir = SELENARC_SOURCE_DIR;

// The spelling and grammar faults of the given openings, mended in the shipped pieces: keys, the given
// words, the words shipped instead. Every other given word stands as it was.
struct Mend {
    const char* key;
    const char* given;
    const char* mended;
};
constexpr Mend kMends[] = {
    {"S-sign-1 S-sign-2 S-sign-3 S-sign-4 S-sign-5 S-sign-6 S-sign-7 S-sign-8", "Vous être concerné",
     "Vous êtes concerné(e)"},
    {"B2", "Vous devez surmontez", "Vous devez surmonter"},
    {"PHASE-2-1", "d'avantage", "davantage"},
    {"PHASE-5-2", "Cette apogée", "Cet apogée"},
    {"SOLEIL-11-5", "La natif", "Le natif"},
    {"S-cycle-intro-1", "Saturne à une durée", "Saturne a une durée"},
    {"B0", "du lieu de de l'heure", "du lieu et de l'heure"},
    {"PHASE-3-1", "7 années et demi ", "7 années et demie "},
    {"B1", "par dessus", "par-dessus"},
    {"J-year-9", "jusque là", "jusque-là"},
    {"PHASE-4-1", "A ce moment", "À ce moment"},
    {"SOLEIL-3-3", "A force", "À force"},
    {"S1-c", "A mesure", "À mesure"},
    {"SOLEIL-8-5", "Pluton et mars", "Pluton et Mars"},
    {"LUNE-10-5", "Si coeur", "Si cœur"},
    {"S-sign-12", "l'émotionel", "l'émotionnel"},
    {"J-cycle-2", "Cycle Ethérique", "Cycle Éthérique"},
};

// The given opening of a key with its mends made; a mend that finds nothing to mend is a stale row.
QString mendedOpening(const QString& key, QString opening) {
    for (const Mend& mend : kMends) {
        if (QString(mend.key).split(' ').contains(key)) {
            const QString given = QString::fromUtf8(mend.given);
            if (!opening.contains(given)) {
                return "(mend not found: " + given + ")";
            }
            opening.replace(given, QString::fromUtf8(mend.mended));
        }
    }
    return opening;
}

}  // namespace

class ParagraphsTest : public QObject {
    Q_OBJECT
    ParagraphSet shipped_;
    std::vector<QStringList> openings_;  // per key: key, kind (piece, whole, short), join (J, j, -), opening

  private slots:
    void initTestCase() {
        std::string error;
        shipped_ = loadAllParagraphs(kSourceDir / "data" / "interpretation", error).value_or(ParagraphSet{});
        QVERIFY2(!shipped_.empty(), error.c_str());
        for (const std::string stem : {"cycle-de-vie", "jupiter", "saturne"}) {
            std::ifstream in(kSourceDir / "tests" / "data" / ("openings-" + stem + ".tsv"));
            for (std::string line; std::getline(in, line);) {
                const QStringList fields = QString::fromStdString(line).split('\t');
                if (fields.size() == 4 && !line.starts_with('#')) {
                    openings_.push_back(fields);
                }
            }
        }
        QCOMPARE(shipped_.size(), openings_.size());  // with a text for each key below: the same keys
        for (const Mend& mend : kMends) {             // and every mend names a key of the table
            for (const QString& key : QString(mend.key).split(' ')) {
                QVERIFY2(
                    std::ranges::any_of(openings_, [&](const QStringList& row) { return row[0] == key; }),
                    mend.key);
            }
        }
    }

    // Accepted content as "key=text|..."; refused content as its message from the line number on.
    void parses_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("expected");
        const QString utf8 = "le texte n'est pas en UTF-8 valide.";
        QTest::newRow("empty file") << QByteArray() << QString();
        QTest::newRow("byte order mark, comments, blank lines, no final newline")
            << QByteArray("\xEF\xBB\xBFI2\tz\n# note\n\n   \r\n#\tX\tY\nC0\tNo #1\nI4\tFin.  \r\nL1\t\nB\ty")
            << "B=y|C0=No #1|I2=z|I4=Fin.  |L1=";
        QTest::newRow("no tab: indented comment")
            << QByteArray("I\ta\n  # x") << "2 : il manque la tabulation entre la clé et le texte.";
        QTest::newRow("empty key") << QByteArray("\n\n\ttexte\n") << "3 : la clé est vide.";
        QTest::newRow("twice") << QByteArray("I\ta\n#\nI\tb") << "3 : la clé « I » figure déjà à la ligne 1.";
        QTest::newRow("accent in key")
            << QByteArray("clé\ta\n")
            << "1 : la clé ne doit contenir que des lettres sans accent, des chiffres et des tirets.";
        QTest::newRow("tabs") << QByteArray("I\t\t") << "1 : une seconde tabulation se trouve dans le texte.";
        QTest::newRow("control") << QByteArray("I\ta\x01b")
                                 << "1 : le texte contient un caractère de contrôle.";
        QTest::newRow("Latin-1 e acute") << QByteArray("I1\tt\xE9t\xE9\n") << "1 : " + utf8;
    }
    void parses() {
        QFETCH(QByteArray, content);
        QFETCH(QString, expected);
        std::string error;
        const auto set = parseParagraphText(content.toStdString(), "essai.txt", error);
        QStringList pieces;
        for (const auto& [key, text] : set.value_or(ParagraphSet{})) {
            pieces << QString::fromStdString(key + "=" + text);
        }
        QCOMPARE(set ? pieces.join('|') : QString::fromStdString(error).section("essai.txt », ligne ", 1),
                 expected);
    }

    // A key found in two files is refused; a missing file, or a folder, is named.
    void refusesFilesOnDisk() {
        QTemporaryDir dir;
        std::ofstream(dir.filePath("cycle-de-vie.txt").toStdString()) << "I1\tun\n";
        std::ofstream(dir.filePath("jupiter.txt").toStdString()) << "I1\tdeux\n";
        std::string error;
        QVERIFY(!loadAllParagraphs(dir.path().toStdString(), error));
        QCOMPARE(QString::fromStdString(error), "Fichier de textes « " + dir.filePath("jupiter.txt") +
                                                    " » : la clé « I1 » figure déjà dans un autre fichier.");
        QVERIFY(!loadParagraphFile(dir.filePath("absent.txt").toStdString(), error));
        QVERIFY2(QString::fromStdString(error).endsWith("absent.txt » introuvable."), error.c_str());
        QVERIFY(!loadParagraphFile(dir.path().toStdString(), error));
    }

    // A piece starts with its opening, mended, and holds 100 to 1000 characters; a whole text is its opening
    // (a joined one may add its joining blank). A piece joined to the next ("J") ends in punctuation
    // and one blank, one followed by a blank ("j") in punctuation alone.
    void shippedPieceMatchesItsOpening_data() {
        QTest::addColumn<QStringList>("row");
        for (const QStringList& row : openings_) {
            QTest::newRow(qPrintable(row[0])) << row;
        }
    }
    void shippedPieceMatchesItsOpening() {
        QFETCH(QStringList, row);
        const QString &kind = row[1], &join = row[2], opening = mendedOpening(row[0], row[3]);
        const std::string text = paragraph(shipped_, row[0].toStdString());
        const QString piece = QString::fromStdString(text);
        QCOMPARE(std::ranges::count(shipped_, text, &ParagraphSet::value_type::second),
                 1);  // present, and only once
        QVERIFY2(!piece.contains("  "), "two blanks in a row");
        const bool addedBlank = join == "J" && !opening.endsWith(' ') && piece.endsWith(' ');
        QCOMPARE(kind == "piece" ? piece.left(opening.size()) : piece.chopped(addedBlank ? 1 : 0), opening);
        const auto characters = piece.toUcs4().size();
        QVERIFY2(kind != "piece" || (characters >= 100 && characters <= 1000), qPrintable(piece));
        const QString end = join != "j" && piece.endsWith(' ') ? piece.chopped(1) : piece;
        QVERIFY2((join != "J" || piece.endsWith(' ')) &&
                     ((join == "-" && kind != "piece") || QStringLiteral(".!?…»").contains(end.back())),
                 "needs punctuation, and a blank to join the next piece");
    }
};

QTEST_GUILESS_MAIN(ParagraphsTest)
#include "test_paragraphs.moc"
