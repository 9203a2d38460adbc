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
    const DuplicateIndex present(document.Records());
    DocumentBatch batch(document, QStringLiteral("Import"));
    int number = 0;
    bool full = false;
    // Card by card as they are read: a huge file never stands in memory as cards.
    const int cards = ForEachVCard(bytes, [&](const VCard& card) {
        ++number;
        if (full)
            return;
        Person person;
        if (!personcard::Read(card, person, &report.unmapped)) {
            report.skipped.push_back("card " + std::to_string(number) + ": no name and no company");
            return;
        }
        if (present.Held(person)) {
            ++report.alreadyPresent;
            return;
        }
        person.CardOrg = personcard::KeptOrganization(card);
        full = !document.Add(std::move(person));
        if (!full)
            ++report.persons;
    });
    if (full) {
        // No ID is left: the import takes back what it added.
        batch.Cancel();
        return ExchangeReport::NoIdLeft(ExchangeReport::Kind::Contacts);
    }
    if (cards == 0) {
        // A calendar or any other file given by mistake: nothing to import, and no document to make.
        report.error = QStringLiteral("The file holds no vCard data");
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
