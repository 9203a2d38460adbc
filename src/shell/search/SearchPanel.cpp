#include "SearchPanel.h"

#include "docfile/PimDocument.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>

SearchPanel::SearchPanel(PimDocument& document, QWidget* parent) : QWidget(parent), m_search(document) {
    setObjectName(QStringLiteral("searchPanel"));
    m_field = new QLineEdit(this);
    m_field->setObjectName(QStringLiteral("searchField"));
    m_field->setPlaceholderText(QStringLiteral("Name, company, phone, e-mail, city or description"));
    m_field->setClearButtonEnabled(true);
    auto* label = new QLabel(QStringLiteral("&Find:"), this);
    label->setBuddy(m_field);
    auto* close = new QToolButton(this);
    close->setObjectName(QStringLiteral("searchClose"));
    close->setText(QStringLiteral("Close"));
    close->setToolTip(QStringLiteral("Close the search (Esc)"));
    close->setAutoRaise(true);

    m_results = new QTreeView(this);
    m_results->setObjectName(QStringLiteral("searchResults"));
    m_results->setAccessibleName(QStringLiteral("Search results"));
    m_results->setModel(&m_model);
    m_results->setRootIsDecorated(false);
    m_results->setUniformRowHeights(true);
    m_results->setAllColumnsShowFocus(true);
    m_results->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_results->setSelectionMode(QAbstractItemView::SingleSelection);
    m_results->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_results->header()->setStretchLastSection(false);
    m_results->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_results->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    m_results->header()->setSectionResizeMode(2, QHeaderView::ResizeToContents);
    m_results->setFixedHeight(m_results->header()->sizeHint().height() + 7 * fontMetrics().height() +
                              2 * m_results->frameWidth() + 8);

    auto* line = new QHBoxLayout;
    line->addWidget(label);
    line->addWidget(m_field, 1);
    line->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addLayout(line);
    layout->addWidget(m_results);

    m_rerun.setSingleShot(true);
    m_rerun.setInterval(0);
    connect(&m_rerun, &QTimer::timeout, this, &SearchPanel::runQuery);
    connect(&m_search, &DocumentSearch::recordsChanged, this, [this] {
        if (isVisible())
            m_rerun.start();
    });
    connect(m_field, &QLineEdit::textChanged, this, &SearchPanel::runQuery);
    connect(close, &QToolButton::clicked, this, &SearchPanel::Close);
    connect(m_results, &QTreeView::doubleClicked, this, [this](const QModelIndex& index) { choose(index.row()); });
    m_field->installEventFilter(this);
    m_results->installEventFilter(this);
    hide();
}

void SearchPanel::Open() {
    show();
    m_search.Prepare();
    runQuery();
    m_field->setFocus(Qt::ShortcutFocusReason);
    m_field->selectAll();
}

void SearchPanel::Close() {
    hide();
    emit closed();
}

void SearchPanel::runQuery() {
    m_rerun.stop();
    const QString text = m_field->text();
    if (text.trimmed().isEmpty()) {
        m_model.Clear();
        return;
    }
    m_model.SetResults(m_search.Find(text, kShownHits), m_search.Document().Records());
    if (m_model.Hits() > 0)
        m_results->setCurrentIndex(m_model.index(0, 0));
}

void SearchPanel::choose(int row) {
    if (const std::optional<SearchHit> hit = m_model.HitAt(row))
        emit recordChosen(*hit);
}

bool SearchPanel::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride)
        return QWidget::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (event->type() == QEvent::ShortcutOverride) {
        // Esc and Enter belong to the search while it has the focus, whatever else they do in the
        // window.
        if (key == Qt::Key_Escape || key == Qt::Key_Return || key == Qt::Key_Enter)
            event->accept();
        return false;
    }
    if (key == Qt::Key_Escape) {
        Close();
        return true;
    }
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        const QModelIndex current = m_results->currentIndex();
        choose(current.isValid() ? current.row() : 0);
        return true;
    }
    if (watched == m_field && (key == Qt::Key_Down || key == Qt::Key_PageDown) && m_model.Hits() > 0) {
        m_results->setFocus(Qt::TabFocusReason);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
