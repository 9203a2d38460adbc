#include "PimDocument.h"

#include <algorithm>

PimDocument::PimDocument() : CurrentDate(DateTime::Today()) {}

PimDocument::~PimDocument() = default;

QString PimDocument::TitleName() const {
    return m_fileName.isEmpty() ? QStringLiteral("Untitled") : m_fileName;
}

bool PimDocument::HasNoFileName() const {
    return m_fileName.isEmpty() || m_fileName.compare(QLatin1String("Untitled"), Qt::CaseInsensitive) == 0;
}

void PimDocument::SetFileName(const QString& name) {
    m_fileName = name;
    for (DocumentObserver* observer : m_observers)
        observer->FileNameChanged(name);
}

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
