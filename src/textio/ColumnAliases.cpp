#include "ColumnAliases.h"

#include <initializer_list>

namespace {

struct Alias {
    const char* column;
    std::initializer_list<const char*> names; // besides the column's own name
};

// One address goes into the record; the first address of a file (in file order) that matches
// fills it, so business and home names are both listed.
const Alias kPersonAliases[] = {
    {"FirstName", {"First Name", "Given Name", "Given", "First", "Forename", "givenName"}},
    {"LastName", {"Last Name", "Surname", "Family Name", "Last", "sn"}},
    {"Address1",
     {"Address", "Street", "Street Address", "Address Line 1", "Business Street", "Home Street", "Work Address",
      "Home Address", "Business Address", "Address 1 - Street", "Work Street", "Street 1", "Mailing Street"}},
    {"Address2",
     {"Address Line 2", "Business Street 2", "Home Street 2", "Work Address 2", "Home Address 2", "Business Address 2",
      "Address 1 - Extended Address", "Street 2", "Address 2"}},
    {"City", {"Town", "Business City", "Home City", "Work City", "Address 1 - City", "Locality", "Mailing City", "l"}},
    {"State",
     {"Province", "Region", "State/Province", "Business State", "Home State", "Work State", "Address 1 - Region",
      "Mailing State", "st"}},
    {"ZipCode",
     {"ZIP", "Zip Code", "Postal Code", "Postcode", "Post Code", "Business Postal Code", "Home Postal Code",
      "Work ZipCode", "Home ZipCode", "Work ZIP", "Home ZIP", "Address 1 - Postal Code", "Mailing Zip", "postalCode"}},
    {"HomePhone", {"Home Phone", "Phone (Home)", "Home", "Private Phone", "homePhone", "Telephone", "Phone"}},
    {"WorkPhone",
     {"Work Phone", "Business Phone", "Office Phone", "Company Main Phone", "Phone (Work)", "Work", "telephoneNumber"}},
    {"WorkExtension", {"Extension", "Ext", "Work Ext", "Business Extension", "Phone Extension"}},
    {"Fax",
     {"Fax Number", "Business Fax", "Home Fax", "Work Fax", "Facsimile", "Other Fax", "facsimileTelephoneNumber"}},
    {"Pager", {"Pager Number", "Beeper"}},
    {"CelPhone",
     {"Mobile", "Mobile Phone", "Mobile Number", "Cell", "Cell Phone", "Cellular Phone", "Cellphone", "Handy",
      "Phone (Mobile)", "mobile"}},
    {"E-Mail",
     {"Email", "E-mail Address", "Email Address", "Primary Email", "E-mail 1 - Value", "Email 1", "Mail", "EMail1",
      "Personal Email", "Work Email", "Business Email"}},
    {"WebPage",
     {"Web Page", "Website", "Web Site", "Homepage", "Home Page", "URL", "Web Page 1", "Website 1 - Value",
      "Business Web Page", "Personal Web Page", "Personal Website", "Business Website"}},
    {"Company", {"Organization", "Organisation", "Organization Name", "Organization 1 - Name", "Business", "o"}},
    {"Position", {"Job Title", "Job", "Role", "Organization Title", "Organization 1 - Title", "Profession"}},
    {"WhitePages", {"White Pages", "Private"}},
    {"YellowPages", {"Yellow Pages"}},
    {"Notes", {"Note", "Comments", "Comment", "Description", "Remarks", "Memo"}},
};

const Alias kTaskAliases[] = {
    {"Task", {"Subject", "Title", "Description", "Name", "Summary", "To Do", "Todo"}},
    {"DueDate", {"Due", "Due On", "Deadline", "Date Due"}},
    {"Priority", {"Importance"}},
};

const Alias kAppointmentAliases[] = {
    {"Appointment", {"Subject", "Title", "Summary", "Event", "Description", "Name"}},
    {"Date", {"Start Date", "Day", "Event Date", "Begin Date"}},
    {"StartTime", {"Start", "Begin", "Begin Time", "From", "Time"}},
    {"EndTime", {"End", "Finish", "Finish Time", "To", "Stop"}},
    {"Alarmed", {"Reminder", "Reminder on/off", "Alarm", "Reminder On"}},
    {"AlarmTime", {"Reminder Minutes", "Alarm Minutes", "Minutes Before", "Reminder Minutes Before Start"}},
};

// Lower case, without blanks, '-' and '_'.
std::string folded(std::string_view name) {
    std::string out;
    out.reserve(name.size());
    for (char c : name) {
        if (c == ' ' || c == '\t' || c == '-' || c == '_' || c == '\r' || c == '\n')
            continue;
        out += c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    }
    return out;
}

template <std::size_t N> std::string lookUp(const Alias (&table)[N], const std::string& name) {
    // The program's own names come first, so that a file of ours never meets an alias.
    for (const Alias& alias : table) {
        if (folded(alias.column) == name)
            return alias.column;
    }
    for (const Alias& alias : table) {
        for (const char* other : alias.names) {
            if (folded(other) == name)
                return alias.column;
        }
    }
    return {};
}

} // namespace

std::string ColumnForHeader(RecordKind kind, std::string_view header) {
    const std::string name = folded(header);
    if (name.empty())
        return {};
    switch (kind) {
    case RecordKind::Person:
        return lookUp(kPersonAliases, name);
    case RecordKind::Task:
        return lookUp(kTaskAliases, name);
    case RecordKind::Appointment:
        break;
    }
    return lookUp(kAppointmentAliases, name);
}
