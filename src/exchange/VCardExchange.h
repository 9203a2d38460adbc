#pragma once

#include "ExchangeReport.h"
#include "PersonCard.h"

#include <QString>

#include <string_view>

class PimDocument;

// vCard files of the whole address book, in and out.
namespace vcardexchange {

struct ExportOptions {
    bool white = false;  // only persons in the White Pages ...
    bool yellow = false; // ... or in the Yellow Pages; neither: everyone
    VCardVersion version = VCardVersion::V30;
    QString documentKey = QStringLiteral("Untitled"); // recorduid::DocumentKey of the document's file
};

// Adds a person for every card that names someone and is not in the document already. The document
// is marked modified and notified once, when anything was added.
ExchangeReport ImportText(PimDocument& document, std::string_view bytes);
ExchangeReport ImportFile(PimDocument& document, const QString& path);

// The persons in ID order as one file, replaced only once every byte is written.
std::string ExportText(const PimDocument& document, const ExportOptions& options, int* written = nullptr);
ExchangeReport ExportFile(const PimDocument& document, const QString& path, const ExportOptions& options);

} // namespace vcardexchange
