#include <QtTest>
#include <sstream>

#include "app/json_writer.h"
#include "app/report_command.h"

using namespace selenarc;

class ReportOptionsTest : public QObject {
    Q_OBJECT
  private slots:
    void refusedOptions_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("unknown option") << QStringList{"--nom", "D", "--couleur", "bleu"};
        QTest::newRow("missing value") << QStringList{"--prenom"};
        QTest::newRow("zone 26") << QStringList{"--fuseau", "26"};
        QTest::newRow("zone not a number") << QStringList{"--fuseau", "+1"};
        QTest::newRow("now without time") << QStringList{"--aujourdhui", "06/12/2026"};
        QTest::newRow("now at 24h00") << QStringList{"--aujourdhui", "06/12/2026 24h00"};
        QTest::newRow("now on 31 April") << QStringList{"--aujourdhui", "31/04/2026 10h00"};
        QStringList thirteen;
        for (int i = 0; i < 13; ++i) {
            thirteen << "--evenement"
                     << "01/01/2000=x";
        }
        QTest::newRow("thirteen events") << thirteen;
    }
    void refusedOptions() {
        QFETCH(QStringList, arguments);
        std::vector<std::string> words;
        for (const QString& argument : arguments) {
            words.push_back(argument.toStdString());
        }
        const auto parsed = parseReportOptions(words);
        QVERIFY(!parsed.options);
        QVERIFY(!parsed.error.empty());
    }

    void defaultsAreTheWindows() {
        const auto parsed = parseReportOptions({});
        QVERIFY(parsed.options);
        QCOMPARE(parsed.options->person.Text1, std::string("01/01/1950"));
        QCOMPARE(parsed.options->person.Text2, std::string("12h00"));
        QCOMPARE(parsed.options->person.timeZoneRow, 13);
        QVERIFY(!parsed.options->now);
    }

    void eventsFillRowsInOrder() {
        const auto parsed =
            parseReportOptions({"--evenement", "15/05/1975=Mariage = oui", "--evenement", "", "--evenement",
                                "01/01/2000", "--aujourdhui", "06/12/2026 23h59"});
        QVERIFY(parsed.options);
        const auto& events = parsed.options->person.events;
        QCOMPARE(events[0].date, std::string("15/05/1975"));
        QCOMPARE(events[0].name, std::string("Mariage = oui"));
        QCOMPARE(events[1].date, std::string(""));
        QCOMPARE(events[2].date, std::string("01/01/2000"));
        QCOMPARE(events[3].date, std::string(""));
        QVERIFY(parsed.options->now == makeDateTime(2026, 12, 6, 23, 59));
    }

    // Numbers read back to the same value; texts are escaped.
    void jsonNumbersAndTexts() {
        JsonWriter json;
        json.beginObject()
            .field("d", 2433282.95833)
            .field("f", 2.7084098f)
            .field("t", std::string_view("a\"b\\c\r\n\x01é"))
            .key("l")
            .beginArray()
            .value(1)
            .value(true)
            .endArray()
            .endObject();
        QCOMPARE(QString::fromStdString(json.text()),
                 QString::fromUtf8("{\"d\":2433282.95833,\"f\":2.7084098,\"t\":\"a\\\"b\\\\c\\r\\n\\u0001é\","
                                   "\"l\":[1,true]}"));
    }
};

QTEST_GUILESS_MAIN(ReportOptionsTest)
#include "test_report_options.moc"
