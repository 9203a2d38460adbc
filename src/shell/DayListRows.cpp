#include "DayListRows.h"

#include "core/PimRecords.h"
#include "platform/TextCodec.h"

#include <algorithm>
#include <unordered_map>

namespace {

bool isAscii(const std::string& text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// Formats each distinct date once per fill: a day can list tens of thousands of open tasks that
// share a few hundred due dates.
class ShortDateCache {
public:
    const std::string& Format(const DateTime& date) {
        auto [it, inserted] = m_texts.try_emplace(date.Value());
        if (inserted)
            it->second = date.FormatDate(DateTime::DateFormat::Short);
        return it->second;
    }

private:
    std::unordered_map<double, std::string> m_texts;
};

int secondOfDay(const DateTime& time) {
    if (!time.IsValid())
        return -1;
    return time.Hour() * 3600 + time.Minute() * 60 + time.Second();
}

} // namespace

namespace DayListRows {

std::string NameKey(const std::string& name) {
    if (isAscii(name)) {
        std::string key = name;
        for (char& c : key)
            if (c >= 'A' && c <= 'Z')
                c = static_cast<char>(c - 'A' + 'a');
        return key;
    }
    return platform::toQString(name).toCaseFolded().toStdString();
}

std::vector<ListRow> PhoneBook(const PimRecords& records, bool whitePages) {
    struct Keyed {
        std::string key;
        ListRow row;
    };
    std::vector<Keyed> keyed;
    for (const auto& [id, person] : records.Persons) {
        if ((whitePages ? person.WhitePages : person.YellowPages) == 0)
            continue;
        keyed.push_back({NameKey(person.RName), ListRow{id, -1, {person.RName, person.Company}}});
    }
    std::stable_sort(keyed.begin(), keyed.end(), [](const Keyed& a, const Keyed& b) { return a.key < b.key; });

    std::vector<ListRow> rows;
    rows.reserve(keyed.size());
    for (Keyed& k : keyed)
        rows.push_back(std::move(k.row));
    if (!whitePages)
        std::stable_sort(rows.begin(), rows.end(),
                         [](const ListRow& a, const ListRow& b) { return a.columns[1] < b.columns[1]; });
    return rows;
}

std::vector<ListRow> Tasks(const PimRecords& records, const DateTime& day, const DateTime& today) {
    const bool dayIsToday = day == today;
    const bool dayNotPast = day >= today;
    const bool dayNotFuture = day <= today;
    ShortDateCache dates;
    std::vector<ListRow> rows;
    for (const auto& [id, task] : records.Tasks) {
        const bool done = task.Priority == Task::Done;
        const bool listed = (task.DueDate == day && dayNotPast) ||
                            (dayIsToday && task.DueDate <= today && task.Priority < Task::Done) ||
                            (done && task.DoneDate == day && dayNotFuture);
        if (!listed)
            continue;
        const int image = task.Priority >= Task::High && task.Priority <= Task::Done ? task.Priority : -1;
        rows.push_back(ListRow{id, image, {task.Description, dates.Format(task.DueDate)}});
    }
    return rows;
}

std::vector<ListRow> Appointments(const PimRecords& records, const DateTime& day) {
    struct Timed {
        int start;
        ListRow row;
    };
    std::vector<Timed> timed;
    for (const auto& [id, appointment] : records.Appointments) {
        if (appointment.DueDate != day)
            continue;
        std::string time = appointment.StartTime.FormatTime(DateTime::TimeFormat::NoSeconds) + "-" +
                           appointment.EndTime.FormatTime(DateTime::TimeFormat::NoSeconds);
        timed.push_back({secondOfDay(appointment.StartTime),
                         ListRow{id, appointment.Alarm ? 1 : 0, {std::move(time), appointment.Description}}});
    }
    std::stable_sort(timed.begin(), timed.end(), [](const Timed& a, const Timed& b) { return a.start < b.start; });
    std::vector<ListRow> rows;
    rows.reserve(timed.size());
    for (Timed& t : timed)
        rows.push_back(std::move(t.row));
    return rows;
}

} // namespace DayListRows
