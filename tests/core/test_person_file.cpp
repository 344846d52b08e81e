#include <QTemporaryDir>
#include <QtTest>
#include <fstream>

#include "app/person_file.h"
#include "app/person_file_save.h"
#include "app/person_file_storage.h"

using namespace selenarc;
namespace fs = std::filesystem;
using namespace Qt::StringLiterals;

namespace {

std::string bytesOf(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void writeBytes(const fs::path& file, std::string_view bytes) {
    std::ofstream(file, std::ios::binary) << bytes;
}

void add(const char* tag, const QByteArray& input, const QByteArray& expected) {
    QTest::newRow(tag) << input << expected;
}

}  // namespace

class PersonFileTest : public QObject {
    Q_OBJECT
    std::optional<QTemporaryDir> dir_;
    fs::path root_;  // an empty folder for each test row

  private slots:
    void init() { root_ = dir_.emplace().path().toStdString(); }

    void texts_data() {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QByteArray>("expected");
        add("clean: hyphen and ten accents", "Dupont-Martin éèçàùêâûôî", "Dupont-Martin_éèçàùêâûôî");
        add("clean: dropped characters", "D'Arc Zoë Émile 3_.#😀", "DArc_Zo_mile_");
        add("to1252: latin-1, euro, ligatures", "éÿÀ€œŒŸ", "\xE9\xFF\xC0\x80\x9C\x8C\x9F");
        add("to1252: no form, overlong, surrogate, cut", "Ł😀\xC0\xAF\xED\xA0\x80\x61\xC3", "???????a?");
        add("read: keys in any case", "DNA=02/02/1960\r\nhNa=08h15\r\nfus=25\r\ne-d=x\r\nE-N=y\r\n",
            "02/02/1960|08h15|25|x|y||");
        add("read: bad zones ignored", "FUS=26\nFUS=abc\nFUS=99999999999999999999\nFUS=-1\n", "||7||||");
        add("read: LF only, untrimmed, cut last line dropped", "DNA= 1/1 \nE-D=d\nE-N=a=b", " 1/1 ||7|d|||");
    }
    // The routine named before the tag's ":". "read" applies the lines onto a record with empty date
    // and time and zone 7, and gives date|time|zone|date0|name0|date11|name11.
    void texts() {
        QFETCH(QByteArray, input);
        QFETCH(QByteArray, expected);
        const QString routine = QString(QTest::currentDataTag()).section(':', 0, 0);
        const std::string text = input.toStdString();
        PersonRecord p{"", "", "", "", 7, {}, {}, HourChoice::None};
        applyPersonFileContent(text, p);
        const std::string read = p.birthDate + "|" + p.birthTime + "|" + std::to_string(p.timeZoneRow) + "|" +
                                 p.events[0].date + "|" + p.events[0].name + "|" + p.events[11].date + "|" +
                                 p.events[11].name;
        const std::map<QString, std::string> got{
            {"clean", cleanPersonName(text)}, {"to1252", utf8ToWindows1252(text)}, {"read", read}};
        QCOMPARE(QByteArray::fromStdString(got.at(routine)), expected);
    }

    // The default record with its last row filled: values trimmed, in Windows-1252 as before, a line
    // break inside a name kept on its line.
    void windows1252File() {
        PersonRecord person;
        person.events[11] = {" 05/06/2000 ", " Zoë\r\nx "};
        QCOMPARE(QByteArray::fromStdString(encodePersonFile(person)),
                 "DNA=01/01/1950\r\nHNA=12h00\r\nFUS=13\r\n" + QByteArray("E-D=\r\nE-N=\r\n").repeated(11) +
                     "E-D=05/06/2000\r\nE-N=Zo\xEB  x\r\n");
    }

    // Names a file name cannot keep are refused; values beyond Windows-1252 make a UTF-8 file (after a
    // byte-order mark) that reads back exactly; every other file stays in Windows-1252.
    void encoding_data() {
        QTest::addColumn<QByteArray>("name");   // of row 0
        QTest::addColumn<QByteArray>("start");  // the file's first bytes ("" for the Windows-1252 header)
        add("euro and ligature stay in Windows-1252", "€ Œuvre", "");
        add("emoji", "Léa 😀", "\xEF\xBB\xBF");
        add("Windows-1252 bytes that would read as UTF-8", "MariÃ©e", "\xEF\xBB\xBF");
    }
    void encoding() {
        QFETCH(QByteArray, name);
        QFETCH(QByteArray, start);
        PersonRecord person;
        person.events[0] = {"01/02/2003", name.toStdString()};
        const std::string bytes = encodePersonFile(person);
        QVERIFY(QByteArray::fromStdString(bytes).startsWith(start.isEmpty() ? "DNA=01/01/1950" : start));
        PersonRecord back;
        const PersonFileReading reading = applyPersonFileContent(bytes, back);
        QVERIFY(reading.readable && reading.problems.empty());
        QCOMPARE(QByteArray::fromStdString(back.events[0].name), name);
    }

    // The place after the 27 lines: written only when there is one, the choice of a repeated hour only
    // when one was made; read back the same, in Windows-1252 when it fits.
    void placeLines_data() {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("choice");  // HourChoice
        QTest::addColumn<QByteArray>("tail");
        QTest::newRow("no place") << 0 << QString() << 0 << QByteArray("E-N=\r\n");
        QTest::newRow("place") << 2980291 << u"Saint-Étienne (Loire, France)"_s << 0
                               << QByteArray("E-N=\r\nLIE=2980291;Saint-\xC9tienne (Loire, France)\r\n");
        QTest::newRow("summer") << 2988507 << u"Paris (Paris, France)"_s << int(HourChoice::Summer)
                                << QByteArray("LIE=2988507;Paris (Paris, France)\r\nHEU=ete\r\n");
        QTest::newRow("winter, beyond Windows-1252")
            << 3093133 << u"Łódź (Łódź, Pologne)"_s << int(HourChoice::Winter)
            << QByteArray(
                   "\xC5\xBA"
                   ", Pologne)\r\nHEU=hiver\r\n");
    }
    void placeLines() {
        QFETCH(int, id);
        QFETCH(QString, name);
        QFETCH(int, choice);
        QFETCH(QByteArray, tail);
        PersonRecord person;
        person.birthPlace = {std::uint32_t(id), name.toStdString()};
        person.repeatedHour = HourChoice(choice);
        const std::string bytes = encodePersonFile(person);
        QVERIFY2(QByteArray::fromStdString(bytes).endsWith(tail), bytes.c_str());
        PersonRecord back;
        const PersonFileReading reading = applyPersonFileContent(bytes, back);
        QVERIFY(reading.problems.empty());
        QCOMPARE(back.birthPlace, person.birthPlace);
        QCOMPARE(back.repeatedHour, person.repeatedHour);
    }

    // What a damaged or foreign file gives: "value of Text1|name of row 0|zone|problems" when it is read,
    // "refused: problem" when it is no person file.
    void damagedFiles_data() {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QString>("expected");
        const QByteArray whole = QByteArray::fromStdString(encodePersonFile(PersonRecord{}));
        QTest::newRow("byte-order mark") << "\xEF\xBB\xBF" + whole << "01/01/1950||13|";
        QTest::newRow("Windows-1252 text") << QByteArray(whole).replace("E-N=\r\n",
                                                                        "E-N=Mari\xE9"
                                                                        "e\r\n")
                                           << "01/01/1950|Mariée|13|";
        QTest::newRow("zone 26") << QByteArray(whole).replace("FUS=13", "FUS=26")
                                 << "01/01/1950||7|ligne 3 : fuseau horaire « 26 » hors de 0 à 25, ignoré";
        QTest::newRow("cut in a line")
            << whole.left(60) << "01/01/1950||13|ligne 8 : le fichier s'arrête au milieu de cette ligne";
        QTest::newRow("place without its identifier")
            << whole + "LIE=Lyon\r\n"
            << "01/01/1950||13|ligne 28 : lieu « Lyon » illisible, ignoré";
        QTest::newRow("unknown reading of the hour") << whole + "HEU=midi\r\n"
                                                     << "01/01/1950||13|ligne 28 : heure répétée « midi »";
        QTest::newRow("thirteen rows") << whole + "E-D=x\r\nE-N=y\r\n"
                                       << "01/01/1950||13|ligne 28 : plus de 12";
        QTest::newRow("binary") << "DNA=01/01/1950\r\n\x7F"
                                   "ELF\x02\x01" +
                                       whole
                                << "refused: ligne 2 : octets binaires";
        QTest::newRow("empty") << QByteArray() << "refused: le fichier est vide";
        QTest::newRow("another text") << QByteArray("Bonjour\r\n") << "refused: aucune ligne DNA=";
    }
    void damagedFiles() {
        QFETCH(QByteArray, input);
        QFETCH(QString, expected);
        PersonRecord p{"", "", "", "", 7, {}, {}, HourChoice::None};
        const PersonFileReading reading = applyPersonFileContent(input.toStdString(), p);
        const QString problem =
            reading.problems.empty() ? QString() : QString::fromStdString(reading.problems[0]);
        const QString got = reading.readable
                                ? QString::fromStdString(p.birthDate + "|" + p.events[0].name + "|" +
                                                         std::to_string(p.timeZoneRow) + "|") +
                                      problem
                                : "refused: " + problem;
        QVERIFY2(got.startsWith(expected), qPrintable(got));
        QCOMPARE(reading.problems.size(), std::size_t(expected.endsWith('|') ? 0 : 1));
        const std::string message = personFileProblemText("F#o.atl", reading);
        QVERIFY(expected.endsWith('|') || (message.starts_with("Le fichier « F#o.atl » ") &&
                                           message.find(problem.toStdString()) != std::string::npos));
    }

    // "&Sauvegarder" over what lies at the file's place (the row's start): the question asked, whether
    // it saved, the message, and what the file holds afterwards.
    void save_data() {
        QTest::addColumn<int>("questions");
        QTest::addColumn<bool>("saved");
        QTest::addColumn<QString>("mentioned");  // in the one message; "" for none
        QTest::newRow("nothing there") << 0 << true << "Enregistrement effectué";
        QTest::newRow("same birth date") << 0 << true << "Enregistrement effectué";
        QTest::newRow("other birth date, yes") << 1 << true << "Enregistrement effectué";
        QTest::newRow("other birth date, no") << 1 << false << "";
        QTest::newRow("own file, other birth date") << 0 << true << "Enregistrement effectué";
        QTest::newRow("own file changed since, no") << 1 << false << "";
        QTest::newRow("folder") << 0 << false << "n'est pas un fichier ordinaire";
        QTest::newRow("changed during the write") << 0 << false << "a changé pendant l'écriture";
        QTest::newRow("replaced after the write") << 0 << false << "remplacé par un autre enregistrement";
        QTest::newRow("Greek first name") << 0 << false
                                          << "le prénom « Jean Σω » contient des caractères "
                                             "qu'un nom de fiche ne peut pas garder : « Σ », « ω »";
        QTest::newRow("no data folder") << 0 << false << "n'a pas pu être créé";
    }
    void save() {
        QFETCH(int, questions);
        QFETCH(bool, saved);
        QFETCH(QString, mentioned);
        const QString row = QTest::currentDataTag();
        const fs::path target = root_ / "Jean_Pierre#Dupont.atl";
        PersonRecord person{"Jean Pierre", "Dupont", "29/02/1952", "12h00", 25, {}, {}, HourChoice::None};
        PersonRecord other = person;
        const bool sameDate =
            row.startsWith("same") || row.startsWith("changed") || row.startsWith("replaced");
        other.birthDate = sameDate ? "29/02/1952" : "01/01/1950";
        other.events[0].name = "Autre";
        const std::string before = row == "nothing there" ? "" : encodePersonFile(other);
        if (row == "folder") {
            fs::create_directory(target);
        } else if (!before.empty()) {
            writeBytes(target, before);
        }
        if (row.startsWith("Greek")) {
            person.firstName = "Jean Σω";
        }
        int asked = 0;
        PersonFileSaving saving;
        saving.ask = [&](const Message& m) {
            ++asked;
            return m.text.find("Remplacer") != std::string::npos && row.endsWith("yes");
        };
        if (row.startsWith("own file")) {
            saving.opened(target, row.contains("changed") ? std::string("DNA=\r\n") : before);
        }
        saving.replaceFile = [&](const fs::path& file, std::string_view bytes,
                                 const std::function<bool()>& unchanged) {
            if (row.startsWith("changed")) {
                writeBytes(file, "DNA=\r\n");
            }
            if (!unchanged()) {
                return std::string("le fichier a changé pendant l'écriture");
            }
            writeBytes(file, row.startsWith("replaced") ? std::string_view("DNA=\r\n") : bytes);
            return std::string();
        };
        std::vector<Message> log;
        const DataFolder folder{root_, row != "no data folder"};
        QCOMPARE(savePersonFile(
                     person, folder, [&log](const Message& m) { log.push_back(m); }, saving),
                 saved);
        QCOMPARE(asked, questions);
        QCOMPARE(log.size(), std::size_t(mentioned.isEmpty() ? 0 : 1));
        if (!log.empty()) {
            QVERIFY2(QString::fromStdString(log[0].text).contains(mentioned), log[0].text.c_str());
            QCOMPARE(log[0].icon, saved ? MessageIcon::Information : MessageIcon::Exclamation);
        }
        if (saved) {
            QCOMPARE(bytesOf(target), encodePersonFile(person));
        } else if (row.contains(", no")) {
            QCOMPARE(bytesOf(target), before);
        }
    }
};

QTEST_GUILESS_MAIN(PersonFileTest)
#include "test_person_file.moc"
