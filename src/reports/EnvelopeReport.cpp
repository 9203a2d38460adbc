#include "reports/EnvelopeReport.h"

#include "reports/AddressTexts.h"
#include "reports/ReportText.h"

#include <algorithm>
#include <utility>

EnvelopeReport::EnvelopeReport(platform::DrawSurface* layout, const ::User& user, std::vector<Person> persons,
                               bool yellowPages)
    : Report(layout), m_user(user), m_persons(std::move(persons)), m_yellowPages(yellowPages) {}

void EnvelopeReport::DrawTitle(platform::DrawSurface& dc, int page) {
    if (page < 0 || page >= static_cast<int>(m_persons.size()))
        return;
    // The sender block makes room for this page's recipient.
    const int right = SenderRight(m_persons[static_cast<std::size_t>(page)]);
    int y = GetPrintRect().top;
    for (const std::string& line : address::SenderLines(m_user, m_yellowPages)) {
        TextOutWithin(dc, Col1X(), y, right, ReportText::Text(line));
        y += LineHeight();
    }
}

int EnvelopeReport::Paginate() {
    return static_cast<int>(m_persons.size());
}

bool EnvelopeReport::FitsPage() {
    // A recipient block of five lines and a little more; a few characters a column.
    return 6 * LineHeight() <= GetPrintRect().height() && Col2X() - Col1X() >= 10 * CharWidth();
}

int EnvelopeReport::SenderBottom() const {
    return GetPrintRect().top + static_cast<int>(address::SenderLines(m_user, m_yellowPages).size()) * LineHeight();
}

int EnvelopeReport::RecipientX(const Person& person) {
    FontScope normal(*this, LayoutSurface(), NormalFont());
    const int width = Width(LayoutSurface(), ReportText::Text(address::EnvelopeCityLine(person)));
    return std::max(Col1X(), Col2X() - width / 2);
}

int EnvelopeReport::RecipientTop(const Person& person) {
    const platform::Rect& r = GetPrintRect();
    const int lines = static_cast<int>(address::RecipientLines(person, m_yellowPages).size());
    const int lowest = r.bottom - lines * LineHeight();
    int top = r.height() / 2 + LineHeight();
    // A sender block that reaches the recipient's column pushes the recipient down while there is room.
    if (top < SenderBottom() && RecipientX(person) - Col1X() < 12 * CharWidth())
        top = SenderBottom();
    return std::max(r.top, std::min(top, lowest));
}

int EnvelopeReport::SenderRight(const Person& person) {
    // The sender's lines stop short of the recipient block where the two share a height.
    if (RecipientTop(person) < SenderBottom())
        return RecipientX(person) - CharWidth();
    return TextRight();
}

void EnvelopeReport::DrawBody(platform::DrawSurface& dc, int page) {
    if (page < 0 || page >= static_cast<int>(m_persons.size()))
        return;
    const Person& person = m_persons[static_cast<std::size_t>(page)];
    const int x = RecipientX(person);
    int y = RecipientTop(person);
    for (const std::string& line : address::RecipientLines(person, m_yellowPages)) {
        TextOutWithin(dc, x, y, TextRight(), ReportText::Text(line));
        y += LineHeight();
    }
}
