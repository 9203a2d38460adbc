#include "reports/PreviewController.h"

#include <algorithm>

void PreviewController::Enter(int pageCount) {
    m_inPreview = true;
    m_currentPage = 0;
    m_pageCount = std::max(0, pageCount);
    m_zoom = 0;
}

void PreviewController::Leave() {
    *this = PreviewController();
}

void PreviewController::SetPageCount(int pageCount) {
    m_pageCount = std::max(0, pageCount);
    m_currentPage = std::clamp(m_currentPage, 0, std::max(0, m_pageCount - 1));
}

bool PreviewController::NextPage() {
    if (!CanNextPage())
        return false;
    ++m_currentPage;
    return true;
}

bool PreviewController::PreviousPage() {
    if (!CanPreviousPage())
        return false;
    --m_currentPage;
    return true;
}

bool PreviewController::ZoomIn() {
    if (!CanZoomIn())
        return false;
    m_zoom = m_zoom == 0 ? 200 : m_zoom * 2;
    return true;
}

bool PreviewController::ZoomOut() {
    if (!CanZoomOut())
        return false;
    m_zoom = m_zoom == 200 ? 0 : m_zoom / 2;
    return true;
}
