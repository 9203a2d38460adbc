#pragma once

#include "DocumentSearch.h"
#include "SearchResultsModel.h"

#include <QTimer>
#include <QWidget>

class PimDocument;
class QLineEdit;
class QTreeView;

// Edit > Find: a search field above the day view's lists and the records found as the user types.
// Enter or a double-click chooses the record under the cursor (the first one while the cursor is
// in the field); Down moves from the field into the results; Esc closes the search.
class SearchPanel : public QWidget {
    Q_OBJECT
public:
    // Rows shown before the "and N more" row.
    static constexpr std::size_t kShownHits = 200;

    explicit SearchPanel(PimDocument& document, QWidget* parent = nullptr);

    // Shows the panel and puts the focus in the field, its text selected to be typed over.
    void Open();
    void Close();

    QLineEdit* Field() const { return m_field; }
    QTreeView* Results() const { return m_results; }
    const SearchResultsModel& Model() const { return m_model; }
    DocumentSearch& Search() { return m_search; }

signals:
    void recordChosen(SearchHit hit);
    void closed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void runQuery();
    void choose(int row);

    DocumentSearch m_search;
    SearchResultsModel m_model;
    QLineEdit* m_field = nullptr;
    QTreeView* m_results = nullptr;
    QTimer m_rerun; // the records changed while results are shown
};
