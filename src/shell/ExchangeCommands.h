#pragma once

#include <QString>
#include <QStringList>

class DocumentStorage;
class PimDocument;

namespace platform {
class PromptService;
}

// File > Import and Export of contacts as vCard and of the calendar as iCalendar, and files of
// those kinds dropped on the main window: each asks for the file (or, for a drop, whether to
// import it), does the work and shows what it did.
class ExchangeCommands {
public:
    enum class Format { Contacts, Calendar };

    ExchangeCommands(DocumentStorage& storage, platform::PromptService& prompts);

    void Import(Format format);
    void Export(Format format);
    // Imports each .vcf or .ics file among the paths once the user agrees; other files are
    // passed over. False when none of them is of those kinds.
    bool ImportDropped(const QStringList& paths);

    // The format a file's name says, if it is one of the two.
    static bool FormatOf(const QString& path, Format& format);

private:
    void importFile(Format format, const QString& path);

    DocumentStorage& m_storage;
    PimDocument& m_document;
    platform::PromptService& m_prompts;
};
