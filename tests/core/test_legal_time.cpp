#include <QtTest>

#include <set>

#include "calendar/gazetteer.h"
#include "calendar/legal_time.h"

using namespace selenarc;
using namespace std::chrono;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(OffsetKind)
Q_DECLARE_METATYPE(LocalTimeStatus)

namespace {

CivilDateTime at(const QString& date, const QString& time) {
    const auto day = parseDayMonthYear(date.toStdString());
    Q_ASSERT(day);
    return {sys_days{*day}, hours{time.left(2).toInt()} + minutes{time.right(2).toInt()}};
}

}  // namespace

// Each expected offset is a published fact about the place (the law, or the time-zone database's
// own notes), read through the place as the gazetteer gives it: its zone and its longitude.
class LegalTimeTest : public QObject {
    Q_OBJECT
    std::optional<Gazetteer> gazetteer;

    const Place* place(const QString& shown) {
        const auto found = gazetteer->lookup(shown.toStdString());
        return found.size() == 1 ? found.front() : nullptr;
    }

  private slots:
    void initTestCase() {
        std::string error;
        gazetteer = Gazetteer::load(SELENARC_SOURCE_DIR "/data/lieux.txt", error);
        QVERIFY2(gazetteer, error.c_str());
    }

    void offsetOfAPlace_data() {
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("time");
        QTest::addColumn<int>("offset");  // seconds, local minus universal time
        QTest::addColumn<OffsetKind>("kind");
        QTest::addColumn<int>("standard");  // the offset without summer time
        const QString paris = u"Paris (Paris, France)"_s;
        QTest::newRow("Paris 1944, German summer time") << paris << "14/07/1944"
                                                        << "12h00" << 7200 << OffsetKind::Summer << 3600;
        QTest::newRow("Paris 1975, no summer time") << paris << "01/07/1975"
                                                    << "12h00" << 3600 << OffsetKind::Standard << 3600;
        QTest::newRow("Paris 1976, first summer time") << paris << "15/08/1976"
                                                       << "12h00" << 7200 << OffsetKind::Summer << 3600;
        QTest::newRow("London 1941, double summer time")
            << u"Londres (Angleterre, Royaume-Uni)"_s << "01/07/1941"
            << "12h00" << 7200 << OffsetKind::Summer << 0;
        QTest::newRow("New York 1976, daylight time") << u"New York (New York, États-Unis)"_s << "04/07/1976"
                                                      << "12h00" << -14400 << OffsetKind::Summer << -18000;
    }
    void offsetOfAPlace() {
        QFETCH(QString, shown);
        QFETCH(QString, date);
        QFETCH(QString, time);
        QFETCH(int, offset);
        QFETCH(OffsetKind, kind);
        QFETCH(int, standard);
        const Place* where = place(shown);
        QVERIFY(where);
        const LegalTime legal = legalTimeAt(where->timeZoneId, where->longitude, at(date, time));
        QCOMPARE(legal.status, LocalTimeStatus::Unique);
        QCOMPARE(legal.offsets.size(), 1u);
        // Within 2 s: a local mean time rests on the longitude, which sources give to 1/10,000 degree.
        QVERIFY2(std::abs(legal.offsets[0].utcOffset.count() - offset) <= 2,
                 QByteArray::number(static_cast<qlonglong>(legal.offsets[0].utcOffset.count())));
        QCOMPARE(legal.offsets[0].kind, kind);
        QVERIFY(std::abs(legal.offsets[0].standardOffset().count() - standard) <= 2);
    }

    // Around the changes of 1976 in Paris (clocks forward 01h00 -> 02h00 on 28 March, back
    // 01h00 -> 00h00 on 26 September).
    void changeOfTime_data() {
        QTest::addColumn<QString>("zone");
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("time");
        QTest::addColumn<LocalTimeStatus>("status");
        QTest::addColumn<QString>("readings");  // "offset label" per reading, or the message
        QTest::newRow("Paris, first minute after the gap")
            << "Europe/Paris"
            << "28/03/1976"
            << "02h00" << LocalTimeStatus::Unique << "7200 heure d'été";
        QTest::newRow("Paris, repeated hour")
            << "Europe/Paris"
            << "26/09/1976"
            << "00h30" << LocalTimeStatus::Repeated << "7200 heure d'été; 3600 heure d'hiver";
        QTest::newRow("Paris, after the repeated hour")
            << "Europe/Paris"
            << "26/09/1976"
            << "01h00" << LocalTimeStatus::Unique << "3600 heure légale";
        QTest::newRow("unknown zone") << "Europe/Nulle_Part"
                                      << "01/01/1950"
                                      << "12h00" << LocalTimeStatus::UnknownZone
                                      << "Fuseau horaire inconnu de la base des fuseaux : Europe/Nulle_Part.";
    }
    void changeOfTime() {
        QFETCH(QString, zone);
        QFETCH(QString, date);
        QFETCH(QString, time);
        QFETCH(LocalTimeStatus, status);
        QFETCH(QString, readings);
        const LegalTime legal = legalTimeAt(zone.toStdString(), 2.35, at(date, time));
        QCOMPARE(legal.status, status);
        QStringList seen;
        for (const LegalOffset& offset : legal.offsets) {
            seen << QString::number(offset.utcOffset.count()) + ' ' + QString::fromStdString(offset.label);
        }
        QCOMPARE(seen.isEmpty() ? QString::fromStdString(legal.message) : seen.join(u"; "_s), readings);
    }

    // The local mean time of a town before 16/03/1891 ends when Paris time reaches it: at Brest the
    // clocks jumped from 23h32mn42s to midnight, 27 min 18 s forward.
    void ownMeanTimeEndsWithAGap() {
        const Place* brest = place(u"Brest (Finistère, France)"_s);
        QVERIFY(brest);
        const LegalTime legal = legalTimeAt(brest->timeZoneId, brest->longitude, at("15/03/1891", "23h40"));
        QCOMPARE(legal.status, LocalTimeStatus::Skipped);
        QCOMPARE(legal.message,
                 "Cette heure n'a pas existé : ce jour-là, les horloges sont passées de 23h32mn42s à 00h00.");
    }

    void offsetText_data() {
        QTest::addColumn<int>("offset");
        QTest::addColumn<QString>("text");
        QTest::newRow("behind") << -14400 << u"UTC\u22124"_s;
        QTest::newRow("half hour") << 19800 << "UTC+5h30";
        QTest::newRow("Paris mean time") << 561 << "UTC+0h09m21s";
    }
    void offsetText() {
        QFETCH(int, offset);
        QFETCH(QString, text);
        QCOMPARE(QString::fromStdString(formatUtcOffset(seconds{offset})), text);
    }

    // Every zone the gazetteer names is in the system's database.
    void everyZoneIsKnown() {
        std::set<std::string_view> zones;
        for (std::size_t i = 0; i < gazetteer->size(); ++i) {
            zones.insert((*gazetteer)[i].timeZoneId);
        }
        for (const std::string_view zone : zones) {
            const LegalTime legal = legalTimeAt(zone, 0, at("01/06/1990", "12h00"));
            QVERIFY2(legal.status != LocalTimeStatus::UnknownZone, legal.message.c_str());
        }
    }
};

QTEST_GUILESS_MAIN(LegalTimeTest)
#include "test_legal_time.moc"
