#include "reports/AddressBookReport.h"

#include "reports/AddressTexts.h"
#include "reports/ReportText.h"

#include <utility>

AddressBookReport::AddressBookReport(platform::DrawSurface* layout, std::vector<Person> persons)
    : Report(layout), m_persons(std::move(persons)) {
    address::SortForAddressBook(m_persons);
}

void AddressBookReport::DrawTitle(platform::DrawSurface& dc, int) {
    DrawCentredTitle(dc, QStringLiteral("ADDRESS BOOK"));
}

void AddressBookReport::DrawFooter(platform::DrawSurface& dc, int pageNumber) {
    DrawCentredFooter(dc, QStringLiteral("Page %1 of %2").arg(pageNumber).arg(GetPageCount()));
}

void AddressBookReport::DrawFrame(platform::DrawSurface& dc) {
    DrawStandardFrame(dc);
}

int AddressBookReport::Paginate() {
    m_pages.clear();
    if (!m_persons.empty()) {
        // An entry stays on the page while its bottom is above the print rectangle's bottom, which
        // keeps its rule clear of the footer line. A page always holds at least one entry.
        m_pages = SplitIntoPages(static_cast<int>(m_persons.size()), LinesPerEntry * LineHeight(), BodyTop(),
                                 GetPrintRect().bottom - 1);
    }
    return static_cast<int>(m_pages.size());
}

void AddressBookReport::DrawBody(platform::DrawSurface& dc, int page) {
    if (page < 0 || page >= static_cast<int>(m_pages.size()))
        return;
    int top = BodyTop();
    for (int index : m_pages[static_cast<std::size_t>(page)]) {
        DrawEntry(dc, m_persons[static_cast<std::size_t>(index)], top);
        top += LinesPerEntry * LineHeight();
    }
}

bool AddressBookReport::FitsPage() {
    // The title and the line under it, one entry and the footer; a few characters in each column.
    return (LinesPerEntry + 3) * LineHeight() <= GetPrintRect().height() && Col2X() - Col1X() >= 12 * CharWidth();
}

void AddressBookReport::DrawEntry(platform::DrawSurface& dc, const Person& person, int top) {
    const int lh = LineHeight();
    // Each column's lines end half a character before the next column or the frame.
    const int gap = CharWidth() / 2;
    int y = top;
    for (const std::string& line : address::AddressBookLeftColumn(person)) {
        TextOutWithin(dc, Col1X(), y, Col2X() - gap, ReportText::Text(line));
        y += lh;
    }
    y = top;
    for (const std::string& line : address::AddressBookRightColumn(person)) {
        TextOutWithin(dc, Col2X(), y, GetPrintRect().right - gap, ReportText::Text(line));
        y += lh;
    }
    dc.moveTo(Col1X(), top + 7 * lh);
    dc.lineTo(GetPrintRect().right, top + 7 * lh);
}
