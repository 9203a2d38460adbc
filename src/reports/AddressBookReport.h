#pragma once

#include "core/Person.h"
#include "reports/Report.h"

#include <vector>

// The chosen persons sorted by name, eight lines each: name, company, position and postal address
// on the left, the phone numbers, e-mail and web addresses on the right, a rule below.
class AddressBookReport : public Report {
public:
    static constexpr int LinesPerEntry = 8;

    AddressBookReport(platform::DrawSurface* dc, std::vector<Person> persons);

    void DrawTitle() override;
    void DrawFooter(int pageNumber) override;
    void DrawFrame() override;
    void Paginate() override;

    const std::vector<Person>& Persons() const { return m_persons; }
    const Pages& GetPages() const { return m_pages; }

protected:
    bool UsesSmallTypeOnNarrowPaper() const override { return false; }
    bool FitsPage() override;
    void DrawBody(int page) override;

private:
    void DrawEntry(const Person& person);

    std::vector<Person> m_persons;
    Pages m_pages;
};
