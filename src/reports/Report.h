#pragma once

#include "platform/gui/DrawSurface.h"
#include "reports/TextWidths.h"

#include <QString>
#include <QStringList>

#include <vector>

// Page margins in thousandths of an inch, measured from the paper's edges.
struct PageMargins {
    int left = 1000;
    int top = 1000;
    int right = 1000;
    int bottom = 1000;
    bool operator==(const PageMargins&) const = default;
};

// The face and size reports print in.
struct ReportFont {
    QString faceName = QStringLiteral("Times New Roman");
    int pointSize = 10;
    bool operator==(const ReportFont&) const = default;
};

// A printed report: lays its pages out against a drawing surface in that surface's device pixels,
// so that the same code draws the printed page and the preview. Each report owns copies of the
// records it prints, so later edits of the document do not change it.
//
// The layout surface, given at construction, is the one the report measures and paginates on; it
// must outlive the report. Each page is drawn on the surface PrintPage is given, which is passed
// down to every drawing step and stays the caller's: the report keeps no hold on it. Where things
// go is measured on the layout surface, how a text fits its place on the surface it is drawn on;
// the two measure alike, as both stand for the printer the report is laid out for.
class Report {
public:
    // Item indices of each page, in order.
    using Pages = std::vector<std::vector<int>>;

    explicit Report(platform::DrawSurface* layout);
    virtual ~Report();
    Report(const Report&) = delete;
    Report& operator=(const Report&) = delete;

    // Draws the 0-based page on surface: 8-point type on narrow paper, the title, footer and frame,
    // then the page's items from two lines below the top of the print rectangle. The surface is left
    // with the font it had.
    void PrintPage(platform::DrawSurface* surface, int page);
    int GetPageCount() const { return m_pageCount; }
    const platform::Rect& GetPrintRect() const { return m_printRect; }
    // Margins from the paper's edges; places the print rectangle and the two text columns, then
    // paginates.
    void SetMargins(const PageMargins& margins);
    // Both make the fonts again and paginate.
    void SetFaceName(const QString& faceName);
    void SetPointSize(int pointSize);
    // Daily and calendar reports print in 8-point type on paper at most 6 whole inches wide; then
    // every report takes smaller type, down to SmallestPointSize, while its page could not hold
    // the least it must show at the size chosen. Done once after each change of paper or font.
    void FitTypeToPaper();
    static constexpr int SmallestPointSize = 4;

    const QString& FaceName() const { return m_faceName; }
    int PointSize() const { return m_pointSize; }
    int LineHeight() const { return m_lineHeight; }
    int CharWidth() const { return m_charWidth; }
    int Col1X() const { return m_col1X; }
    int Col2X() const { return m_col2X; }
    const platform::Font& BoldFont() const { return m_boldFont; }
    const platform::Font& NormalFont() const { return m_normalFont; }

protected:
    // A font made current on a surface for as long as the scope lives; the font it replaced comes
    // back when the scope ends. Texts the report measures meanwhile are measured in it.
    class FontScope {
    public:
        FontScope(Report& report, platform::DrawSurface& dc, const platform::Font& font);
        ~FontScope();
        FontScope(const FontScope&) = delete;
        FontScope& operator=(const FontScope&) = delete;

        // Another font for the rest of the scope.
        void Use(const platform::Font& font);

    private:
        Report& m_report;
        platform::DrawSurface& m_dc;
        platform::Font m_previous;
        platform::Font m_previousMeasured;
    };

    // The surface the report is laid out on, for measuring outside a page.
    platform::DrawSurface& LayoutSurface() const { return m_layout; }
    // Metrics of the normal font at the current size.
    const platform::TextMetrics& Metrics() const { return m_metrics; }
    // Lays the items out on pages again; for a report whose page count is known from its start.
    void Repaginate();

    // Width of a text in the font of the innermost FontScope on dc, remembered for the report's life.
    int Width(platform::DrawSurface& dc, const QString& text) { return m_widths.Of(dc, text); }
    // The text, shortened with an ellipsis to the width.
    QString Elided(platform::DrawSurface& dc, const QString& text, int width) {
        return m_widths.Elided(dc, text, width);
    }
    QStringList Wrapped(platform::DrawSurface& dc, const QString& text, int width) {
        return m_widths.Wrapped(dc, text, width);
    }
    // Text at (x, y) that ends before right: shortened with an ellipsis when it is too wide.
    void TextOutWithin(platform::DrawSurface& dc, int x, int y, int right, const QString& text);
    // Lines of a text box at (x, y), each lh below the last; what does not fit maxLines ends the last
    // line with an ellipsis. Returns the number of lines drawn.
    int TextLinesWithin(platform::DrawSurface& dc, int x, int y, int right, int lh, int maxLines,
                        const QStringList& lines);

    // The shared title and footer: text in boldFont centred in the print rectangle, the title's top
    // at its top edge, the footer's one line above its bottom edge.
    void DrawCentredTitle(platform::DrawSurface& dc, const QString& title);
    void DrawCentredFooter(platform::DrawSurface& dc, const QString& footer);
    // A line of text centred in the print rectangle, shortened to its width.
    void DrawCentredLine(platform::DrawSurface& dc, const QString& text, int y, const platform::Font& font);
    // Two vertical lines along the sides and a one-inch stroke from each corner toward the centre.
    void DrawStandardFrame(platform::DrawSurface& dc);
    // Where a list report's body begins: two lines below the top of the print rectangle.
    int BodyTop() const { return m_printRect.top + 2 * m_lineHeight; }
    // Where the footer line begins; no row reaches below it.
    int FooterTop() const { return m_printRect.bottom - m_lineHeight; }
    // Puts items of one height on pages: an item stays on the current page while its bottom edge
    // stays at or above limit; each page's first item starts at firstTop. An item taller than a
    // whole page gets a page to itself.
    static Pages SplitIntoPages(int itemCount, int itemHeight, int firstTop, int limit);
    // Rows one line high under a line of column heads, clear of the footer.
    Pages SplitRowsIntoPages(int rowCount) const;

private:
    // Lays the items out on pages at the current paper and size; returns the number of pages.
    virtual int Paginate() = 0;
    // The page's title, its footer (1-based page number) and its frame; no footer or frame unless
    // the report draws one.
    virtual void DrawTitle(platform::DrawSurface& dc, int page) = 0;
    virtual void DrawFooter(platform::DrawSurface& dc, int pageNumber);
    virtual void DrawFrame(platform::DrawSurface& dc);
    // The page's items, in the report's normal font.
    virtual void DrawBody(platform::DrawSurface& dc, int page) = 0;
    // Whether FitTypeToPaper applies; the address book and envelopes keep the chosen size.
    virtual bool UsesSmallTypeOnNarrowPaper() const { return true; }
    // Whether a page at the current size and paper holds what the report must show at the least
    // (its heading, one item and its footer, side by side where it has columns).
    virtual bool FitsPage() { return true; }

    void CreateFonts(int height);
    void ReadMetrics();
    void PlaceColumns();
    void ApplyPointSize(int pointSize);

    platform::DrawSurface& m_layout;
    TextWidths m_widths;
    platform::Font m_boldFont;
    platform::Font m_normalFont;
    platform::TextMetrics m_metrics;
    int m_lineHeight = 0;
    int m_charWidth = 0;
    int m_pageCount = 0;
    platform::Rect m_printRect;
    int m_pointSize = 10;
    QString m_faceName = QStringLiteral("Times New Roman");
    int m_col1X = 0;
    int m_col2X = 0;
    bool m_typeFitted = false;
};
