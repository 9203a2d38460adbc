#pragma once

#include "platform/gui/DrawSurface.h"
#include "reports/TextWidths.h"

#include <QSize>
#include <QString>

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
// The surface given at construction is used for measuring and pagination and must outlive the
// report; PrintPage draws on the surface it is given, which stays the caller's.
class Report {
public:
    // Item indices of each page, in order.
    using Pages = std::vector<std::vector<int>>;

    explicit Report(platform::DrawSurface* dc);
    virtual ~Report();
    Report(const Report&) = delete;
    Report& operator=(const Report&) = delete;

    // Draws the 0-based page on surface: 8-point type on narrow paper, the title, footer and frame,
    // then the page's items from two lines below the top of the print rectangle.
    virtual void PrintPage(platform::DrawSurface* surface, int page);
    virtual int GetPageCount() const { return m_pageCount; }
    virtual platform::Rect GetPrintRect() const { return m_printRect; }
    virtual void SetPrintRect(const platform::Rect& rect) { m_printRect = rect; }
    virtual platform::DrawSurface* GetDC() const { return m_dc; }
    virtual void SetDC(platform::DrawSurface* dc) { m_dc = dc; }
    // Margins from the paper's edges; places the print rectangle and the two text columns, then
    // paginates.
    virtual void SetMargins(const PageMargins& margins);
    virtual void DrawTitle() = 0;
    virtual void DrawFooter(int pageNumber) = 0; // 1-based
    virtual void DrawFrame() = 0;
    virtual void Paginate() = 0;

    // Both make the fonts again and paginate.
    void SetFaceName(const QString& faceName);
    void SetPointSize(int pointSize);
    // Daily and calendar reports print in 8-point type on paper at most 6 whole inches wide; then
    // every report takes smaller type, down to SmallestPointSize, while its page could not hold
    // the least it must show at the size chosen. Done once after each change of paper or font.
    void FitTypeToPaper();
    static constexpr int SmallestPointSize = 4;

    void TextOut(int x, int y, const QString& text);
    QSize TextExtent(const QString& text) const;

    const QString& FaceName() const { return m_faceName; }
    int PointSize() const { return m_pointSize; }
    int LineHeight() const { return m_lineHeight; }
    int CharWidth() const { return m_charWidth; }
    int Col1X() const { return m_col1X; }
    int Col2X() const { return m_col2X; }
    const platform::Font& BoldFont() const { return m_boldFont; }
    const platform::Font& NormalFont() const { return m_normalFont; }

protected:
    // Whether FitTypeToPaper applies; the address book and envelopes keep the chosen size.
    virtual bool UsesSmallTypeOnNarrowPaper() const { return true; }
    // Whether a page at the current size and paper holds what the report must show at the least
    // (its heading, one item and its footer, side by side where it has columns).
    virtual bool FitsPage() { return true; }

    // Makes a font current on the surface and measures with it from then on; returns the previous.
    platform::Font SelectFont(const platform::Font& font);
    // Width of a text in the current font, remembered for the report's life.
    int Width(const QString& text) { return m_widths.Of(*m_dc, text); }
    // The text, shortened with an ellipsis to the width.
    QString Elided(const QString& text, int width) { return m_widths.Elided(*m_dc, text, width); }
    QStringList Wrapped(const QString& text, int width) { return m_widths.Wrapped(*m_dc, text, width); }
    // Text at (x, y) that ends before right: shortened with an ellipsis when it is too wide.
    void TextOutWithin(int x, int y, int right, const QString& text);
    // Lines of a text box at (x, y), each lh below the last; what does not fit maxLines ends the last
    // line with an ellipsis. Returns the number of lines drawn.
    int TextLinesWithin(int x, int y, int right, int lh, int maxLines, const QStringList& lines);
    // Title, footer and frame; calendar reports draw only the title.
    virtual void DrawPageDecoration(int page);
    // The page's items, starting at cursorY (two lines below the top of the print rectangle).
    virtual void DrawBody(int page) = 0;

    // The shared title and footer: text in boldFont centred in the print rectangle, the title's top
    // at its top edge, the footer's one line above its bottom edge.
    void DrawCentredTitle(const QString& title);
    void DrawCentredFooter(const QString& footer);
    // A line of text centred in the print rectangle, shortened to its width.
    void DrawCentredLine(const QString& text, int y, const platform::Font& font);
    // Two vertical lines along the sides and a one-inch stroke from each corner toward the centre.
    void DrawStandardFrame();
    // Where the footer line begins; no row reaches below it.
    int FooterTop() const { return m_printRect.bottom - m_lineHeight; }
    // Puts items of one height on pages: an item stays on the current page while its bottom edge
    // stays at or above limit; each page's first item starts at firstTop. An item taller than a
    // whole page gets a page to itself.
    static Pages SplitIntoPages(int itemCount, int itemHeight, int firstTop, int limit);
    // Rows one line high under a line of column heads, clear of the footer.
    Pages SplitRowsIntoPages(int rowCount) const;

    struct Margins {
        double left = 0.5;
        double right = 0.5;
        double top = 0.5;
        double bottom = 0.5;
    };

    Margins m_margins;
    platform::Font m_boldFont;
    platform::Font m_normalFont;
    platform::TextMetrics m_metrics;
    int m_lineHeight = 0;
    int m_charWidth = 0;
    int m_cursorY = 0;
    platform::DrawSurface* m_dc;
    int m_pageCount = 0;
    platform::Rect m_printRect;
    int m_pointSize = 10;
    QString m_faceName = QStringLiteral("Times New Roman");
    int m_col1X = 0;
    int m_col2X = 0;

private:
    void CreateFonts(int height);
    void ReadMetrics();
    void ApplyPointSize(int pointSize);

    platform::DrawSurface* m_layoutSurface;
    TextWidths m_widths;
    bool m_typeFitted = false;
};
