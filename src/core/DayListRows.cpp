#include "core/DayListRows.h"

#include "core/DayListIndex.h"
#include "core/PimRecords.h"
#include "platform/TextCodec.h"

#include <algorithm>

namespace DayListRows {

std::string NameKey(const std::string& name) {
    const bool ascii =
        std::all_of(name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (ascii) {
        std::string key = name;
        for (char& c : key)
            if (c >= 'A' && c <= 'Z')
                c = static_cast<char>(c - 'A' + 'a');
        return key;
    }
    return platform::toQString(name).toCaseFolded().toStdString();
}

std::vector<ListRow> PhoneBook(const PimRecords& records, bool whitePages) {
    return DayListIndex().PhoneBook(records, whitePages);
}

std::vector<ListRow> Tasks(const PimRecords& records, const DateTime& day, const DateTime& today) {
    return DayListIndex().Tasks(records, day, today);
}

std::vector<ListRow> Appointments(const PimRecords& records, const DateTime& day) {
    return DayListIndex().Appointments(records, day);
}

} // namespace DayListRows
