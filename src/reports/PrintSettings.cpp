#include "reports/PrintSettings.h"

#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>

PrintSettings::PrintSettings() {
    const QPrinterInfo defaultPrinter = QPrinterInfo::defaultPrinter();
    if (defaultPrinter.isNull()) {
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        m_printer->setOutputFormat(QPrinter::PdfFormat);
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
