#include "reports/PrintSettings.h"

#include "platform/SettingsStore.h"
#include "reports/PaperNames.h"

#include <QLocale>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>

#include <algorithm>

namespace {

const QString kGroup = QStringLiteral("Page Setup");

} // namespace

PrintSettings::PrintSettings() {
    const QPrinterInfo defaultPrinter = QPrinterInfo::defaultPrinter();
    if (defaultPrinter.isNull()) {
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        m_printer->setOutputFormat(QPrinter::PdfFormat);
        m_printer->setPageSize(PaperNames::LocalePaper(QLocale()));
    } else {
        m_printer = std::make_unique<QPrinter>(defaultPrinter, QPrinter::HighResolution);
    }
    UseDeviceMargins();
}

PrintSettings::~PrintSettings() = default;

void PrintSettings::UsePdfFile(const QString& fileName) {
    m_printer->setOutputFormat(QPrinter::PdfFormat);
    m_printer->setOutputFileName(fileName);
    UseDeviceMargins();
}

void PrintSettings::UseDeviceMargins() {
    const QPageLayout layout = m_printer->pageLayout();
    m_printer->setFullPage(false);
    m_printer->setPageMargins(layout.minimumMargins(), layout.units());
}

std::unique_ptr<QPrinter> PrintSettings::PdfPrinter(const QString& fileName) const {
    auto pdf = std::make_unique<QPrinter>(QPrinter::HighResolution);
    pdf->setOutputFormat(QPrinter::PdfFormat);
    pdf->setOutputFileName(fileName);
    pdf->setPageSize(m_printer->pageLayout().pageSize());
    pdf->setPageOrientation(m_printer->pageLayout().orientation());
    pdf->setResolution(m_printer->resolution());
    pdf->setFullPage(false);
    pdf->setPageMargins(pdf->pageLayout().minimumMargins(), pdf->pageLayout().units());
    return pdf;
}

void PrintSettings::RestorePageSetup(const platform::SettingsStore& store) {
    if (const auto name = store.readText(kGroup, QStringLiteral("Paper")))
        if (const auto paper = PaperNames::Find(*name))
            m_printer->setPageSize(*paper);
    if (const auto landscape = store.readNumber(kGroup, QStringLiteral("Landscape")))
        m_printer->setPageOrientation(*landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    const auto margin = [&](const char* name, int& value) {
        // A margin of more than ten inches cannot be meant; such a value keeps the default.
        if (const auto stored = store.readNumber(kGroup, QLatin1String(name));
            stored && *stored >= 0 && *stored <= 10000)
            value = *stored;
    };
    margin("LeftMargin", Margins.left);
    margin("TopMargin", Margins.top);
    margin("RightMargin", Margins.right);
    margin("BottomMargin", Margins.bottom);
    UseDeviceMargins();
}

void PrintSettings::RememberPageSetup(platform::SettingsStore& store) const {
    store.writeText(kGroup, QStringLiteral("Paper"), QPageSize::key(m_printer->pageLayout().pageSize().id()));
    store.writeNumber(kGroup, QStringLiteral("Landscape"),
                      m_printer->pageLayout().orientation() == QPageLayout::Landscape ? 1 : 0);
    store.writeNumber(kGroup, QStringLiteral("LeftMargin"), Margins.left);
    store.writeNumber(kGroup, QStringLiteral("TopMargin"), Margins.top);
    store.writeNumber(kGroup, QStringLiteral("RightMargin"), Margins.right);
    store.writeNumber(kGroup, QStringLiteral("BottomMargin"), Margins.bottom);
}
