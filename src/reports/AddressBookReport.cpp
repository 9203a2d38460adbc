#include "reports/AddressBookReport.h"

#include "reports/AddressTexts.h"
#include "reports/ReportText.h"

#include <utility>

AddressBookReport::AddressBookReport(platform::DrawSurface* dc, std::vector<Person> persons)
    : Report(dc), m_persons(std::move(persons)) {
    address::SortForAddressBook(m_persons);
}

void AddressBookReport::DrawTitle() {
    DrawCentredTitle(QStringLiteral("ADDRESS BOOK"));
}

void AddressBookReport::DrawFooter(int pageNumber) {
    DrawCentredFooter(QStringLiteral("Page %1 of %2").arg(pageNumber).arg(m_pageCount));
}

void AddressBookReport::DrawFrame() {
    DrawStandardFrame();
}

void AddressBookReport::Paginate() {
    m_pages.clear();
    if (m_persons.empty())
        return;
    // An entry stays on the page while its bottom is above the print rectangle's bottom, which
    // keeps its rule clear of the footer line. A page always holds at least one entry.
    m_pages = SplitIntoPages(static_cast<int>(m_persons.size()), LinesPerEntry * m_lineHeight,
                             m_printRect.top + 2 * m_lineHeight, m_printRect.bottom - 1);
    m_pageCount = static_cast<int>(m_pages.size());
}

void AddressBookReport::DrawBody(int page) {
    if (page < 0 || page >= static_cast<int>(m_pages.size()))
        return;
    const platform::Font previous = SelectFont(m_normalFont);
    for (int index : m_pages[static_cast<std::size_t>(page)])
        DrawEntry(m_persons[static_cast<std::size_t>(index)]);
    SelectFont(previous);
}

bool AddressBookReport::FitsPage() {
    // The title and the line under it, one entry and the footer; a few characters in each column.
    return (LinesPerEntry + 3) * m_lineHeight <= m_printRect.height() && m_col2X - m_col1X >= 12 * m_charWidth;
}

void AddressBookReport::DrawEntry(const Person& person) {
    const int top = m_cursorY;
    int y = top;
    // Each column's lines end half a character before the next column or the frame.
    const int gap = m_charWidth / 2;
    for (const std::string& line : address::AddressBookLeftColumn(person)) {
        TextOutWithin(m_col1X, y, m_col2X - gap, ReportText::Text(line));
        y += m_lineHeight;
    }
    y = top;
    for (const std::string& line : address::AddressBookRightColumn(person)) {
        TextOutWithin(m_col2X, y, m_printRect.right - gap, ReportText::Text(line));
        y += m_lineHeight;
    }
    m_dc->moveTo(m_col1X, top + 7 * m_lineHeight);
    m_dc->lineTo(m_printRect.right, top + 7 * m_lineHeight);
    m_cursorY = top + LinesPerEntry * m_lineHeight;
}
