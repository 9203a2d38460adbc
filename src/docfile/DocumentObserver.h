#pragma once

class PimDocument;

// What the document tells its views. The day view is the only observer in the program.
class DocumentObserver {
public:
    virtual ~DocumentObserver() = default;
    // The records changed as a whole or in part: refill everything shown.
    virtual void DocumentChanged(PimDocument& document) = 0;
    // The document is going away: detach.
    virtual void DocumentClosing(PimDocument& /*document*/) {}
    // The records were replaced as a whole (New, or a file read into the document): whatever was
    // kept about the former records no longer applies.
    virtual void DocumentReplaced(PimDocument& /*document*/) {}
    // The document is about to be written to a file: the last moment to put pending changes into
    // the records that are written.
    virtual void DocumentSaving(const PimDocument& /*document*/) {}
};
