#pragma once

#include "core/DateTime.h"

#include <QDate>

class QDateEdit;

// The date pickers of the task and appointment dialogs accept 1990-01-01 to 2035-12-31.
QDateEdit* CreateEditorDatePicker(QWidget* parent);
QDate ToQDate(const DateTime& value);
