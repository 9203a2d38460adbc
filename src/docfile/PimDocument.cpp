#include "PimDocument.h"

#include "BackupStore.h"
#include "DocumentLock.h"
#include "DocumentReader.h"
#include "DocumentWriter.h"
#include "SimpleXMLParser.h"
#include "WaitCursor.h"
#include "platform/AtomicFile.h"

#include <algorithm>
#include <cstring>
#include <new>

using platform::PromptService;

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
    m_lock.reset();
    m_readOnly = false;
    if (!HasNoFileName()) {
        m_lock = std::make_unique<DocumentLock>(name);
        m_readOnly = !m_lock->IsLocked() && DocumentLock::HolderOf(name).has_value();
    }
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

bool PimDocument::Save(const QString& path, platform::FileError* error) const {
    for (DocumentObserver* observer : m_observers)
        observer->DocumentSaving(*this);
    WaitCursor wait;
    const BackupStore backups = BackupStore::Standard();
    const QString backupProblem = backups.Keep(path);
    if (!platform::WriteFileAtomically(path, DocumentWriter::Write(m_records), error))
        return false;
    backups.Prune(path);
    if (!backupProblem.isEmpty()) {
        if (m_backupProblem)
            m_backupProblem(path, backupProblem);
        else
            qWarning("no backup of %s was kept: %s", qPrintable(path), qPrintable(backupProblem));
    }
    return true;
}

namespace {
std::size_t lengthToFirstNul(const char* text, std::size_t length) {
    if (length == 0) // text may then be null, which memchr does not allow
        return 0;
    const void* nul = std::memchr(text, '\0', length);
    return nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - text) : length;
}

// Editors put a UTF-8 byte-order mark before the text; it is no part of the XML.
std::size_t byteOrderMarkLength(const char* text, std::size_t length) {
    return length >= 3 && std::memcmp(text, "\xEF\xBB\xBF", 3) == 0 ? 3 : 0;
}

void showLoadError(PromptService& prompt, const QString& text) {
    prompt.message(text, QStringLiteral("Error Loading File"), platform::PromptButtons::Ok, platform::PromptIcon::Stop);
}

// Fills the records from the parsed tree, or says why the file is not read.
template <class Parse> bool loadParsed(PimRecords& records, PromptService& prompt, Parse parse) {
    std::unique_ptr<SimpleXMLParser::Element> root;
    try {
        root = parse();
    } catch (const SimpleXMLParser::Exception& error) {
        showLoadError(prompt, QStringLiteral("Parsing error at line %1").arg(error.Line()));
        return false;
    }
    if (!DocumentReader::Read(*root, records)) {
        showLoadError(prompt, QStringLiteral("The file is not a Tavoro! document."));
        return false;
    }
    return true;
}
} // namespace

bool PimDocument::Load(const char* text, std::size_t length, PromptService& prompt) {
    length = lengthToFirstNul(text, length);
    const std::size_t mark = byteOrderMarkLength(text, length);
    return loadParsed(m_records, prompt, [&] { return SimpleXMLParser::Parser().Parse(text + mark, length - mark); });
}

bool PimDocument::Load(std::string&& text, PromptService& prompt) {
    text.resize(lengthToFirstNul(text.data(), text.size()));
    text.erase(0, byteOrderMarkLength(text.data(), text.size()));
    return loadParsed(m_records, prompt, [&] { return SimpleXMLParser::Parser().Parse(std::move(text)); });
}

void PimDocument::ClearContents() {
    m_records.ClearRecords();
    m_step.reset();
    m_history.Clear(true);
    m_modified = false;
    for (DocumentObserver* observer : m_observers)
        observer->DocumentReplaced(*this);
    NotifyChanged();
}

bool PimDocument::New() {
    ClearContents();
    SetFileName(QString());
    return true;
}

bool PimDocument::ReadFromFile(const QString& path, PromptService& prompt, platform::FileError* error) {
    std::optional<std::string> text = platform::ReadWholeFile(path, error);
    if (!text)
        return false;
    ClearContents();
    bool loaded = false;
    try {
        loaded = Load(std::move(*text), prompt);
    } catch (const std::bad_alloc&) {
        m_records.ClearRecords(); // what did fit is only part of the file
        if (error)
            *error = platform::FileError::TooLarge;
    }
    if (!loaded) {
        // The records are gone; keeping the former name would let the next Save write the empty
        // document over that file. Untitled, Save asks where to write instead.
        SetFileName(QString());
        NotifyChanged();
        return false;
    }
    SetModified(false);
    NotifyChanged();
    return true;
}

bool PimDocument::WriteToFile(const QString& path) {
    if (!Save(path))
        return false;
    SetModified(false);
    return true;
}

bool PimDocument::ConfirmOpen(const QString& path, PromptService& prompt) {
    const std::optional<DocumentLock::Holder> holder = DocumentLock::HolderOf(path);
    if (!holder)
        return true;
    return prompt.message(QStringLiteral("%1 is in use by %2.\n\nDo you want to open it read-only?")
                              .arg(path, DocumentLock::Describe(*holder)),
                          QStringLiteral("Tavoro!"), platform::PromptButtons::YesNo,
                          platform::PromptIcon::Exclamation) == platform::PromptAnswer::Yes;
}

PimDocument::FileResult PimDocument::SaveDocument(PromptService& prompt) {
    if (HasNoFileName() || m_readOnly)
        return SaveDocumentAs(prompt);
    if (!m_modified)
        return FileResult::Succeeded;
    return WriteToFile(m_fileName) ? FileResult::Succeeded : FileResult::Failed;
}

PimDocument::FileResult PimDocument::SaveDocumentAs(PromptService& prompt) {
    const std::optional<QString> name = prompt.saveFileName(FileDialog(QStringLiteral("Save As"), TitleName()));
    if (!name)
        return FileResult::Cancelled;
    if (const std::optional<DocumentLock::Holder> holder = DocumentLock::HolderOf(*name)) {
        prompt.message(QStringLiteral("%1 is in use by %2 and cannot be written over. Choose another name.")
                           .arg(*name, DocumentLock::Describe(*holder)),
                       QStringLiteral("Tavoro!"), platform::PromptButtons::Ok, platform::PromptIcon::Exclamation);
        return FileResult::Cancelled;
    }
    if (!WriteToFile(*name))
        return FileResult::Failed;
    SetFileName(*name);
    return FileResult::Succeeded;
}

PimDocument::FileResult PimDocument::OpenWithDialog(PromptService& prompt) {
    const std::optional<QString> name = prompt.openFileName(FileDialog(QStringLiteral("Open"), QString()));
    if (!name || !ConfirmOpen(*name, prompt))
        return FileResult::Cancelled;
    if (!ReadFromFile(*name, prompt))
        return FileResult::Failed;
    SetFileName(*name);
    return FileResult::Succeeded;
}

platform::FileDialogRequest PimDocument::FileDialog(const QString& title, const QString& initialName) {
    platform::FileDialogRequest request;
    request.title = title;
    request.initialName = initialName;
    request.filters = QStringList{QStringLiteral("Tavoro Files (*.pgr)"), QStringLiteral("All Files (*.*)")};
    request.defaultExtension = QStringLiteral("pgr");
    request.confirmOverwrite = true;
    return request;
}
