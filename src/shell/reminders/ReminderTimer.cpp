#include "ReminderTimer.h"

#include "AlarmSettings.h"
#include "ReminderText.h"
#include "ReminderWindow.h"
#include "docfile/PimDocument.h"

#include <QApplication>

ReminderTimer::ReminderTimer(PimDocument& document, const AlarmSettings& settings, SoundPlayer& sound, RowSource rows,
                             QWidget* parent)
    : QObject(parent), m_document(document), m_settings(settings), m_sound(sound), m_rows(std::move(rows)),
      m_parent(parent) {
    m_timer.setInterval(PeriodMs);
    connect(&m_timer, &QTimer::timeout, this, &ReminderTimer::Check);
}

ReminderWindow* ReminderTimer::FindOpen(const QString& caption) {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* window = qobject_cast<ReminderWindow*>(widget);
        if (window && window->isVisible() && window->windowTitle() == caption)
            return window;
    }
    return nullptr;
}

void ReminderTimer::Check() {
    for (int id : DueReminders(m_rows(), m_document, DateTime::Now())) {
        const Appointment* appointment = m_document.Appointments.Find(id);
        const QString caption = ReminderCaption(*appointment);
        if (FindOpen(caption))
            continue;
        // Modal to the application but not blocking: later ticks still run, and a second
        // appointment that comes due opens its own reminder on top.
        auto* window = new ReminderWindow(caption, ReminderMessage(*appointment), m_settings.SoundFile(),
                                          m_settings.Audible(), m_sound, m_parent);
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->setWindowModality(Qt::ApplicationModal);
        connect(window, &QDialog::finished, this, [this, window, id] { Closed(window, id); });
        window->show();
    }
}

void ReminderTimer::Closed(ReminderWindow* window, int id) {
    if (!window->TurnOff())
        return;
    if (!m_document.TurnOffReminder(id))
        return;
    m_document.SetModified(true);
    m_document.NotifyChanged();
    emit reminderTurnedOff(id);
}
