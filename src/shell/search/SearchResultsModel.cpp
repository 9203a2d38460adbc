#include "SearchResultsModel.h"

#include "core/AppointmentOccurrences.h"
#include "core/PimRecords.h"
#include "platform/TextCodec.h"

#include <algorithm>

namespace {

// The calendar day, as the day view lists the record there, wherever the file was written.
QString shortDate(const CalendarDate& day) {
    return QString::fromStdString(day.Midnight().FormatDate(DateTime::DateFormat::Short));
}

// What tells two persons of the same name apart: their company and city, as far as they have them.
QString personText(const Person& person) {
    QString text = platform::toQString(person.RName.empty() ? DisplayName(person) : person.RName);
    QStringList where;
    for (const std::string* field : {&person.Company, &person.City})
        if (!field->empty())
            where << platform::toQString(*field);
    if (!where.isEmpty())
        text += QStringLiteral(" (%1)").arg(where.join(QStringLiteral(", ")));
    return text;
}

// A series' next occurrence from today, or its last one when it is over; another appointment's day.
CalendarDate appointmentDay(const Appointment& appointment) {
    const AppointmentOccurrences occurrences(appointment);
    if (!occurrences.Repeats())
        return occurrences.FirstDay();
    const CalendarDate today = CalendarDate::Of(DateTime::Today());
    const CalendarDate last = occurrences.LastDay();
    if (last.IsValid() && last < today)
        return last;
    constexpr int kYear = 366;
    for (CalendarDate from = std::max(today, occurrences.FirstDay()); !last.IsValid() || from <= last;
         from = from + kYear) {
        const std::vector<Occurrence> coming = occurrences.Covering(from, from + (kYear - 1));
        if (!coming.empty())
            return std::max(from, coming.front().firstDay);
        if (from - today > 20 * kYear)
            break;
    }
    return occurrences.FirstDay();
}

} // namespace

void SearchResultsModel::SetResults(const SearchResults& results, const PimRecords& records) {
    beginResetModel();
    m_rows.clear();
    m_noMatches = results.total == 0;
    m_rows.reserve(results.hits.size());
    for (const SearchHit& hit : results.hits) {
        Row row{hit, {}};
        if (hit.kind == RecordKind::Person) {
            if (const Person* person = records.Persons.Find(hit.id))
                row.columns[0] = personText(*person);
        } else if (hit.kind == RecordKind::Task) {
            if (const Task* task = records.Tasks.Find(hit.id)) {
                row.columns[0] = platform::toQString(task->Description);
                row.columns[2] = shortDate(CalendarDate::OfStoredDate(task->DueDate));
            }
        } else {
            if (const Appointment* appointment = records.Appointments.Find(hit.id)) {
                row.columns[0] = platform::toQString(appointment->Description);
                row.columns[2] = shortDate(appointmentDay(*appointment));
            }
        }
        row.columns[1] = QString::fromLatin1(RecordKindName(hit.kind));
        m_rows.push_back(std::move(row));
    }
    m_more = results.total - results.hits.size();
    endResetModel();
}

void SearchResultsModel::Clear() {
    beginResetModel();
    m_rows.clear();
    m_more = 0;
    m_noMatches = false;
    endResetModel();
}

std::optional<SearchHit> SearchResultsModel::HitAt(int row) const {
    if (row < 0 || row >= Hits())
        return std::nullopt;
    return m_rows[static_cast<std::size_t>(row)].hit;
}

int SearchResultsModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid())
        return 0;
    return Hits() + (m_more > 0 || m_noMatches ? 1 : 0);
}

int SearchResultsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 3;
}

QVariant SearchResultsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || role != Qt::DisplayRole)
        return {};
    if (index.row() == Hits() && index.column() != 0)
        return {};
    if (index.row() == Hits())
        return m_noMatches ? QStringLiteral("No matches") : QStringLiteral("and %1 more").arg(m_more);
    return m_rows[static_cast<std::size_t>(index.row())].columns[index.column()];
}

Qt::ItemFlags SearchResultsModel::flags(const QModelIndex& index) const {
    // The "more" and "No matches" rows only say how many; they cannot be chosen.
    if (index.isValid() && index.row() == Hits())
        return Qt::ItemIsEnabled;
    return QAbstractTableModel::flags(index);
}

QVariant SearchResultsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case 0:
        return QStringLiteral("Name or Description");
    case 1:
        return QStringLiteral("Kind");
    case 2:
        return QStringLiteral("Date");
    default:
        return {};
    }
}
