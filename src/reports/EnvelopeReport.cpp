#include "reports/EnvelopeReport.h"

#include "reports/AddressTexts.h"
#include "reports/ReportText.h"

#include <algorithm>
#include <utility>

EnvelopeReport::EnvelopeReport(platform::DrawSurface* dc, const ::User& user, std::vector<Person> persons,
                               bool yellowPages)
    : Report(dc), m_user(user), m_persons(std::move(persons)), m_yellowPages(yellowPages) {}

void EnvelopeReport::DrawTitle() {
    if (m_page < 0 || m_page >= static_cast<int>(m_persons.size()))
        return;
    const int right = SenderRight(m_persons[static_cast<std::size_t>(m_page)]);
    int y = m_printRect.top;
    for (const std::string& line : address::SenderLines(m_user, m_yellowPages)) {
        TextOutWithin(m_col1X, y, right, ReportText::Text(line));
        y += m_lineHeight;
    }
}

void EnvelopeReport::DrawPageDecoration(int page) {
    m_page = page; // the sender block makes room for this page's recipient
    Report::DrawPageDecoration(page);
}

void EnvelopeReport::DrawFooter(int) {}

void EnvelopeReport::DrawFrame() {}

void EnvelopeReport::Paginate() {
    if (!m_persons.empty())
        m_pageCount = static_cast<int>(m_persons.size());
}

bool EnvelopeReport::FitsPage() {
    // A recipient block of five lines and a little more; a few characters a column.
    return 6 * m_lineHeight <= m_printRect.height() && m_col2X - m_col1X >= 10 * m_charWidth;
}

int EnvelopeReport::SenderBottom() const {
    return m_printRect.top + static_cast<int>(address::SenderLines(m_user, m_yellowPages).size()) * m_lineHeight;
}

int EnvelopeReport::RecipientX(const Person& person) {
    const platform::Font previous = SelectFont(m_normalFont);
    const int width = Width(ReportText::Text(address::EnvelopeCityLine(person)));
    SelectFont(previous);
    return std::max(m_col1X, m_col2X - width / 2);
}

int EnvelopeReport::RecipientTop(const Person& person) {
    const int lines = static_cast<int>(address::RecipientLines(person, m_yellowPages).size());
    const int lowest = m_printRect.bottom - lines * m_lineHeight;
    int top = m_printRect.height() / 2 + m_lineHeight;
    // A sender block that reaches the recipient's column pushes the recipient down while there is room.
    if (top < SenderBottom() && RecipientX(person) - m_col1X < 12 * m_charWidth)
        top = SenderBottom();
    return std::max(m_printRect.top, std::min(top, lowest));
}

int EnvelopeReport::SenderRight(const Person& person) {
    // The sender's lines stop short of the recipient block where the two share a height.
    if (RecipientTop(person) < SenderBottom())
        return RecipientX(person) - m_charWidth;
    return TextRight();
}

void EnvelopeReport::DrawBody(int page) {
    if (page < 0 || page >= static_cast<int>(m_persons.size()))
        return;
    const Person& person = m_persons[static_cast<std::size_t>(page)];
    const int x = RecipientX(person);
    int y = RecipientTop(person);
    for (const std::string& line : address::RecipientLines(person, m_yellowPages)) {
        TextOutWithin(x, y, TextRight(), ReportText::Text(line));
        y += m_lineHeight;
    }
}
