#pragma once

// What every record an exchange import adds must be for the program to hold it.

#include "docfile/PimDocument.h"
#include "platform/TextCodec.h"

#include <cstdlib>
#include <string>

namespace exchangechecks {

// Text from a vCard or iCalendar file is stored as UTF-8, never with a NUL.
inline void checkText(const std::string& text) {
    if (text.find('\0') != std::string::npos || !platform::isValidUtf8(text))
        std::abort();
}

inline void checkPersons(const PimDocument& document) {
    for (const auto& [id, p] : document.Persons()) {
        for (const std::string* text :
             {&p.FName, &p.LName, &p.RName, &p.Company, &p.Position, &p.Addr1, &p.Addr2, &p.City, &p.State, &p.Zip,
              &p.HmPhone, &p.WkPhone, &p.WkExt, &p.Fax, &p.Pager, &p.CelPhone, &p.EMail, &p.WebPage, &p.Notes})
            checkText(*text);
        if ((!p.WhitePages && !p.YellowPages) || (p.FName.empty() && p.LName.empty() && p.Company.empty()) ||
            p.RName != DisplayName(p))
            std::abort();
    }
}

// Appointments: a valid start (midnight of the first day for whole days), an end not before it, a
// lead of up to four weeks, changed occurrences tied to a series that repeats. Appointments may
// overlap: the document can hold several at one time.
inline void checkCalendar(const PimDocument& document) {
    for (const auto& [id, t] : document.Tasks()) {
        checkText(t.Description);
        if (t.Priority < 0 || t.Priority > 3 || !t.DueDate.IsValid() || t.DueDate != t.DueDate.Date())
            std::abort();
    }
    for (const auto& [id, a] : document.Appointments()) {
        checkText(a.Description);
        const double lead = (a.StartTime - a.AlarmTime).Days() * 1440.0;
        const double length = (a.EndTime - a.StartTime).Days() * 1440.0;
        if (!a.StartTime.IsValid() || a.StartTime.Date() != a.DueDate || length < -0.01 || lead < -0.01 ||
            lead > 4 * 7 * 1440 + 0.01)
            std::abort();
        if (a.AllDay && (a.StartTime != a.DueDate || (a.EndDate.IsValid() && a.EndDate <= CalendarDate::Of(a.DueDate))))
            std::abort();
        if (a.IsChangedOccurrence()) {
            const Appointment* series = document.Appointments().Find(a.SeriesID);
            if (!series || !series->Repeats() || !a.OriginalDate.IsValid() || a.Repeats())
                std::abort();
        }
    }
}

} // namespace exchangechecks
