#include "RepeatSection.h"

#include "EditorDates.h"
#include "EditorRows.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>

namespace {

const char* const kDayNames[] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
const char* const kOrdinals[] = {"first", "second", "third", "fourth"};
constexpr int kWeekOrder[] = {2, 3, 4, 5, 6, 7, 1}; // Monday first

} // namespace

RepeatSection::RepeatSection(QWidget* parent)
    : QGroupBox(QStringLiteral("Repeat"), parent), m_frequency(new QComboBox(this)), m_interval(new QSpinBox(this)),
      m_unit(new QLabel(this)), m_onDay(new QRadioButton(this)), m_onWeekday(new QRadioButton(this)),
      m_ending(new QComboBox(this)), m_until(CreateEditorDatePicker(this)), m_count(new QSpinBox(this)),
      m_summary(new QLabel(this)) {
    m_frequency->setObjectName(QStringLiteral("Repeat"));
    m_frequency->addItems({QStringLiteral("None"), QStringLiteral("Daily"), QStringLiteral("Weekly"),
                           QStringLiteral("Monthly"), QStringLiteral("Yearly")});
    m_frequency->setAccessibleName(QStringLiteral("Repeat"));
    m_interval->setObjectName(QStringLiteral("Every"));
    m_interval->setRange(1, 99);
    m_interval->setAccessibleName(QStringLiteral("Every"));

    QList<QWidget*> boxes;
    for (int day : kWeekOrder) {
        auto* box = new QCheckBox(QString::fromLatin1(kDayNames[day - 1]).left(2), this);
        box->setObjectName(QString::fromLatin1(kDayNames[day - 1]));
        box->setAccessibleName(QString::fromLatin1(kDayNames[day - 1]));
        box->setWhatsThis(QStringLiteral("Tick the weekdays a weekly appointment comes on."));
        m_weekdays[day - 1] = box;
        boxes << box;
        connect(box, &QCheckBox::toggled, this, &RepeatSection::Changed);
    }
    m_weekdayRow = new QWidget(this);
    auto* weekdayLayout = new QHBoxLayout(m_weekdayRow);
    weekdayLayout->setContentsMargins(0, 0, 0, 0);
    weekdayLayout->setSpacing(2);
    for (QWidget* box : boxes)
        weekdayLayout->addWidget(box);
    weekdayLayout->addStretch();

    m_onDay->setObjectName(QStringLiteral("OnDay"));
    m_onWeekday->setObjectName(QStringLiteral("OnWeekday"));
    m_monthlyRow = EditorRow(this, {m_onDay, m_onWeekday});

    m_ending->setObjectName(QStringLiteral("Ends"));
    m_ending->addItems({QStringLiteral("Never"), QStringLiteral("On date"), QStringLiteral("After")});
    m_ending->setAccessibleName(QStringLiteral("Ends"));
    m_until->setObjectName(QStringLiteral("Until"));
    m_until->setAccessibleName(QStringLiteral("Last date"));
    m_count->setObjectName(QStringLiteral("Count"));
    m_count->setRange(1, 999);
    m_count->setSuffix(QStringLiteral(" times"));
    m_count->setAccessibleName(QStringLiteral("Number of times"));
    m_endRow = EditorRow(this, {m_ending, m_until, m_count});

    m_summary->setObjectName(QStringLiteral("RepeatSummary"));
    m_summary->setWordWrap(true);
    m_summary->setAccessibleName(QStringLiteral("Repeat summary"));

    auto* grid = new QGridLayout(this);
    grid->addWidget(EditorLabel("&Repeat:", m_frequency, this), 0, 0);
    grid->addWidget(EditorRow(this, {m_frequency, EditorLabel("E&very:", m_interval, this), m_interval, m_unit}), 0, 1);
    grid->addWidget(m_weekdayRow, 1, 1);
    grid->addWidget(m_monthlyRow, 2, 1);
    grid->addWidget(EditorLabel("E&nds:", m_ending, this), 3, 0);
    grid->addWidget(m_endRow, 3, 1);
    grid->addWidget(m_summary, 4, 0, 1, 2);

    m_frequency->setWhatsThis(QStringLiteral("How often the appointment comes again: not at all, every day, every "
                                             "week on the days ticked, every month or every year."));
    m_interval->setWhatsThis(QStringLiteral("Every how many days, weeks, months or years it comes: 2 for every "
                                            "second one."));
    m_onDay->setWhatsThis(QStringLiteral("Monthly on the same day of the month as the first one."));
    m_onWeekday->setWhatsThis(QStringLiteral("Monthly on the same weekday of the month as the first one, such as "
                                             "the second Tuesday or the last Friday."));
    m_until->setWhatsThis(QStringLiteral("The last day the series may come on."));
    m_count->setWhatsThis(QStringLiteral("How many times the appointment comes, the first included."));
    m_ending->setWhatsThis(QStringLiteral("Whether the series runs on, ends with a date, or ends after a "
                                          "number of times (the first included)."));

    connect(m_frequency, &QComboBox::currentIndexChanged, this, &RepeatSection::Changed);
    connect(m_interval, &QSpinBox::valueChanged, this, &RepeatSection::Changed);
    connect(m_onDay, &QRadioButton::toggled, this, &RepeatSection::Changed);
    connect(m_ending, &QComboBox::currentIndexChanged, this, &RepeatSection::Changed);
    connect(m_until, &QDateEdit::dateChanged, this, &RepeatSection::Changed);
    connect(m_count, &QSpinBox::valueChanged, this, &RepeatSection::Changed);
}

void RepeatSection::Show(const RepeatPattern& pattern, CalendarDate start) {
    m_showing = true;
    m_start = start;
    m_frequency->setCurrentIndex(static_cast<int>(pattern.frequency));
    m_interval->setValue(pattern.interval);
    for (int day = 1; day <= 7; ++day)
        m_weekdays[day - 1]->setChecked(RepeatPattern::HasWeekday(pattern.weekdays, day));
    (pattern.monthlyBy == RepeatPattern::MonthlyBy::WeekdayOfMonth ? m_onWeekday : m_onDay)->setChecked(true);
    m_ending->setCurrentIndex(static_cast<int>(pattern.ending));
    const CalendarDate until = pattern.until.IsValid() ? pattern.until : start + 90;
    ShowEditorDate(m_until, until.Midnight());
    m_count->setValue(pattern.count);
    m_showing = false;
    SetStart(start);
}

void RepeatSection::SetStart(CalendarDate start) {
    m_start = start;
    if (!start.IsValid())
        return;
    m_onDay->setText(QStringLiteral("On day %1").arg(start.Day()));
    const int week = RepeatPattern::WeekOfMonth(start);
    m_onWeekday->setText(QStringLiteral("On the %1 %2")
                             .arg(QString::fromLatin1(week < 0 ? "last" : kOrdinals[week - 1]),
                                  QString::fromLatin1(kDayNames[start.DayOfWeek() - 1])));
    ShowChoices();
}

RepeatPattern RepeatSection::Pattern() const {
    RepeatPattern pattern;
    pattern.frequency = static_cast<RepeatPattern::Frequency>(m_frequency->currentIndex());
    pattern.interval = m_interval->value();
    for (int day = 1; day <= 7; ++day)
        if (m_weekdays[day - 1]->isChecked())
            pattern.weekdays |= 1U << (day - 1);
    pattern.monthlyBy =
        m_onWeekday->isChecked() ? RepeatPattern::MonthlyBy::WeekdayOfMonth : RepeatPattern::MonthlyBy::DayOfMonth;
    pattern.ending = static_cast<RepeatPattern::Ending>(m_ending->currentIndex());
    pattern.until = ToCalendarDate(m_until->date());
    pattern.count = m_count->value();
    return pattern;
}

void RepeatSection::ShowSummary(const QString& words) {
    m_summary->setText(words.isEmpty() ? QStringLiteral("Does not repeat.") : words + QLatin1Char('.'));
}

void RepeatSection::ShowChoices() {
    const auto frequency = static_cast<RepeatPattern::Frequency>(m_frequency->currentIndex());
    const bool repeats = frequency != RepeatPattern::Frequency::None;
    static const char* const units[] = {"", "days", "weeks", "months", "years"};
    m_unit->setText(QString::fromLatin1(units[m_frequency->currentIndex()]));
    m_interval->setEnabled(repeats);
    m_weekdayRow->setVisible(frequency == RepeatPattern::Frequency::Weekly);
    m_monthlyRow->setVisible(frequency == RepeatPattern::Frequency::Monthly);
    m_endRow->setEnabled(repeats);
    m_until->setVisible(m_ending->currentIndex() == static_cast<int>(RepeatPattern::Ending::OnDate));
    m_count->setVisible(m_ending->currentIndex() == static_cast<int>(RepeatPattern::Ending::AfterCount));
}

void RepeatSection::Changed() {
    if (m_showing)
        return;
    // Weekly with no day ticked repeats on the start's weekday: show it ticked.
    if (m_frequency->currentIndex() == static_cast<int>(RepeatPattern::Frequency::Weekly) && m_start.IsValid()) {
        bool any = false;
        for (QCheckBox* box : m_weekdays)
            any = any || box->isChecked();
        if (!any) {
            m_showing = true;
            m_weekdays[m_start.DayOfWeek() - 1]->setChecked(true);
            m_showing = false;
        }
    }
    ShowChoices();
    emit changed();
}
