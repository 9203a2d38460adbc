#include "AgendaView.h"

#include "shell/DayView.h"

AgendaView::AgendaView(DayView& dayView, QWidget* parent) : QWidget(parent), m_dayView(dayView) {
    setObjectName(QStringLiteral("agendaView"));
}
