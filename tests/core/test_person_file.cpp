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
QString text(const fs::path& path) {
    return QString::fromStdString(path.string());
}

void writeBytes(const fs::path& file, std::string_view bytes) {
    std::ofstream(file, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// The loaded fields in one line, to compare a whole record at once.
QString summary(const PersonRecord& p) {
    QStringList parts{QString::fromStdString(p.Text1), QString::fromStdString(p.Text2),
                      QString::number(p.timeZoneRow)};
    for (int row : {0, 1, 11}) {
        parts << QString::fromStdString(p.events[row].date) << QString::fromStdString(p.events[row].name);
    }
    return parts.join('|');
}

const std::string kEmptyRows = [] {
    std::string rows;
    for (int i = 0; i < 12; ++i) {
        rows += "E-D=\r\nE-N=\r\n";
    }
    return rows;
}();

PersonRecord namedPerson(const std::string& first, const std::string& last) {
    PersonRecord person;
    person.t_prenom = first;
    person.t_nom = last;
    return person;
}

struct MessageLog {
    std::vector<Message> messages;
    MessageSink sink() {
        return [this](const Message& m) { messages.push_back(m); };
    }
};

}  // namespace

class PersonFileTest : public QObject {
    Q_OBJECT
  private slots:
    void cleaning_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("cleaned");
        QTest::newRow("blank to underscore") << "Jean Pierre"
                                             << "Jean_Pierre";
        QTest::newRow("apostrophe dropped") << "D'Arc"
                                            << "DArc";
        QTest::newRow("ten accents kept") << "éèçàùêâûôî"
                                          << "éèçàùêâûôî";
        QTest::newRow("underscore dropped") << "Anne_Marie"
                                            << "AnneMarie";
        QTest::newRow("separators dropped") << "a.b#c;d/e\\f"
                                            << "abcdef";
        QTest::newRow("digits and tab dropped") << "Jo3\tX"
                                                << "JoX";
        QTest::newRow("other scripts dropped") << "Łukasz😀é"
                                               << "ukaszé";
    }
    void cleaning() {
        QFETCH(QString, name);
        QFETCH(QString, cleaned);
        QCOMPARE(QString::fromStdString(cleanPersonName(name.toStdString())), cleaned);
    }

    void splitNames_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("listed");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("last");
        QTest::newRow("example") << "Jean_Pierre#Dupont.atl" << true << "Jean_Pierre"
                                 << "Dupont";
        QTest::newRow("empty names") << "#.atl" << true << ""
                                     << "";
        QTest::newRow("no hash") << "Dupont.atl" << false << ""
                                 << "";
        QTest::newRow("temporary") << "a#b.atl.tmp" << false << ""
                                   << "";
        QTest::newRow("upper-case extension") << "a#b.ATL" << true << "a"
                                              << "b";
        QTest::newRow("dot in last") << "a#b.c.atl" << true << "a"
                                     << "b";
        QTest::newRow("dot before hash") << "a.b#c.atl" << true << "a.b"
                                         << "c";
        QTest::newRow("second hash") << "a#b#c.atl" << true << "a"
                                     << "b#c";
    }
    void splitNames() {
        QFETCH(QString, file);
        QFETCH(bool, listed);
        QFETCH(QString, first);
        QFETCH(QString, last);
        const auto parts = splitPersonFileName(file.toStdString());
        QCOMPARE(parts.has_value(), listed);
        if (parts) {
            QCOMPARE(QString::fromStdString(parts->first), first);
            QCOMPARE(QString::fromStdString(parts->last), last);
        }
    }

    void codec_data() {
        QTest::addColumn<QByteArray>("utf8");
        QTest::addColumn<QByteArray>("windows1252");
        QTest::addColumn<bool>("reversible");
        QTest::newRow("latin-1 letters") << QByteArray("éÿÀ") << QByteArray("\xE9\xFF\xC0") << true;
        QTest::newRow("euro and ligatures") << QByteArray("€œŒŸ") << QByteArray("\x80\x9C\x8C\x9F") << true;
        QTest::newRow("no form in the code page") << QByteArray("Ł😀") << QByteArray("??") << false;
        QTest::newRow("truncated sequence") << QByteArray("a\xC3") << QByteArray("a?") << false;
        QTest::newRow("overlong") << QByteArray("\xC0\xAF") << QByteArray("??") << false;
        QTest::newRow("surrogate") << QByteArray("\xED\xA0\x80") << QByteArray("???") << false;
    }
    void codec() {
        QFETCH(QByteArray, utf8);
        QFETCH(QByteArray, windows1252);
        QFETCH(bool, reversible);
        QCOMPARE(QByteArray::fromStdString(utf8ToWindows1252(utf8.toStdString())), windows1252);
        if (reversible) {
            QCOMPARE(QByteArray::fromStdString(windows1252ToUtf8(windows1252.toStdString())), utf8);
        }
    }

    // Every byte decodes to valid UTF-8 and comes back, except the five the code page leaves undefined.
    void everyByteDecodes() {
        for (int b = 0; b < 256; ++b) {
            const std::string byte(1, static_cast<char>(b));
            const QByteArray utf8 = QByteArray::fromStdString(windows1252ToUtf8(byte));
            QCOMPARE(QString::fromUtf8(utf8).toUtf8(), utf8);  // valid UTF-8 survives Qt's decoder
            const bool undefined = b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D;
            QCOMPARE(QByteArray::fromStdString(utf8ToWindows1252(utf8.toStdString())),
                     QByteArray::fromStdString(undefined ? std::string("?") : byte));
        }
    }

    void encoding_data() {
        QTest::addColumn<QByteArray>("expected");
        QTest::addColumn<int>("variant");
        QTest::newRow("defaults") << QByteArray::fromStdString("DNA=01/01/1950\r\nHNA=12h00\r\nFUS=13\r\n" +
                                                               kEmptyRows)
                                  << 0;
        std::string rows = kEmptyRows;
        rows.replace(0, 12, "E-D=02/03/1980\r\nE-N=H\xE9l\xE8ne \x80\r\n");
        rows.replace(rows.size() - 12, 12, "E-D=05/06/2000\r\nE-N=Zo\xEB  x\r\n");
        QTest::newRow("trimmed, accented, one line each")
            << QByteArray::fromStdString("DNA=1/1/50\r\nHNA=8h\r\nFUS=0\r\n" + rows) << 1;
    }
    void encoding() {
        QFETCH(QByteArray, expected);
        QFETCH(int, variant);
        PersonRecord person = namedPerson("Jean", "Dupont");
        if (variant == 1) {
            person.Text1 = " 1/1/50 ";
            person.Text2 = "8h ";
            person.timeZoneRow = 0;
            person.events[0] = {"02/03/1980", "Hélène €"};
            person.events[11] = {" 05/06/2000 ", " Zoë\r\nx "};
        }
        QCOMPARE(QByteArray::fromStdString(encodePersonFile(person)), expected);
    }

    void reading_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("loaded");  // Text1|Text2|zone|date0|name0|date1|name1|date11|name11
        QTest::newRow("upper-case keys")
            << QByteArray("DNA=02/02/1960\r\nHNA=08h15\r\nFUS=3\r\nE-D=01/01/2000\r\nE-N=Paul\r\n")
            << "02/02/1960|08h15|3|01/01/2000|Paul||||";
        QTest::newRow("lower-case keys")
            << QByteArray("dna=02/02/1960\r\nhNa=08h15\r\nfus=25\r\ne-d=x\r\ne-n=y\r\n")
            << "02/02/1960|08h15|25|x|y||||";
        QTest::newRow("zone 26 ignored") << QByteArray("FUS=26\r\n") << "||7||||||";
        QTest::newRow("text zone ignored") << QByteArray("FUS=abc\r\n") << "||7||||||";
        QTest::newRow("huge zone ignored") << QByteArray("FUS=99999999999999999999\r\n") << "||7||||||";
        QTest::newRow("zone leading zeros") << QByteArray("FUS=007\r\n") << "||7||||||";
        QTest::newRow("short lines ignored") << QByteArray("DN\r\nE-\r\n\r\nE-D=a\r\n") << "||7|a|||||";
        QTest::newRow("name before any date") << QByteArray("E-N=lost\r\nE-D=a\r\n") << "||7|a|||||";
        QTest::newRow("equals in value") << QByteArray("E-D=d\r\nE-N=a=b\r\n") << "||7|d|a=b||||";
        QTest::newRow("value kept untrimmed")
            << QByteArray("DNA= 01/01/1950 \r\n") << " 01/01/1950 ||7||||||";
        QTest::newRow("LF only, no final break")
            << QByteArray("DNA=a\nHNA=b\nE-D=c\nE-N=d") << "a|b|7|c|d||||";
        QTest::newRow("windows-1252 value") << QByteArray("E-D=\r\nE-N=H\xE9l\xE8ne \x80\x81\r\n")
                                            << "||7||H\u00e9l\u00e8ne \u20ac\ufffd||||";
        QByteArray thirteen;
        for (int i = 0; i < 13; ++i) {
            thirteen += "E-D=d" + QByteArray::number(i) + "\r\nE-N=n" + QByteArray::number(i) + "\r\n";
        }
        QTest::newRow("rows beyond the twelfth") << thirteen << "||7|d0|n0|d1|n1|d11|n11";
    }
    void reading() {
        QFETCH(QByteArray, content);
        QFETCH(QString, loaded);
        PersonRecord person;
        person.Text1.clear();
        person.Text2.clear();
        person.timeZoneRow = 7;
        applyPersonFileContent(content.toStdString(), person);
        QCOMPARE(summary(person), loaded);
    }

    // Save then read back: every line and the names survive, the file holds the expected name.
    void roundTrip_data() {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("last");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("firstBack");
        QTest::addColumn<QString>("lastBack");
        QTest::newRow("Jean Pierre Dupont") << "Jean Pierre"
                                            << "Dupont"
                                            << "Jean_Pierre#Dupont.atl"
                                            << "Jean Pierre"
                                            << "Dupont";
        QTest::newRow("apostrophe") << "Jeanne"
                                    << "D'Arc"
                                    << "Jeanne#DArc.atl"
                                    << "Jeanne"
                                    << "DArc";
        QTest::newRow("accents") << "Zoë"
                                 << "Émile"
                                 << "Zo#mile.atl"
                                 << "Zo"
                                 << "mile";
        QTest::newRow("outer blanks trimmed") << "  Jean "
                                              << "\tDupont "
                                              << "Jean#Dupont.atl"
                                              << "Jean"
                                              << "Dupont";
        QTest::newRow("empty names") << ""
                                     << ""
                                     << "#.atl"
                                     << ""
                                     << "";
    }
    void roundTrip() {
        QFETCH(QString, first);
        QFETCH(QString, last);
        QFETCH(QString, file);
        QFETCH(QString, firstBack);
        QFETCH(QString, lastBack);
        QTemporaryDir dir;
        PersonRecord person = namedPerson(first.toStdString(), last.toStdString());
        person.Text1 = "29/02/1952";
        person.Text2 = "23h59";
        person.timeZoneRow = 25;
        for (int i = 0; i < PersonRecord::kEventRows; ++i) {
            person.events[i] = {QString("%1/01/19%2").arg(i + 1, 2, 10, QChar('0')).arg(60 + i).toStdString(),
                                "Père n°" + std::to_string(i) + " œuvre à 5 €"};
        }
        MessageLog log;
        QVERIFY(savePersonFile(person, {fs::path(dir.path().toStdString()), true}, log.sink()));
        QCOMPARE(log.messages.size(), std::size_t(1));
        QCOMPARE(QString::fromStdString(log.messages[0].text), "Enregistrement effectué");
        QCOMPARE(QString::fromStdString(log.messages[0].title), "Enregistrement");
        QCOMPARE(log.messages[0].icon, MessageIcon::Information);

        const fs::path saved = fs::path(dir.path().toStdString()) / pathFromUtf8(file.toStdString());
        std::string error;
        const auto back = readPersonFile(saved, error);
        QVERIFY2(back.has_value(), error.c_str());
        QCOMPARE(QString::fromStdString(back->t_prenom), firstBack);
        QCOMPARE(QString::fromStdString(back->t_nom), lastBack);
        QCOMPARE(encoded(*back), encoded(person));
        QCOMPARE(bytesOf(saved), encoded(person));
    }

    void savingTwiceReplaces() {
        QTemporaryDir dir;
        const DataFolder folder{dir.path().toStdString(), true};
        PersonRecord person = namedPerson("Jean", "Dupont");
        MessageLog log;
        QVERIFY(savePersonFile(person, folder, log.sink()));
        person.Text1 = "02/02/1962";
        QVERIFY(savePersonFile(person, folder, log.sink()));
        QCOMPARE(std::distance(fs::directory_iterator(folder.path), fs::directory_iterator()),
                 std::ptrdiff_t(1));
        QCOMPARE(bytesOf(folder.path / "Jean#Dupont.atl"), encoded(person));
    }

    // A failed save names the file and leaves the earlier file byte for byte.
    void failedSave_data() {
        QTest::addColumn<QString>("obstacle");
        QTest::addColumn<QString>("mentioned");
        QTest::newRow("temporary place taken by a folder") << "Jean#Dupont.atl.tmp"
                                                           << "Jean#Dupont.atl";
        QTest::newRow("folder where the file goes") << "Jean#Dupont.atl"
                                                    << "Jean#Dupont.atl";
        QTest::newRow("data folder is a file") << ""
                                               << "notafolder";
        QTest::newRow("data folder vanished") << "-"
                                              << "gone";
        QTest::newRow("no data folder at start-up") << "!"
                                                    << "n'a pas pu être créé";
    }
    void failedSave() {
        QFETCH(QString, obstacle);
        QFETCH(QString, mentioned);
        QTemporaryDir dir;
        const fs::path root = dir.path().toStdString();
        DataFolder folder{root, true};
        const std::string earlier = "DNA=01/01/1950\r\n";
        writeBytes(root / "Jean#Dupont.atl", earlier);
        if (obstacle == "") {
            writeBytes(root / "notafolder", "x");
            folder.path = root / "notafolder";
        } else if (obstacle == "-") {
            folder.path = root / "gone";
        } else if (obstacle == "!") {
            folder.usable = false;
        } else {
            fs::remove(root / obstacle.toStdString());
            fs::create_directory(root / obstacle.toStdString());
        }
        MessageLog log;
        QVERIFY(!savePersonFile(namedPerson("Jean", "Dupont"), folder, log.sink()));
        QCOMPARE(log.messages.size(), std::size_t(1));
        QCOMPARE(QString::fromStdString(log.messages[0].title), "Erreur");
        QCOMPARE(log.messages[0].icon, MessageIcon::Exclamation);
        QVERIFY2(QString::fromStdString(log.messages[0].text).contains(mentioned),
                 log.messages[0].text.c_str());
        if (fs::is_regular_file(root / "Jean#Dupont.atl")) {
            QCOMPARE(bytesOf(root / "Jean#Dupont.atl"), QByteArray::fromStdString(earlier));
        }
        if (obstacle == "Jean#Dupont.atl") {
            QVERIFY(!fs::exists(root / "Jean#Dupont.atl.tmp"));
        } else if (obstacle == "Jean#Dupont.atl.tmp") {
            QVERIFY(fs::is_directory(root / "Jean#Dupont.atl.tmp"));
        }
    }

    void unreadableFiles_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("size");  // -1: none, -2: a folder
        QTest::addColumn<QString>("error");
        QTest::newRow("missing") << "a#b.atl" << -1 << "introuvable";
        QTest::newRow("folder") << "a#b.atl" << -2 << "dossier";
        QTest::newRow("too large") << "a#b.atl" << int(kMaxPersonFileBytes) + 1 << "volumineux";
        QTest::newRow("at the limit") << "a#b.atl" << int(kMaxPersonFileBytes) << "";
        QTest::newRow("no hash") << "ab.atl" << 10 << "Prénom#Nom.atl";
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
        const auto person = readPersonFile(file, message);
        QCOMPARE(person.has_value(), error.isEmpty());
        QVERIFY2(QString::fromStdString(message).contains(error), message.c_str());
    }

    // Truncated and random files load without a crash and keep the record's shape.
    void damagedFiles_data() {
        QTest::addColumn<int>("seed");
        for (int seed = 0; seed < 3; ++seed) {
            QTest::newRow(qPrintable(QString("seed %1").arg(seed))) << seed;
        }
    }
    void damagedFiles() {
        QFETCH(int, seed);
        std::mt19937 random(static_cast<unsigned>(seed));
        PersonRecord full = namedPerson("a", "b");
        full.Text1 = "03/04/1971";
        full.events[3] = {"01/02/2003", "Hélène"};
        const std::string whole = encodePersonFile(full);
        for (std::size_t length = 0; length < whole.size(); length += 1 + seed) {
            PersonRecord person;
            applyPersonFileContent(whole.substr(0, length), person);
            QVERIFY(person.Text1 == "01/01/1950" || full.Text1.starts_with(person.Text1));
            QVERIFY(full.events[3].name.starts_with(person.events[3].name));
        }
        PersonRecord complete;
        applyPersonFileContent(whole, complete);
        QCOMPARE(encoded(complete), encoded(full));
        std::string noise(static_cast<std::size_t>(random() % 4000), '\0');
        for (char& c : noise) {
            c = static_cast<char>(random() % 8 == 0 ? "\r\nE-D=FUS"[random() % 9] : random());
        }
        PersonRecord person;
        applyPersonFileContent(noise, person);
        QVERIFY(person.timeZoneRow >= 0 && person.timeZoneRow <= 25);
        QVERIFY(encodePersonFile(person).size() >= 27 * 6);
    }

    void listing() {
        QTemporaryDir dir;
        const fs::path root = dir.path().toStdString();
        for (const char* name : {"Zoé#Martin.atl", "émile#Durand.atl", "adam#Smith.atl", "Bob#a_b.atl",
                                 "NoHash.atl", "x#y.txt", "#.atl", "Jean#Dupont.atl.tmp"}) {
            writeBytes(root / pathFromUtf8(name), "DNA=\r\n");
        }
        fs::create_directory(root / "Dir#Dir.atl");
        QStringList shown;
        QStringList files;
        for (const auto& entry : listPersonFiles(root)) {
            shown << QString::fromStdString(entry.display);
            files << QString::fromStdString(entry.fileName);
        }
        QCOMPARE(shown, QStringList({" ", "adam Smith", "Bob a b", "émile Durand", "Zoé Martin"}));
        QCOMPARE(files.at(2), "Bob#a_b.atl");
        QVERIFY(listPersonFiles(root / "missing").empty());
    }

    void dataFolder_data() {
        QTest::addColumn<QString>("base");  // relative to a temporary folder; "" none, "*" a file
        QTest::addColumn<QString>("folder");
        QTest::addColumn<bool>("usable");
        QTest::newRow("user folder") << "user"
                                     << "user/selenarc" << true;
        QTest::newRow("missing parents created") << "user/deep/er"
                                                 << "user/deep/er/selenarc" << true;
        QTest::newRow("no base") << ""
                                 << "program/selenarc" << true;
        QTest::newRow("blank base") << "   "
                                    << "program/selenarc" << true;
        QTest::newRow("base under a file") << "*/below"
                                           << "program/selenarc" << true;
        QTest::newRow("nothing can be created") << "*"
                                                << "*/selenarc" << false;
    }
    void dataFolder() {
        QFETCH(QString, base);
        QFETCH(QString, folder);
        QFETCH(bool, usable);
        QTemporaryDir dir;
        const fs::path root = dir.path().toStdString();
        writeBytes(root / "*", "x");
        const fs::path program = usable ? root / "program" : root / "*";
        const std::string baseText =
            base.trimmed().isEmpty() ? base.toStdString() : (root / base.toStdString()).string();
        const DataFolder made = prepareDataFolder(baseText, program);
        QCOMPARE(made.usable, usable);
        QCOMPARE(text(made.path), text(root / folder.toStdString()));
        QCOMPARE(fs::is_directory(made.path), usable);
    }
};

QTEST_GUILESS_MAIN(PersonFileTest)
#include "test_person_file.moc"
