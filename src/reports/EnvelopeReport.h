#pragma once

#include "core/Person.h"
#include "core/User.h"
#include "reports/Report.h"

#include <vector>

// One envelope a page: the owner's address at the top left as the sender, the person's in the
// middle as the recipient. Company lines are printed only for the business (yellow) pages.
class EnvelopeReport : public Report {
public:
    EnvelopeReport(platform::DrawSurface* layout, const ::User& user, std::vector<Person> persons, bool yellowPages);

    const std::vector<Person>& Persons() const { return m_persons; }
    // Where every line of the recipient block starts: centred on the city line's width, but never
    // left of the left column.
    int RecipientX(const Person& person);
    // Half-way down, as far up as it must to end inside the print rectangle, as far down as it
    // may to clear a sender block that reaches across the recipient's left edge.
    int RecipientTop(const Person& person);

private:
    int Paginate() override;
    void DrawTitle(platform::DrawSurface& dc, int page) override; // the sender block
    void DrawBody(platform::DrawSurface& dc, int page) override;
    bool UsesSmallTypeOnNarrowPaper() const override { return false; }
    bool FitsPage() override;

    int SenderBottom() const;
    int SenderRight(const Person& person);
    int TextRight() const { return GetPrintRect().right - CharWidth() / 2; }

    ::User m_user;
    std::vector<Person> m_persons;
    bool m_yellowPages;
};
