#include "reports/TableColumns.h"

namespace TableColumns {

Layout Place(const std::vector<Spec>& specs, int right, int gap) {
    Layout layout;
    const std::size_t n = specs.size();
    bool defaultsFit = true;
    for (std::size_t i = 0; i < n; ++i) {
        const int end = i + 1 < n ? specs[i + 1].defaultX - gap : right;
        layout.columns.push_back({specs[i].defaultX, end});
        if (end - specs[i].defaultX < specs[i].needed)
            defaultsFit = false;
    }
    if (defaultsFit || n == 0)
        return layout;

    int fixedWidth = 0;
    for (const Spec& spec : specs)
        if (!spec.flexible)
            fixedWidth += spec.needed;
    const int left = specs.front().defaultX;
    const int flexibleWidth = right - left - fixedWidth - gap * static_cast<int>(n - 1);
    int x = left;
    for (std::size_t i = 0; i < n; ++i) {
        const int width = specs[i].flexible ? flexibleWidth : specs[i].needed;
        layout.columns[i] = {x, x + width};
        if (specs[i].flexible && width < specs[i].needed)
            layout.fits = false;
        x += width + gap;
    }
    if (x - gap > right)
        layout.fits = false;
    return layout;
}

} // namespace TableColumns
