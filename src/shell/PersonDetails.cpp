#include "PersonDetails.h"

#include "core/Person.h"
#include "platform/TextCodec.h"

namespace {

PersonDetails::Value valueOf(const std::string& field) {
    if (field.empty())
        return {QStringLiteral("Not Available"), false};
    return {platform::toQString(field), true};
}

} // namespace

PersonDetails PersonDetails::Of(const Person* person) {
    PersonDetails details;
    if (!person) {
        for (Value& value : details.values)
            value = valueOf({});
        return details;
    }
    details.values[HomePhone] = valueOf(person->HmPhone);
    details.values[WorkPhone] = valueOf(person->WkPhone);
    if (!person->WkPhone.empty() && !person->WkExt.empty())
        details.values[WorkPhone].text = platform::toQString(platform::joinText({person->WkPhone, "x", person->WkExt}));
    details.values[Pager] = valueOf(person->Pager);
    details.values[Fax] = valueOf(person->Fax);
    details.values[CelPhone] = valueOf(person->CelPhone);
    details.values[EMail] = valueOf(person->EMail);
    details.values[WebPage] = valueOf(person->WebPage);
    return details;
}
