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

const std::vector<std::string>& ExportColumns(RecordKind kind) {
    switch (kind) {
    case RecordKind::Person:
        return kPersonExport;
    case RecordKind::Task:
        return kTasks;
    case RecordKind::Appointment:
        break;
    }
    return kAppointments;
}

const std::vector<std::string>& ImportColumns(RecordKind kind) {
    return kind == RecordKind::Person ? kPersonImport : ExportColumns(kind);
}

const std::vector<std::string>& RequiredColumns(RecordKind kind) {
    switch (kind) {
    case RecordKind::Person:
        return kPersonRequired;
    case RecordKind::Task:
        return kTaskRequired;
    case RecordKind::Appointment:
        break;
    }
    return kAppointmentRequired;
}

bool NeedsAllRequiredColumns(RecordKind kind) {
    return kind == RecordKind::Appointment;
}
