#pragma once

#include "core/RepeatPattern.h"

#include <QGroupBox>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QRadioButton;
class QSpinBox;

// The appointment dialog's "Repeat" section: how often (None, Daily, Weekly, Monthly, Yearly), every
// how many, on which weekdays (weekly) or which day of the month (monthly), how it ends, and the rule
// in words beneath. Only what the chosen repeat needs is shown.
class RepeatSection : public QGroupBox {
    Q_OBJECT
public:
    explicit RepeatSection(QWidget* parent = nullptr);

    // Shows a pattern for a series starting on `start`; emits nothing.
    void Show(const RepeatPattern& pattern, CalendarDate start);
    // The start moved: the monthly choices name its day again.
    void SetStart(CalendarDate start);
    RepeatPattern Pattern() const;
    void ShowSummary(const QString& words);

signals:
    // The user changed any of the choices.
    void changed();

private:
    void ShowChoices();
    void Changed();

    CalendarDate m_start;
    bool m_showing = false;
    QComboBox* m_frequency;
    QSpinBox* m_interval;
    QLabel* m_unit;
    QWidget* m_weekdayRow;
    QCheckBox* m_weekdays[7]; // by day of the week, 1 = Sunday at index 0
    QWidget* m_monthlyRow;
    QRadioButton* m_onDay;
    QRadioButton* m_onWeekday;
    QWidget* m_endRow;
    QComboBox* m_ending;
    QDateEdit* m_until;
    QSpinBox* m_count;
    QLabel* m_summary;
};
