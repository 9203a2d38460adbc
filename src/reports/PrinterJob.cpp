#include "reports/PrintJob.h"

#include "platform/gui/PrinterMetrics.h"
#include "reports/Report.h"

#include <QPrinter>

bool PrintJob::Print(Report& report, QPrinter& printer, const platform::DeviceMetrics& laidOutFor,
                     const std::function<void(int, int)>& pageDrawn) {
    if (report.GetPageCount() <= 0)
        return true;
    printer.setDocName(Title());
    printer.setCreator(QStringLiteral("Tavoro!"));
    const Device device{printer, platform::printerMetrics(printer),
                        [&printer] { return printer.printerState() == QPrinter::Error; },
                        [&printer] { printer.abort(); }};
    return PrintPages(report, device, laidOutFor, pageDrawn);
}
