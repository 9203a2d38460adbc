// The first byte chooses the Encloser, the Separator and the header line, the next six which record
// column each of the first six file columns feeds; the rest is the file. It is imported as persons,
// tasks and appointments, and every record added must be one the program can hold: text without
// NUL, a phone book, a priority, an end not before the start, an alarm within the hour before, and
// no appointment that collides with another. A second import of the appointments adds nothing,
// and the report counts what was added.

#include "docfile/PimDocument.h"
#include "platform/Clock.h"
#include "textio/DelimitedTextOperations.h"
#include "textio/DelimitedTextSettings.h"
#include "textio/ImportReport.h"

#include <QDir>
#include <QFile>
#include <QLocale>

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

QString inputPath() {
    return QDir::temp().filePath(QStringLiteral("tavoro-fuzz-import-%1.csv").arg(getpid()));
}

bool hasNul(const std::string& text) {
    return text.find('\0') != std::string::npos;
}

DelimitedTextSettings settingsFor(RecordKind type, const std::uint8_t* options) {
    static const char* const kEnclosers[] = {"\"", "'", ""};
    static const char* const kSeparators[] = {",", ";", "|", " ", "\t"};
    DelimitedTextSettings settings = DelimitedTextSettings::ForImport(type);
    settings.Encloser = kEnclosers[options[0] % 3];
    settings.Separator = kSeparators[options[0] / 3 % 5];
    settings.FirstLineHasNames = options[0] & 0x80;
    settings.FilePath = inputPath();
    settings.SelectedFields.clear();
    for (int j = 0; j < 6; ++j) {
        const size_t pick = options[1 + j] % (settings.AvailableFields.size() + 1);
        settings.SelectedFields.push_back(pick == 0 ? std::string() : settings.AvailableFields[pick - 1]);
    }
    settings.ColumnCount = 6;
    return settings;
}

void checkPersons(const PimDocument& document) {
    for (const auto& [id, p] : document.Persons()) {
        for (const std::string* text :
             {&p.FName, &p.LName, &p.RName, &p.Company, &p.Position, &p.Addr1, &p.Addr2, &p.City, &p.State, &p.Zip,
              &p.HmPhone, &p.WkPhone, &p.WkExt, &p.Fax, &p.Pager, &p.CelPhone, &p.EMail, &p.WebPage, &p.Notes}) {
            if (hasNul(*text))
                std::abort();
        }
        if (!p.WhitePages && !p.YellowPages)
            std::abort();
    }
}

void checkTasks(const PimDocument& document) {
    for (const auto& [id, t] : document.Tasks()) {
        if (hasNul(t.Description) || t.Priority < 0 || t.Priority > 3 || !t.DueDate.IsValid())
            std::abort();
    }
}

void checkAppointments(const PimDocument& document) {
    std::vector<const Appointment*> all;
    for (const auto& [id, a] : document.Appointments()) {
        const double leadMinutes = (a.StartTime - a.AlarmTime).Days() * 1440.0;
        if (hasNul(a.Description) || !a.StartTime.IsValid() || a.EndTime < a.StartTime || leadMinutes < -0.01 ||
            leadMinutes > 60.01)
            std::abort();
        for (const Appointment* other : all) {
            const auto within = [](const DateTime& t, const Appointment& e) {
                return e.StartTime <= t && t <= e.EndTime;
            };
            if (within(a.StartTime, *other) || within(a.EndTime, *other))
                std::abort();
        }
        all.push_back(&a);
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    platform::Clock::setFixed(platform::LocalTime{2003, 5, 10, 9, 30, 0});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 7)
        return 0;
    {
        QFile file(inputPath());
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        file.write(reinterpret_cast<const char*>(data + 7), static_cast<qint64>(size - 7));
    }
    PimDocument document;
    ImportReport report;
    // A fresh document always has IDs left: every import answers its count.
    const std::optional<int> persons = ImportPersons(document, settingsFor(RecordKind::Person, data), &report);
    if (!persons || report.added != *persons || report.failure != DelimitedTextReader::Failure::None)
        std::abort();
    const std::optional<int> tasks = ImportTasks(document, settingsFor(RecordKind::Task, data));
    const DelimitedTextSettings appointments = settingsFor(RecordKind::Appointment, data);
    const std::optional<int> added = ImportAppointments(document, appointments);
    if (persons != static_cast<int>(document.Persons().Count()) ||
        tasks != static_cast<int>(document.Tasks().Count()) ||
        added != static_cast<int>(document.Appointments().Count()))
        std::abort();
    checkPersons(document);
    checkTasks(document);
    checkAppointments(document);
    if (ImportAppointments(document, appointments) != 0)
        std::abort();
    QFile::remove(inputPath());
    return 0;
}
