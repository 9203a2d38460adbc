#include "EditorDates.h"

#include <QDateEdit>

QDateEdit* CreateEditorDatePicker(QWidget* parent) {
    auto* picker = new QDateEdit(parent);
    picker->setCalendarPopup(true);
    picker->setDateRange(QDate(1990, 1, 1), QDate(2035, 12, 31));
    return picker;
}

QDate ToQDate(const DateTime& value) {
    if (!value.IsValid())
        return {};
    return QDate(value.Year(), value.Month(), value.Day());
}
