#include "reports/CalendarNames.h"

namespace CalendarNames {

namespace {

// A slot of a fixed-width name table, its padding removed; empty outside the table.
QString slot(const char* table, int width, int index, int count) {
    if (index < 0 || index >= count)
        return QString();
    return QString::fromLatin1(table + index * width, width).trimmed();
}

} // namespace

QString MiniMonth(int month) {
    return slot("Jan Feb Mar Apr May JuneJulyAug SeptOct Nov Dec ", 4, month - 1, 12);
}

QString GridMonth(int month) {
    return slot("Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec ", 4, month - 1, 12);
}

QString WeeklyMonth(int month) {
    return slot("JanFebMarAprMayJunJulAugSepOctNovDec", 3, month - 1, 12);
}

QString WeekdayLetter(int column) {
    return slot("SMTWTFS", 1, column, 7);
}

QString GridWeekday(int column) {
    return slot("SUNMONTUEWEDTHUFRISAT", 3, column, 7);
}

QString BoxHeading(int box) {
    static const char* const headings[] = {"SUNDAY",   "MONDAY", "TUESDAY",  "WEDNESDAY",
                                           "THURSDAY", "FRIDAY", "SATURDAY", "NOTES"};
    if (box < 0 || box >= 8)
        return QString();
    return QString::fromLatin1(headings[box]);
}

} // namespace CalendarNames
