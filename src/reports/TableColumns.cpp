#include "reports/TableColumns.h"

namespace TableColumns {

Layout Place(const std::vector<Demand>& demands, int right, int gap) {
    Layout layout;
    const std::size_t n = demands.size();
    bool defaultsFit = true;
    for (std::size_t i = 0; i < n; ++i) {
        const int end = i + 1 < n ? demands[i + 1].defaultX - gap : right;
        layout.columns.push_back({demands[i].defaultX, end});
        if (end - demands[i].defaultX < demands[i].needed)
            defaultsFit = false;
    }
    if (defaultsFit || n == 0)
        return layout;

    int fixedWidth = 0;
    for (const Demand& demand : demands)
        if (!demand.flexible)
            fixedWidth += demand.needed;
    const int left = demands.front().defaultX;
    const int flexibleWidth = right - left - fixedWidth - gap * static_cast<int>(n - 1);
    int x = left;
    for (std::size_t i = 0; i < n; ++i) {
        const int width = demands[i].flexible ? flexibleWidth : demands[i].needed;
        layout.columns[i] = {x, x + width};
        if (demands[i].flexible && width < demands[i].needed)
            layout.fits = false;
        x += width + gap;
    }
    if (x - gap > right)
        layout.fits = false;
    return layout;
}

} // namespace TableColumns
