#include "reports/EnvelopeReport.h"

#include "reports/AddressTexts.h"
#include "reports/ReportText.h"

#include <utility>

EnvelopeReport::EnvelopeReport(platform::DrawSurface* dc, const ::User& user, std::vector<Person> persons,
                               bool yellowPages)
    : Report(dc), m_user(user), m_persons(std::move(persons)), m_yellowPages(yellowPages) {}

void EnvelopeReport::DrawTitle() {
    int y = m_printRect.top;
    for (const std::string& line : address::SenderLines(m_user, m_yellowPages)) {
        TextOut(m_col1X, y, ReportText::Text(line));
        y += m_lineHeight;
    }
}

void EnvelopeReport::DrawFooter(int) {}

void EnvelopeReport::DrawFrame() {}

void EnvelopeReport::Paginate() {
    if (!m_persons.empty())
        m_pageCount = static_cast<int>(m_persons.size());
}

int EnvelopeReport::RecipientX(const Person& person) const {
    const platform::Font previous = m_dc->selectFont(m_normalFont);
    const int width = m_dc->textExtent(ReportText::Text(address::EnvelopeCityLine(person))).width();
    m_dc->selectFont(previous);
    return m_col2X - width / 2;
}

void EnvelopeReport::DrawBody(int page) {
    if (page < 0 || page >= static_cast<int>(m_persons.size()))
        return;
    const Person& person = m_persons[static_cast<std::size_t>(page)];
    const int x = RecipientX(person);
    int y = RecipientTop();
    for (const std::string& line : address::RecipientLines(person, m_yellowPages)) {
        TextOut(x, y, ReportText::Text(line));
        y += m_lineHeight;
    }
}
