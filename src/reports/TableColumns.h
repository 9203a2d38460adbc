#pragma once

#include <vector>

// Where the columns of a daily report's table go. Each column keeps the place the report gives it
// while what it prints fits there; when something does not, the columns are packed from the first
// one's place instead: each fixed column (times, words, dates) as wide as its widest text, and the
// one flexible column (a description, shortened with an ellipsis) takes what is left.
namespace TableColumns {

struct Column {
    int x = 0;
    int right = 0; // the column's text ends before this
};

struct Demand {
    int defaultX = 0;
    int needed = 0; // the widest text of a fixed column; the least a flexible column may have
    bool flexible = false;
};

struct Layout {
    std::vector<Column> columns;
    bool fits = true; // false when even packed the columns leave the flexible one less than it needs
};

// gap: the space kept between one column's text and the next column.
Layout Place(const std::vector<Demand>& demands, int right, int gap);

} // namespace TableColumns
