#include "AppointmentDraft.h"

AppointmentDraft::AppointmentDraft(const Appointment& original)
    : m_original(original), m_times(original.DueDate, original.StartTime, original.EndTime),
      m_minutes(AlarmMinutes::FromAlarm(original.Alarm != 0, original.StartTime, original.AlarmTime)),
      m_alarmOn(original.Alarm != 0), m_keptAlarm(original.AlarmTime) {}

AppointmentDraft AppointmentDraft::ForNew(const DateTime& day, const DateTime& now) {
    const AppointmentTimes times = AppointmentTimes::ForNewAppointment(day, now);
    Appointment appointment;
    appointment.DueDate = times.Day();
    appointment.StartTime = times.Start();
    appointment.EndTime = times.End();
    appointment.AlarmTime = times.Start();
    appointment.Alarm = 0;
    return AppointmentDraft(appointment);
}

void AppointmentDraft::MoveToDay(int year, int month, int day) {
    m_times.MoveToDay(year, month, day);
    m_keptAlarm = AppointmentTimes::OnDay(m_keptAlarm, year, month, day);
}

Appointment AppointmentDraft::Result() const {
    Appointment result = m_original;
    result.DueDate = m_times.Day();
    result.StartTime = m_times.Start();
    result.EndTime = m_times.End();
    result.AlarmTime = m_keptAlarm;
    if (m_alarmOn) {
        const bool leadChanged = m_minutes.Touched() || m_times.StartMoved() || m_original.Alarm == 0;
        if (leadChanged)
            result.AlarmTime = m_minutes.AlarmFor(m_times.Start());
        result.Alarm = 1;
    } else {
        result.Alarm = 0;
    }
    return result;
}
