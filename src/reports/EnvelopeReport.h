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
    // Where every line of the recipient block starts: centred on the city line's width.
    int RecipientX(const Person& person) const;
    int RecipientTop() const { return m_printRect.height() / 2 + m_lineHeight; }

protected:
    bool UsesSmallTypeOnNarrowPaper() const override { return false; }
    void DrawBody(int page) override;

private:
    ::User m_user;
    std::vector<Person> m_persons;
    bool m_yellowPages;
};
