#include "EditorDates.h"

#include <QDateEdit>
#include <QLocale>

#include <algorithm>

QDateEdit* CreateEditorDatePicker(QWidget* parent) {
    auto* picker = new QDateEdit(parent);
    picker->setCalendarPopup(true);
    picker->setDateRange(QDate(1990, 1, 1), QDate(2035, 12, 31));
    // The locale's short date, with the century: a stored 1970 must not read as 2070.
    QString format = QLocale().dateFormat(QLocale::ShortFormat);
    if (!format.contains(QStringLiteral("yyyy")))
        format.replace(QStringLiteral("yy"), QStringLiteral("yyyy"));
    picker->setDisplayFormat(format);
    return picker;
}

CalendarDate ToCalendarDate(QDate date) {
    return CalendarDate::FromParts(date.year(), date.month(), date.day());
}

QDate ToQDate(const DateTime& value) {
    if (!value.IsValid())
        return {};
    return QDate(value.Year(), value.Month(), value.Day());
}

void ShowEditorDate(QDateEdit* picker, const DateTime& value) {
    const QDate shown = ToQDate(value);
    if (!shown.isValid())
        return;
    picker->setDateRange(std::min(shown, picker->minimumDate()), std::max(shown, picker->maximumDate()));
    picker->setDate(shown);
}
