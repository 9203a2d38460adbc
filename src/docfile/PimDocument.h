#pragma once

#include "core/PimRecords.h"
#include "docfile/DocumentObserver.h"

#include <QString>

#include <vector>

// The one open document: its records, plus the file name, the modified flag, the views that
// observe it and the date selected in the calendar.
class PimDocument : public PimRecords {
public:
    PimDocument();
    ~PimDocument() override;

    bool IsModified() const { return m_modified; }
    void SetModified(bool modified) { m_modified = modified; }

    // Empty for a document that was never saved or opened.
    const QString& FileName() const { return m_fileName; }
    // The name shown and stored for the document: "Untitled" when it has none.
    QString TitleName() const;
    // True when there is no file name, or the name is "Untitled" in any letter case.
    bool HasNoFileName() const;
    void SetFileName(const QString& name);

    void AddObserver(DocumentObserver* observer);
    void RemoveObserver(DocumentObserver* observer);
    const std::vector<DocumentObserver*>& Observers() const { return m_observers; }
    void NotifyChanged();
    void NotifyClosing();

    // The date selected in the calendar; today at 00:00 when the program starts.
    DateTime CurrentDate;

private:
    bool m_modified = false;
    QString m_fileName;
    std::vector<DocumentObserver*> m_observers;
};
