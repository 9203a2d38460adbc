#include "TextColumns.h"

namespace {
using Names = std::vector<std::string>;

const Names kPersonExport = {"FirstName", "LastName",  "Address1",  "Address2",      "City",     "State",
                             "ZipCode",   "HomePhone", "WorkPhone", "WorkExtension", "Fax",      "CelPhone",
                             "Pager",     "E-Mail",    "WebPage",   "Company",       "Position", "Notes"};
const Names kPersonImport = {"FirstName", "LastName", "Address1",   "Address2",    "City",
                             "State",     "ZipCode",  "HomePhone",  "WorkPhone",   "WorkExtension",
                             "Fax",       "Pager",    "CelPhone",   "E-Mail",      "WebPage",
                             "Company",   "Position", "WhitePages", "YellowPages", "Notes"};
const Names kPersonRequired = {"FirstName", "LastName", "Company"};
const Names kTasks = {"Task", "DueDate", "Priority"};
const Names kTaskRequired = {"Task"};
const Names kAppointments = {"Appointment", "Date", "StartTime", "EndTime", "Alarmed", "AlarmTime"};
const Names kAppointmentRequired = {"Appointment", "Date", "StartTime", "EndTime"};
} // namespace

const std::vector<std::string>& ExportColumns(RecordType type) {
    switch (type) {
    case RecordType::Persons:
        return kPersonExport;
    case RecordType::Tasks:
        return kTasks;
    case RecordType::Appointments:
        break;
    }
    return kAppointments;
}

const std::vector<std::string>& ImportColumns(RecordType type) {
    return type == RecordType::Persons ? kPersonImport : ExportColumns(type);
}

const std::vector<std::string>& RequiredColumns(RecordType type) {
    switch (type) {
    case RecordType::Persons:
        return kPersonRequired;
    case RecordType::Tasks:
        return kTaskRequired;
    case RecordType::Appointments:
        break;
    }
    return kAppointmentRequired;
}

bool NeedsAllRequiredColumns(RecordType type) {
    return type == RecordType::Appointments;
}

const char* TypeName(RecordType type) {
    switch (type) {
    case RecordType::Persons:
        return "Persons";
    case RecordType::Tasks:
        return "Tasks";
    case RecordType::Appointments:
        break;
    }
    return "Appointments";
}
