#include "PimDocument.h"

#include "DocumentReader.h"
#include "DocumentWriter.h"
#include "SimpleXMLParser.h"
#include "WaitCursor.h"
#include "platform/AtomicFile.h"

#include <algorithm>
#include <cstring>

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

bool PimDocument::Save(const QString& path) const {
    for (DocumentObserver* observer : m_observers)
        observer->DocumentSaving(*this);
    WaitCursor wait;
    return platform::WriteFileAtomically(path, DocumentWriter::Write(*this));
}

namespace {
std::size_t lengthToFirstNul(const char* text, std::size_t length) {
    if (length == 0) // text may then be null, which memchr does not allow
        return 0;
    const void* nul = std::memchr(text, '\0', length);
    return nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - text) : length;
}

void showParseError(PromptService& prompt, const SimpleXMLParser::Exception& error) {
    prompt.message(QStringLiteral("Parsing error at line %1").arg(error.Line()), QStringLiteral("Error Loading File"),
                   platform::PromptButtons::Ok, platform::PromptIcon::Stop);
}
} // namespace

bool PimDocument::Load(const char* text, std::size_t length, PromptService& prompt) {
    std::unique_ptr<SimpleXMLParser::Element> root;
    try {
        root = SimpleXMLParser::Parser().Parse(text, lengthToFirstNul(text, length));
    } catch (const SimpleXMLParser::Exception& error) {
        showParseError(prompt, error);
        return false;
    }
    DocumentReader::Read(*root, *this);
    return true;
}

bool PimDocument::Load(std::string&& text, PromptService& prompt) {
    text.resize(lengthToFirstNul(text.data(), text.size()));
    std::unique_ptr<SimpleXMLParser::Element> root;
    try {
        root = SimpleXMLParser::Parser().Parse(std::move(text));
    } catch (const SimpleXMLParser::Exception& error) {
        showParseError(prompt, error);
        return false;
    }
    DocumentReader::Read(*root, *this);
    return true;
}

void PimDocument::ClearContents() {
    ClearRecords();
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

bool PimDocument::ReadFromFile(const QString& path, PromptService& prompt) {
    std::optional<std::string> text = platform::ReadWholeFile(path);
    if (!text)
        return false;
    ClearContents();
    if (!Load(std::move(*text), prompt)) {
        // The records are gone; keeping the former name would let the next Save write the empty
        // document over that file. Untitled, Save asks where to write instead.
        SetFileName(QString());
        return false;
    }
    m_modified = false;
    NotifyChanged();
    return true;
}

bool PimDocument::WriteToFile(const QString& path) {
    if (!Save(path))
        return false;
    m_modified = false;
    return true;
}

PimDocument::FileResult PimDocument::SaveDocument(PromptService& prompt) {
    if (HasNoFileName())
        return SaveDocumentAs(prompt);
    if (!m_modified)
        return FileResult::Succeeded;
    return WriteToFile(m_fileName) ? FileResult::Succeeded : FileResult::Failed;
}

PimDocument::FileResult PimDocument::SaveDocumentAs(PromptService& prompt) {
    const std::optional<QString> name = prompt.saveFileName(FileDialog(QStringLiteral("Save As"), TitleName()));
    if (!name)
        return FileResult::Cancelled;
    if (!WriteToFile(*name))
        return FileResult::Failed;
    SetFileName(*name);
    return FileResult::Succeeded;
}

PimDocument::FileResult PimDocument::OpenWithDialog(PromptService& prompt) {
    const std::optional<QString> name = prompt.openFileName(FileDialog(QStringLiteral("Open"), QString()));
    if (!name)
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
