#include <QTemporaryDir>
#include <QtTest>
#include <fstream>
#include <random>

#include "app/data_folder.h"
#include "app/person_file.h"

using namespace selenarc;
namespace fs = std::filesystem;

namespace {

QByteArray bytesOf(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return QByteArray::fromStdString({std::istreambuf_iterator<char>(in), {}});
}

QByteArray encoded(const PersonRecord& person) {
    return QByteArray::fromStdString(encodePersonFile(person));
}

void writeBytes(const fs::path& file, std::string_view bytes) {
    std::ofstream(file, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

PersonRecord named(const std::string& first, const std::string& last) {
    PersonRecord person;
    person.t_prenom = first;
    person.t_nom = last;
    return person;
}

// One text routine by name, its result as bytes. "read" applies a file's lines onto a record whose
// date and time are empty and zone is 7, and gives Text1|Text2|zone|date0|name0|date1|name1|date11|name11.
QByteArray run(const QString& routine, const QByteArray& input) {
    const std::string text = input.toStdString();
    if (routine == "clean") {
        return QByteArray::fromStdString(cleanPersonName(text));
    }
    if (routine == "split") {
        const auto parts = splitPersonFileName(text);
        return parts ? QByteArray::fromStdString(parts->first + "|" + parts->last) : "-";
    }
    if (routine == "to1252") {
        return QByteArray::fromStdString(utf8ToWindows1252(text));
    }
    if (routine == "toUtf8") {
        return QByteArray::fromStdString(windows1252ToUtf8(text));
    }
    PersonRecord p = named("", "");
    p.Text1 = p.Text2 = "";
    p.timeZoneRow = 7;
    applyPersonFileContent(text, p);
    std::string line = p.Text1 + "|" + p.Text2 + "|" + std::to_string(p.timeZoneRow);
    for (int row : {0, 1, 11}) {
        line += "|" + p.events[row].date + "|" + p.events[row].name;
    }
    return QByteArray::fromStdString(line);
}

// A row whose tag starts with the routine's name: "clean: blank".
void add(const char* tag, const QByteArray& input, const QByteArray& expected) {
    QTest::newRow(tag) << input << expected;
}

}  // namespace

class PersonFileTest : public QObject {
    Q_OBJECT
  private slots:
    void texts_data() {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QByteArray>("expected");
        add("clean: blank to underscore", "Jean Pierre", "Jean_Pierre");
        add("clean: hyphen and ten accents", "Dupont-Martin éèçàùêâûôî", "Dupont-Martin_éèçàùêâûôî");
        add("clean: apostrophe", "D'Arc", "DArc");
        add("clean: other accents", "ZoëÉmile", "Zomile");
        add("clean: digits, separators, scripts", "Jo3_a.b#c;d/e\\f\tŁ😀", "Joabcdef");
        add("split: example", "Jean_Pierre#Dupont.atl", "Jean_Pierre|Dupont");
        add("split: empty names", "#.atl", "|");
        add("split: no hash", "Dupont.atl", "-");
        add("split: temporary", "a#b.atl.tmp", "-");
        add("split: upper-case extension", "a#b.ATL", "a|b");
        add("split: dot in last", "a#b.c.atl", "a|b");
        add("split: dot before hash", "a.b#c.atl", "a.b|c");
        add("split: second hash", "a#b#c.atl", "a|b#c");
        add("to1252: latin-1, euro, ligatures", "éÿÀ€œŒŸ", "\xE9\xFF\xC0\x80\x9C\x8C\x9F");
        add("toUtf8: latin-1, euro, ligatures", "\xE9\xFF\xC0\x80\x9C\x8C\x9F", "éÿÀ€œŒŸ");
        add("to1252: no form in the code page", "Ł😀", "??");
        add("to1252: truncated sequence", "a\xC3", "a?");
        add("to1252: overlong", "\xC0\xAF", "??");
        add("to1252: surrogate", "\xED\xA0\x80", "???");
        add("read: upper-case keys", "DNA=02/02/1960\r\nHNA=08h15\r\nFUS=3\r\nE-D=01/01/2000\r\nE-N=Paul\r\n",
            "02/02/1960|08h15|3|01/01/2000|Paul||||");
        add("read: lower-case keys", "dna=02/02/1960\r\nhNa=08h15\r\nfus=25\r\ne-d=x\r\ne-n=y\r\n",
            "02/02/1960|08h15|25|x|y||||");
        add("read: bad zones ignored", "FUS=26\nFUS=abc\nFUS=99999999999999999999\nFUS=-1\n", "||7||||||");
        add("read: short lines, name before date", "DN\r\nE-\r\n\r\nE-N=lost\r\nE-D=a\r\n", "||7|a|||||");
        add("read: untrimmed, equals kept", "DNA= 1/1 \r\nE-D=d\r\nE-N=a=b\r\n", " 1/1 ||7|d|a=b||||");
        add("read: LF only, no final break", "DNA=a\nHNA=b\nE-D=c\nE-N=d", "a|b|7|c|d||||");
        add("read: windows-1252 value", "E-D=\r\nE-N=H\xE9l\xE8ne \x80\x81\r\n", "||7||Hélène €\uFFFD||||");
        QByteArray thirteen;
        for (int i = 0; i < 13; ++i) {
            thirteen += "E-D=d" + QByteArray::number(i) + "\r\nE-N=n" + QByteArray::number(i) + "\r\n";
        }
        add("read: rows beyond the twelfth", thirteen, "||7|d0|n0|d1|n1|d11|n11");
    }
    void texts() {
        QFETCH(QByteArray, input);
        QFETCH(QByteArray, expected);
        QCOMPARE(run(QString(QTest::currentDataTag()).section(':', 0, 0), input), expected);
    }

    // Every byte decodes to valid UTF-8 and comes back, except the five the code page leaves undefined.
    void everyByteDecodes() {
        for (int b = 0; b < 256; ++b) {
            const std::string byte(1, static_cast<char>(b));
            const QByteArray utf8 = QByteArray::fromStdString(windows1252ToUtf8(byte));
            QCOMPARE(QString::fromUtf8(utf8).toUtf8(), utf8);  // valid UTF-8 survives Qt's decoder
            const bool undefined = b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D;
            QCOMPARE(run("to1252", utf8), QByteArray::fromStdString(undefined ? std::string("?") : byte));
        }
    }

    void encoding() {
        std::string rows;
        for (int i = 0; i < 12; ++i) {
            rows += "E-D=\r\nE-N=\r\n";
        }
        QCOMPARE(encoded(named("Jean", "Dupont")),
                 QByteArray::fromStdString("DNA=01/01/1950\r\nHNA=12h00\r\nFUS=13\r\n" + rows));
        // Trimmed, in Windows-1252, and a line break inside a name does not split its line.
        PersonRecord person = named("", "");
        person.Text1 = " 1/1/50 ";
        person.Text2 = "8h ";
        person.timeZoneRow = 0;
        person.events[0] = {"02/03/1980", "Hélène €"};
        person.events[11] = {" 05/06/2000 ", " Zoë\r\nx "};
        rows.replace(0, 12, "E-D=02/03/1980\r\nE-N=H\xE9l\xE8ne \x80\r\n");
        rows.replace(rows.size() - 12, 12, "E-D=05/06/2000\r\nE-N=Zo\xEB  x\r\n");
        QCOMPARE(encoded(person), QByteArray::fromStdString("DNA=1/1/50\r\nHNA=8h\r\nFUS=0\r\n" + rows));
    }

    // Save (twice: the second replaces the first) then read back: the file has the expected name and
    // every line and the names survive.
    void roundTrip_data() {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("last");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("namesBack");
        QTest::newRow("Jean Pierre Dupont") << QString("Jean Pierre") << QString("Dupont")
                                            << QString("Jean_Pierre#Dupont.atl") << "Jean Pierre|Dupont";
        QTest::newRow("trimmed, cleaned")
            << QString("  Zoë ") << QString("\tD'Arc ") << QString("Zo#DArc.atl") << "Zo|DArc";
        QTest::newRow("empty names") << QString() << QString() << QString("#.atl") << "|";
    }
    void roundTrip() {
        QFETCH(QString, first);
        QFETCH(QString, last);
        QFETCH(QString, file);
        QFETCH(QString, namesBack);
        QTemporaryDir dir;
        const DataFolder folder{dir.path().toStdString(), true};
        PersonRecord person = named(first.toStdString(), last.toStdString());
        person.timeZoneRow = 25;
        QVERIFY(savePersonFile(person, folder, [](const Message&) {}));
        person.Text1 = "29/02/1952";
        for (int i = 0; i < PersonRecord::kEventRows; ++i) {
            person.events[i] = {std::to_string(i + 10) + "/01/1960",
                                "Père n°" + std::to_string(i) + " œuvre à 5 €"};
        }
        std::vector<Message> log;
        QVERIFY(savePersonFile(person, folder, [&log](const Message& m) { log.push_back(m); }));
        QCOMPARE(log.size(), std::size_t(1));
        QCOMPARE(QString::fromStdString(log[0].title + "|" + log[0].text),
                 "Enregistrement|Enregistrement effectué");
        QCOMPARE(log[0].icon, MessageIcon::Information);
        QCOMPARE(std::distance(fs::directory_iterator(folder.path), fs::directory_iterator()),
                 std::ptrdiff_t(1));

        const fs::path saved = folder.path / pathFromUtf8(file.toStdString());
        QCOMPARE(bytesOf(saved), encoded(person));
        std::string error;
        const auto back = readPersonFile(saved, error);
        QVERIFY2(back.has_value(), error.c_str());
        QCOMPARE(QString::fromStdString(back->t_prenom + "|" + back->t_nom), namesBack);
        QCOMPARE(encoded(*back), encoded(person));
    }

    // A failed save names the file and leaves the earlier file byte for byte.
    void failedSave_data() {
        QTest::addColumn<QString>("obstacle");  // a folder in the way, a data folder that is a file, or none
        QTest::addColumn<QString>("mentioned");
        QTest::newRow("temporary place taken by a folder")
            << QString("Jean#Dupont.atl.tmp") << "Jean#Dupont.atl";
        QTest::newRow("folder where the file goes") << QString("Jean#Dupont.atl") << "Jean#Dupont.atl";
        QTest::newRow("data folder is a file") << QString("notafolder") << "notafolder";
        QTest::newRow("no data folder at start-up") << QString("unusable") << "n'a pas pu être créé";
    }
    void failedSave() {
        QFETCH(QString, obstacle);
        QFETCH(QString, mentioned);
        QTemporaryDir dir;
        const fs::path root = dir.path().toStdString();
        DataFolder folder{root, obstacle != "unusable"};
        const std::string earlier = "DNA=01/01/1950\r\n";
        writeBytes(root / "Jean#Dupont.atl", earlier);
        if (obstacle == "notafolder") {
            writeBytes(root / "notafolder", "x");
            folder.path = root / "notafolder";
        } else if (obstacle.contains(".atl")) {
            fs::remove(root / obstacle.toStdString());
            fs::create_directory(root / obstacle.toStdString());
        }
        std::vector<Message> log;
        QVERIFY(
            !savePersonFile(named("Jean", "Dupont"), folder, [&log](const Message& m) { log.push_back(m); }));
        QCOMPARE(log.size(), std::size_t(1));
        QCOMPARE(QString::fromStdString(log[0].title), "Erreur");
        QCOMPARE(log[0].icon, MessageIcon::Exclamation);
        QVERIFY2(QString::fromStdString(log[0].text).contains(mentioned), log[0].text.c_str());
        if (fs::is_regular_file(root / "Jean#Dupont.atl")) {
            QCOMPARE(bytesOf(root / "Jean#Dupont.atl"), QByteArray::fromStdString(earlier));
        }
        QCOMPARE(fs::exists(root / "Jean#Dupont.atl.tmp"), obstacle.endsWith(".tmp"));
    }

    void unreadableFiles_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("size");  // -1: none, -2: a folder
        QTest::addColumn<QString>("error");
        QTest::newRow("missing") << QString("a#b.atl") << -1 << "introuvable";
        QTest::newRow("folder") << QString("a#b.atl") << -2 << "dossier";
        QTest::newRow("too large") << QString("a#b.atl") << int(kMaxPersonFileBytes) + 1 << "volumineux";
        QTest::newRow("at the limit") << QString("a#b.atl") << int(kMaxPersonFileBytes) << "";
        QTest::newRow("no hash") << QString("ab.atl") << 10 << "Prénom#Nom.atl";
    }
    void unreadableFiles() {
        QFETCH(QString, name);
        QFETCH(int, size);
        QFETCH(QString, error);
        QTemporaryDir dir;
        const fs::path file = fs::path(dir.path().toStdString()) / name.toStdString();
        if (size == -2) {
            fs::create_directory(file);
        } else if (size >= 0) {
            writeBytes(file, std::string(static_cast<std::size_t>(size), 'x'));
        }
        std::string message;
        QCOMPARE(readPersonFile(file, message).has_value(), error.isEmpty());
        QVERIFY2(QString::fromStdString(message).contains(error), message.c_str());
    }

    // Every truncation and random noise load without a crash and keep the record's shape.
    void damagedFiles() {
        PersonRecord full = named("a", "b");
        full.Text1 = "03/04/1971";
        full.events[3] = {"01/02/2003", "Hélène"};
        const std::string whole = encodePersonFile(full);
        for (std::size_t length = 0; length <= whole.size(); ++length) {
            PersonRecord person;
            applyPersonFileContent(whole.substr(0, length), person);
            QVERIFY(person.Text1 == "01/01/1950" || full.Text1.starts_with(person.Text1));
            QVERIFY(full.events[3].name.starts_with(person.events[3].name));
            QVERIFY(length < whole.size() || encoded(person) == encoded(full));
        }
        std::mt19937 random(1);
        for (int attempt = 0; attempt < 3; ++attempt) {
            std::string noise(static_cast<std::size_t>(random() % 4000), '\0');
            for (char& c : noise) {
                c = static_cast<char>(random() % 8 == 0 ? "\r\nE-D=FUS"[random() % 9] : random());
            }
            PersonRecord person;
            applyPersonFileContent(noise, person);
            QVERIFY(person.timeZoneRow >= 0 && person.timeZoneRow <= 25);
            QVERIFY(encodePersonFile(person).size() >= 27 * 6);
        }
    }

    // Sorted without regard to case or accents; only "*.atl" files with a "#".
    void listing() {
        QTemporaryDir dir;
        const fs::path root = dir.path().toStdString();
        for (const char* name : {"Zoé#Martin.atl", "émile#Durand.atl", "adam#Smith.atl", "Bob#a_b.atl",
                                 "NoHash.atl", "x#y.txt", "#.atl", "Jean#Dupont.atl.tmp"}) {
            writeBytes(root / pathFromUtf8(name), "DNA=\r\n");
        }
        fs::create_directory(root / "Dir#Dir.atl");
        QStringList shown;
        for (const auto& entry : listPersonFiles(root)) {
            shown << QString::fromStdString(entry.display + "|" + entry.fileName);
        }
        QCOMPARE(shown, QStringList({" |#.atl", "adam Smith|adam#Smith.atl", "Bob a b|Bob#a_b.atl",
                                     "émile Durand|émile#Durand.atl", "Zoé Martin|Zoé#Martin.atl"}));
        QVERIFY(listPersonFiles(root / "missing").empty());
    }

    void dataFolder_data() {
        QTest::addColumn<QString>("base");  // relative to a temporary folder, "*" being a file
        QTest::addColumn<QString>("folder");
        QTest::addColumn<bool>("usable");
        QTest::newRow("missing parents created") << QString("user/deep") << "user/deep/selenarc" << true;
        QTest::newRow("blank base") << QString("   ") << "program/selenarc" << true;
        QTest::newRow("base under a file") << QString("*/below") << "program/selenarc" << true;
        QTest::newRow("nothing can be created") << QString("*") << "*/selenarc" << false;
    }
    void dataFolder() {
        QFETCH(QString, base);
        QFETCH(QString, folder);
        QFETCH(bool, usable);
        QTemporaryDir dir;
        const fs::path root = dir.path().toStdString();
        writeBytes(root / "*", "x");
        const std::string baseText =
            base.trimmed().isEmpty() ? base.toStdString() : (root / base.toStdString()).string();
        const DataFolder made = prepareDataFolder(baseText, usable ? root / "program" : root / "*");
        QCOMPARE(made.usable, usable);
        QCOMPARE(QString::fromStdString(made.path.string()),
                 QString::fromStdString((root / folder.toStdString()).string()));
        QCOMPARE(fs::is_directory(made.path), usable);
    }
};

QTEST_GUILESS_MAIN(PersonFileTest)
#include "test_person_file.moc"
