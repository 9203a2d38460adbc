#pragma once

#include "core/Person.h"
#include "reports/Report.h"

#include <vector>

// The chosen persons sorted by name, eight lines each: name, company, position and postal address
// on the left, the phone numbers, e-mail and web addresses on the right, a rule below.
class AddressBookReport : public Report {
public:
    static constexpr int LinesPerEntry = 8;

    AddressBookReport(platform::DrawSurface* layout, std::vector<Person> persons);

    const std::vector<Person>& Persons() const { return m_persons; }
    const Pages& GetPages() const { return m_pages; }

private:
    int Paginate() override;
    void DrawTitle(platform::DrawSurface& dc, int page) override;
    void DrawFooter(platform::DrawSurface& dc, int pageNumber) override;
    void DrawFrame(platform::DrawSurface& dc) override;
    void DrawBody(platform::DrawSurface& dc, int page) override;
    bool UsesSmallTypeOnNarrowPaper() const override { return false; }
    bool FitsPage() override;

    // One entry with its top at top.
    void DrawEntry(platform::DrawSurface& dc, const Person& person, int top);

    std::vector<Person> m_persons;
    Pages m_pages;
};
