#include "QuickAddField.h"

#include "core/QuickEntry.h"
#include "docfile/PimDocument.h"
#include "platform/LocaleFormat.h"
#include "platform/TextCodec.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

const QString kHint = QStringLiteral("Type an appointment, such as \"Lunch with Ann tomorrow 1pm\", and press Enter.");

quickentry::Reading readLine(const QString& line) {
    const quickentry::DateOrder order =
        platform::dayBeforeMonth() ? quickentry::DateOrder::DayFirst : quickentry::DateOrder::MonthFirst;
    return quickentry::Read(platform::fromQString(line), CalendarDate::Of(DateTime::Today()), order);
}

QString longDate(CalendarDate day) {
    return platform::toQString(platform::formatDate(day.Year(), day.Month(), day.Day(), platform::DateStyle::Long));
}

QString timeOfDay(int minutes) {
    return platform::toQString(
        platform::formatTime(minutes % 1440 / 60, minutes % 60, 0, platform::TimeStyle::NoSeconds));
}

// "10 minutes", "1 hour", "2 days".
QString lengthInWords(int minutes) {
    static const struct {
        int minutes;
        const char* one;
        const char* many;
    } kUnits[] = {{7 * 1440, "week", "weeks"}, {1440, "day", "days"}, {60, "hour", "hours"}, {1, "minute", "minutes"}};
    for (const auto& unit : kUnits) {
        if (minutes % unit.minutes == 0) {
            const int count = minutes / unit.minutes;
            return QStringLiteral("%1 %2").arg(count).arg(QLatin1String(count == 1 ? unit.one : unit.many));
        }
    }
    return QString();
}

// "every weekday", "every 2 weeks on Mon, Thu", "every month until ...", from the rule the reader
// writes.
QString repeatInWords(const std::string& rule) {
    static const char* const kDays[][2] = {{"MO", "Mon"}, {"TU", "Tue"}, {"WE", "Wed"}, {"TH", "Thu"},
                                           {"FR", "Fri"}, {"SA", "Sat"}, {"SU", "Sun"}};
    QString frequency;
    QString days;
    QString until;
    int interval = 1;
    for (const QString& part : QString::fromStdString(rule).split(QLatin1Char(';'))) {
        const QString value = part.section(QLatin1Char('='), 1);
        if (part.startsWith(QLatin1String("FREQ="))) {
            frequency = value == QLatin1String("DAILY")     ? QStringLiteral("day")
                        : value == QLatin1String("WEEKLY")  ? QStringLiteral("week")
                        : value == QLatin1String("MONTHLY") ? QStringLiteral("month")
                                                            : QStringLiteral("year");
        } else if (part.startsWith(QLatin1String("INTERVAL="))) {
            interval = value.toInt();
        } else if (part.startsWith(QLatin1String("BYDAY="))) {
            days = value;
            for (const auto& day : kDays)
                days.replace(QLatin1String(day[0]), QLatin1String(day[1]));
            days.replace(QLatin1Char(','), QLatin1String(", "));
        } else if (part.startsWith(QLatin1String("UNTIL="))) {
            if (const auto last = CalendarDate::Parse(value.left(8).toStdString()))
                until = QStringLiteral(" until ") + longDate(*last);
        }
    }
    if (days == QLatin1String("Mon, Tue, Wed, Thu, Fri") && interval == 1)
        return QStringLiteral("every weekday") + until;
    QString words = interval > 1 ? QStringLiteral("every %1 %2s").arg(interval).arg(frequency)
                                 : QStringLiteral("every ") + frequency;
    if (!days.isEmpty())
        words += QStringLiteral(" on ") + days;
    return words + until;
}

// What the line says, as the appointment will be listed: "Lunch with Ann: Tuesday, December 8,
// 2026, 1:00 PM-2:00 PM; reminder 10 minutes before".
QString inWords(const quickentry::Reading& reading) {
    if (!reading.Understood())
        return QStringLiteral("No day or time yet: say when, such as \"tomorrow 1pm\".");
    QStringList parts;
    const CalendarDate first = reading.firstDay;
    if (reading.AllDay()) {
        parts << (reading.lastDay.IsValid() ? longDate(first) + QStringLiteral(" to ") + longDate(reading.lastDay)
                                            : longDate(first)) +
                     QStringLiteral(", all day");
    } else if (reading.endMinute <= 1440) {
        parts << longDate(first) + QStringLiteral(", ") + timeOfDay(reading.startMinute) + QLatin1Char('-') +
                     timeOfDay(reading.endMinute);
    } else {
        parts << longDate(first) + QStringLiteral(", ") + timeOfDay(reading.startMinute) + QStringLiteral(" to ") +
                     longDate(first + reading.endMinute / 1440) + QStringLiteral(", ") + timeOfDay(reading.endMinute);
    }
    if (!reading.rrule.empty())
        parts << repeatInWords(reading.rrule);
    if (reading.alarmMinutes == 0)
        parts << QStringLiteral("reminder at the start");
    else if (reading.alarmMinutes > 0)
        parts << QStringLiteral("reminder %1 before").arg(lengthInWords(reading.alarmMinutes));
    const QString description = platform::toQString(reading.description);
    return (description.isEmpty() ? QString() : description + QStringLiteral(": ")) + parts.join(QStringLiteral("; "));
}

} // namespace

QuickAddField::QuickAddField(PimDocument& document, QWidget* parent) : QWidget(parent), m_document(document) {
    m_edit = new QLineEdit(this);
    m_edit->setObjectName(QStringLiteral("quickAddEdit"));
    m_edit->setPlaceholderText(QStringLiteral("Quick Add: Lunch with Ann tomorrow 1pm"));
    m_edit->setClearButtonEnabled(true);
    m_edit->setAccessibleName(QStringLiteral("Quick Add"));
    m_edit->setAccessibleDescription(kHint);
    m_edit->setToolTip(kHint);
    m_edit->installEventFilter(this);
    m_preview = new QLabel(this);
    m_preview->setObjectName(QStringLiteral("quickAddPreview"));
    m_preview->setWordWrap(true);
    m_preview->setAccessibleName(QStringLiteral("Quick Add understood"));
    m_preview->setVisible(false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    layout->addWidget(m_edit);
    layout->addWidget(m_preview);
    connect(m_edit, &QLineEdit::textChanged, this, &QuickAddField::showReading);
    connect(m_edit, &QLineEdit::returnPressed, this, &QuickAddField::add);
}

void QuickAddField::Activate() {
    m_edit->setFocus(Qt::ShortcutFocusReason);
    m_edit->selectAll();
}

void QuickAddField::showReading() {
    const QString line = m_edit->text().trimmed();
    m_preview->setVisible(!line.isEmpty());
    m_preview->setText(line.isEmpty() ? QString() : inWords(readLine(line)));
    m_edit->setAccessibleDescription(line.isEmpty() ? kHint : m_preview->text());
}

void QuickAddField::add() {
    const quickentry::Reading reading = readLine(m_edit->text().trimmed());
    if (!reading.Understood()) {
        QApplication::beep();
        return;
    }
    const std::optional<int> id = m_document.Add(quickentry::ToAppointment(reading));
    if (!id) {
        QApplication::beep();
        return;
    }
    // setText forgets the line's own undo, so that Ctrl+Z now takes the appointment back.
    m_edit->setText(QString());
    emit appointmentAdded(*id);
}

bool QuickAddField::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_edit)
        return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape &&
        !m_edit->text().isEmpty()) {
        m_edit->setText(QString());
        return true;
    }
    if (event->type() == QEvent::ShortcutOverride) {
        // With nothing of its own to undo the line leaves Undo and Redo to the document.
        auto* key = static_cast<QKeyEvent*>(event);
        if ((key->matches(QKeySequence::Undo) && !m_edit->isUndoAvailable()) ||
            (key->matches(QKeySequence::Redo) && !m_edit->isRedoAvailable())) {
            event->ignore();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
