#include "PimDocument.h"

#include <algorithm>

PimDocument::PimDocument() = default;

PimDocument::~PimDocument() = default;

void PimDocument::AddObserver(DocumentObserver* observer) {
    if (std::find(m_observers.begin(), m_observers.end(), observer) == m_observers.end())
        m_observers.push_back(observer);
}

void PimDocument::RemoveObserver(DocumentObserver* observer) {
    m_observers.erase(std::remove(m_observers.begin(), m_observers.end(), observer), m_observers.end());
}

void PimDocument::NotifyChanged() {
    for (DocumentObserver* observer : m_observers)
        observer->DocumentChanged(*this);
}

void PimDocument::NotifyClosing() {
    const auto observers = m_observers;
    for (DocumentObserver* observer : observers)
        observer->DocumentClosing(*this);
}

void PimDocument::NotifySaving() const {
    for (DocumentObserver* observer : m_observers)
        observer->DocumentSaving(*this);
}

void PimDocument::ClearContents() {
    m_records.ClearRecords();
    Replaced();
}

void PimDocument::Replace(PimRecords records) {
    m_records = std::move(records);
    Replaced();
}

void PimDocument::Replaced() {
    m_step.reset();
    m_history.Clear(true);
    m_modified = false;
    for (DocumentObserver* observer : m_observers)
        observer->DocumentReplaced(*this);
    NotifyChanged();
}
