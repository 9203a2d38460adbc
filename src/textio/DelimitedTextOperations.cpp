#include "DelimitedTextOperations.h"

#include "DelimitedTextSettings.h"

int ExportRecords(const PimRecords& records, const DelimitedTextSettings& settings) {
    switch (settings.Type) {
    case RecordKind::Person:
        return ExportPersons(records, settings);
    case RecordKind::Task:
        return ExportTasks(records, settings);
    case RecordKind::Appointment:
        break;
    }
    return ExportAppointments(records, settings);
}

std::optional<int> ImportRecords(PimDocument& document, const DelimitedTextSettings& settings, ImportReport* report) {
    switch (settings.Type) {
    case RecordKind::Person:
        return ImportPersons(document, settings, report);
    case RecordKind::Task:
        return ImportTasks(document, settings, report);
    case RecordKind::Appointment:
        break;
    }
    return ImportAppointments(document, settings, report);
}
