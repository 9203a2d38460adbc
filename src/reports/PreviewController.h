#pragma once

// The print preview's state and the rules that enable its toolbar: the page shown, the page count,
// and the zoom level, which steps 0 -> 200 -> 400 -> 800 and back.
class PreviewController {
public:
    static constexpr int MaxZoom = 800;

    // Shows page 0 at zoom 0: Zoom In enabled, Zoom Out disabled.
    void Enter(int pageCount);
    void Leave();
    // After the report was rebuilt or repaginated; the current page stays within the new count.
    void SetPageCount(int pageCount);

    bool InPreview() const { return m_inPreview; }
    int CurrentPage() const { return m_currentPage; } // 0-based
    int PageCount() const { return m_pageCount; }
    int ZoomLevel() const { return m_zoom; }

    bool CanNextPage() const { return m_inPreview && m_currentPage + 1 < m_pageCount; }
    bool CanPreviousPage() const { return m_inPreview && m_currentPage > 0; }
    bool CanZoomIn() const { return m_inPreview && m_zoom < MaxZoom; }
    bool CanZoomOut() const { return m_inPreview && m_zoom > 0; }

    // Each returns whether anything changed; on the last page, the first page or at the end of the
    // zoom range they do nothing.
    bool NextPage();
    bool PreviousPage();
    bool ZoomIn();
    bool ZoomOut();

private:
    bool m_inPreview = false;
    int m_currentPage = 0;
    int m_pageCount = 0;
    int m_zoom = 0;
};
