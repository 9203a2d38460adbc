#include "WeekView.h"

#include "shell/DayView.h"

WeekView::WeekView(DayView& dayView, QWidget* parent) : QWidget(parent), m_dayView(dayView) {
    setObjectName(QStringLiteral("weekView"));
}
