#include "VCardExchange.h"

#include "DuplicateIndex.h"
#include "RecordUid.h"
#include "VCardReader.h"
#include "VCardWriter.h"

#include "docfile/DocumentBatch.h"
#include "docfile/PimDocument.h"

namespace vcardexchange {

ExchangeReport ImportText(PimDocument& document, std::string_view bytes) {
    ExchangeReport report(ExchangeReport::Kind::Contacts);
    const std::vector<VCard> cards = ReadVCards(bytes);
    if (cards.empty()) {
        // A calendar or any other file given by mistake: nothing to import, and no document to make.
        report.error = QStringLiteral("The file holds no vCard data");
        return report;
    }
    DuplicateIndex present(document.Records());
    DocumentBatch batch(document, QStringLiteral("Import"));
    int number = 0;
    for (const VCard& card : cards) {
        ++number;
        Person person;
        if (!personcard::Read(card, person, &report.unmapped)) {
            report.skipped.push_back("card " + std::to_string(number) + ": no name and no company");
            continue;
        }
        if (present.Held(person)) {
            ++report.alreadyPresent;
            continue;
        }
        if (!document.Add(std::move(person))) {
            // No ID is left: the import takes back what it added.
            batch.Cancel();
            return ExchangeReport::NoIdLeft(ExchangeReport::Kind::Contacts);
        }
        ++report.persons;
    }
    return report;
}

ExchangeReport ImportFile(PimDocument& document, const QString& path) {
    ExchangeReport unread(ExchangeReport::Kind::Contacts);
    const std::optional<std::string> bytes = unread.Read(path);
    return bytes ? ImportText(document, *bytes) : unread;
}

std::string ExportText(const PimDocument& document, const ExportOptions& options, int* written) {
    const QString& key = options.documentKey;
    VCardWriter writer;
    int count = 0;
    for (const auto& [id, person] : document.Persons()) {
        const bool everyone = !options.white && !options.yellow;
        if (!everyone && !(options.white && person.WhitePages) && !(options.yellow && person.YellowPages))
            continue;
        personcard::Write(writer, person, recorduid::UrnUid(key, RecordKind::Person, id), options.version);
        ++count;
    }
    if (written)
        *written = count;
    return std::move(writer.Text());
}

ExchangeReport ExportFile(const PimDocument& document, const QString& path, const ExportOptions& options) {
    ExchangeReport report(ExchangeReport::Kind::Contacts);
    report.Write(path, ExportText(document, options, &report.written));
    return report;
}

} // namespace vcardexchange
