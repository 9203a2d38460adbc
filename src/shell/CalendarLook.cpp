#include "CalendarLook.h"

#include <QAbstractItemView>
#include <QCalendarWidget>
#include <QSpinBox>
#include <QTextCharFormat>
#include <QToolButton>

void NameCalendarParts(QCalendarWidget* calendar) {
    calendar->setAccessibleName(QStringLiteral("Calendar"));
    calendar->setAccessibleDescription(QStringLiteral("The date whose tasks and appointments the lists show"));
    const struct {
        const char* part;
        const char* name;
    } parts[] = {{"qt_calendar_prevmonth", "Previous month"},
                 {"qt_calendar_nextmonth", "Next month"},
                 {"qt_calendar_monthbutton", "Month"},
                 {"qt_calendar_yearbutton", "Year"},
                 {"qt_calendar_yearedit", "Year"},
                 {"qt_calendar_calendarview", "Calendar"}};
    for (const auto& [part, name] : parts)
        if (auto* widget = calendar->findChild<QWidget*>(QString::fromLatin1(part)))
            widget->setAccessibleName(QString::fromLatin1(name));
}

// Red on the calendar's own background: dark red where the cells are light, a light red where
// they are dark, so that the weekend keeps its contrast either way.
void UseReadableWeekendColours(QCalendarWidget* calendar) {
    const QColor base = calendar->palette().color(QPalette::Base);
    const QColor red = base.lightness() < 128 ? QColor(0xff, 0x8a, 0x80) : QColor(0xb0, 0x00, 0x00);
    for (Qt::DayOfWeek day : {Qt::Saturday, Qt::Sunday}) {
        QTextCharFormat format = calendar->weekdayTextFormat(day);
        format.setForeground(red);
        calendar->setWeekdayTextFormat(day, format);
    }
}
