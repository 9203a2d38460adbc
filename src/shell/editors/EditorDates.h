#pragma once

#include "core/CalendarDate.h"
#include "core/DateTime.h"

#include <QDate>

class QDateEdit;

// The date pickers of the task and appointment dialogs accept 1990-01-01 to 2035-12-31.
QDateEdit* CreateEditorDatePicker(QWidget* parent);
QDate ToQDate(const DateTime& value);
CalendarDate ToCalendarDate(QDate date);
// Shows a stored day. One outside the range (an older file, an import) widens the range to take
// it, so that the picker neither shows another day nor moves the record's date.
void ShowEditorDate(QDateEdit* picker, const DateTime& value);
