#pragma once

#include "core/Person.h"
#include "core/User.h"
#include "reports/Report.h"

#include <vector>

// One envelope a page: the owner's address at the top left as the sender, the person's in the
// middle as the recipient. Company lines are printed only for the business (yellow) pages.
class EnvelopeReport : public Report {
public:
    EnvelopeReport(platform::DrawSurface* dc, const ::User& user, std::vector<Person> persons, bool yellowPages);

    void DrawTitle() override; // the sender block
    void DrawFooter(int pageNumber) override;
    void DrawFrame() override;
    void Paginate() override;

    const std::vector<Person>& Persons() const { return m_persons; }
    // Where every line of the recipient block starts: centred on the city line's width, but never
    // left of the left column.
    int RecipientX(const Person& person);
    // Half-way down, as far up as it must to end inside the print rectangle, as far down as it
    // may to clear a sender block that reaches across the recipient's left edge.
    int RecipientTop(const Person& person);

protected:
    bool UsesSmallTypeOnNarrowPaper() const override { return false; }
    bool FitsPage() override;
    void DrawPageDecoration(int page) override;
    void DrawBody(int page) override;

private:
    int SenderBottom() const;
    int SenderRight(const Person& person);
    int TextRight() const { return m_printRect.right - m_charWidth / 2; }

    ::User m_user;
    std::vector<Person> m_persons;
    bool m_yellowPages;
    int m_page = 0;
};
