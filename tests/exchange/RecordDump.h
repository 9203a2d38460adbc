#pragma once

#include "core/PimRecords.h"
#include "exchange/ExchangeReport.h"

#include <QString>
#include <QStringList>

// A document's records and an import's report as lines of text, for golden files and QCOMPARE.
namespace recorddump {

inline QString text(const std::string& bytes) {
    return QString::fromStdString(bytes).replace(QLatin1Char('\n'), QLatin1String("\\n"));
}

inline QStringList Persons(const PimRecords& records) {
    QStringList lines;
    for (const auto& [id, p] : records.Persons) {
        lines << QStringLiteral("person %1 [%2%3]")
                     .arg(id)
                     .arg(p.WhitePages ? "white" : "")
                     .arg(p.YellowPages ? " yellow" : "");
        const std::pair<const char*, const std::string*> fields[] = {
            {"FName", &p.FName},       {"LName", &p.LName},       {"RName", &p.RName},
            {"Company", &p.Company},   {"Position", &p.Position}, {"Addr1", &p.Addr1},
            {"Addr2", &p.Addr2},       {"City", &p.City},         {"State", &p.State},
            {"Zip", &p.Zip},           {"HmPhone", &p.HmPhone},   {"WkPhone", &p.WkPhone},
            {"WkExt", &p.WkExt},       {"Fax", &p.Fax},           {"Pager", &p.Pager},
            {"CelPhone", &p.CelPhone}, {"EMail", &p.EMail},       {"WebPage", &p.WebPage},
            {"Notes", &p.Notes},       {"Birthday", &p.Birthday}, {"Anniversary", &p.Anniversary}};
        for (const auto& [name, value] : fields) {
            if (!value->empty())
                lines << QStringLiteral("  %1: %2").arg(QLatin1String(name), text(*value));
        }
    }
    return lines;
}

inline QStringList Calendar(const PimRecords& records) {
    static const char* const kPriorities[] = {"High", "Medium", "Low", "Done"};
    QStringList lines;
    for (const auto& [id, a] : records.Appointments) {
        QString line =
            a.AllDay
                ? QStringLiteral("appointment %1 all day").arg(QString::fromStdString(a.DueDate.Format("%Y-%m-%d")))
                : QStringLiteral("appointment %1-%2")
                      .arg(QString::fromStdString(a.StartTime.Format("%Y-%m-%d %H:%M")),
                           QString::fromStdString(a.EndTime.Format("%H:%M")));
        if (a.AllDay && a.EndDate.IsValid())
            line += QStringLiteral(" to ") + QString::fromStdString(a.EndDate.Iso());
        if (!a.AllDay && a.EndTime.Date() != a.StartTime.Date())
            line += QStringLiteral(" ending ") + QString::fromStdString(a.EndTime.Format("%Y-%m-%d"));
        if (!a.AllDay && a.DueDate != a.StartTime.Date())
            line += QStringLiteral(" on ") + QString::fromStdString(a.DueDate.Format("%Y-%m-%d"));
        if (!a.TimeZone.empty())
            line += QStringLiteral(" zone ") + QString::fromStdString(a.TimeZone);
        if (!a.RRule.empty())
            line += QStringLiteral(" repeats ") + QString::fromStdString(a.RRule);
        QStringList excluded, added;
        for (const CalendarDate& day : a.ExDates)
            excluded << QString::fromStdString(day.Iso());
        for (const CalendarDate& day : a.RDates)
            added << QString::fromStdString(day.Iso());
        if (!added.isEmpty())
            line += QStringLiteral(" also ") + added.join(QLatin1Char(','));
        if (!excluded.isEmpty())
            line += QStringLiteral(" except ") + excluded.join(QLatin1Char(','));
        if (a.IsChangedOccurrence())
            line += QStringLiteral(" for %1 of #%2").arg(QString::fromStdString(a.OriginalDate.Iso())).arg(a.SeriesID);
        if (a.Alarm)
            line += QStringLiteral(" alarm %1").arg(QString::fromStdString(a.AlarmTime.Format("%H:%M")));
        lines << line + QStringLiteral(" ") + text(a.Description);
    }
    for (const auto& [id, t] : records.Tasks) {
        QString line = QStringLiteral("task %1 %2")
                           .arg(QString::fromStdString(t.DueDate.Format("%Y-%m-%d %H:%M")),
                                QLatin1String(kPriorities[t.Priority & 3]));
        if (t.IsDone())
            line += QStringLiteral(" on ") + QString::fromStdString(t.DoneDate.Format("%Y-%m-%d %H:%M"));
        lines << line + QStringLiteral(" ") + text(t.Description);
    }
    return lines;
}

inline QStringList Report(const ExchangeReport& report) {
    QStringList lines;
    for (const QString& line : report.Lines())
        lines << QStringLiteral("report: ") + line;
    return lines;
}

} // namespace recorddump
