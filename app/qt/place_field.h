#pragma once

#include <QObject>
#include <functional>
#include <vector>

#include "app/person_record.h"
#include "calendar/birth_moment.h"
#include "calendar/gazetteer.h"

class QComboBox;
class QCompleter;
class QLabel;
class QLineEdit;
class QStringListModel;
class QWidget;

namespace selenarc {

// The list of places, read when first needed; nullptr when it cannot be read.
using GazetteerSource = std::function<const Gazetteer*()>;

// The « Lieu » field of the entry strip: completion as one types, the place chosen and the reading of
// a repeated hour. With a place, the time-zone list shows the clock the birth time was read on
// instead of a row; choosing a row there by hand drops the place.
class PlaceField : public QObject {
    Q_OBJECT
  public:
    PlaceField(QWidget* parent, QComboBox* timeZoneList, GazetteerSource places);

    QLineEdit* edit() const { return edit_; }

    // The place, the summer/winter choice and the row to save ("FUS=": the row nearest to the place's
    // standard time at the birth date) into a person whose date is already read.
    void readInto(PersonRecord& person) const;
    // Shows a person's place and choice; the zone list shows its row until the next run.
    void show(const PersonRecord& person);
    void clear();

    // Before a run: a birth time that happened twice at the place asks which was meant. False when
    // the question was cancelled.
    bool confirmRepeatedHour(const PersonRecord& person);
    // After a run: the clock used, in the zone list, when it was a place's.
    void showClock(const BirthMoment& birth);
    // The date or time changed: a choice made for the earlier one no longer holds.
    void forgetHourChoice() { hourChoice_ = HourChoice::None; }

  private:
    void offerCompletions(const QString& typed);
    void choose(const QString& shown);
    const Place* place() const;  // the gazetteer's place for the field, if there is one
    void dropClockEntry();

    QLineEdit* edit_;
    QComboBox* timeZoneList_;
    QCompleter* completer_;
    QStringListModel* suggestions_;
    GazetteerSource places_;
    std::vector<const Place*> offered_;
    PlaceEntry chosen_;  // the place picked in the list; its name while the field still shows it
    HourChoice hourChoice_ = HourChoice::None;
    int clockRow_ = PersonRecord::kDefaultTimeZoneRow;  // the row nearest to the clock shown
};

}  // namespace selenarc
