#pragma once

#include <QString>

class PimDocument;

// What the document tells its views. The day view is the only observer in the program.
class DocumentObserver {
public:
    virtual ~DocumentObserver() = default;
    // The records changed as a whole or in part: refill everything shown.
    virtual void DocumentChanged(PimDocument& document) = 0;
    // The document is going away: detach.
    virtual void DocumentClosing(PimDocument& /*document*/) {}
    virtual void FileNameChanged(const QString& /*name*/) {}
};
