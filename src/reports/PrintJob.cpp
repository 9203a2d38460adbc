#include "reports/PrintJob.h"

#include "platform/gui/PainterSurface.h"
#include "platform/gui/PrinterMetrics.h"
#include "reports/Report.h"
#include "reports/SurfaceGuards.h"

#include <QPainter>
#include <QPrinter>

QString PrintJob::Title() {
    return QStringLiteral("%1 Document").arg(QStringLiteral("Tavoro!"));
}

bool PrintJob::Print(Report& report, QPrinter& printer, const platform::DeviceMetrics& laidOutFor,
                     const std::function<void(int, int)>& pageDrawn) {
    if (report.GetPageCount() <= 0)
        return true;
    printer.setDocName(Title());
    printer.setCreator(QStringLiteral("Tavoro!"));
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    painter.setTransform(platform::pageTransform(laidOutFor, platform::printerMetrics(printer)));
    platform::PainterSurface surface(&painter, laidOutFor, &printer);
    // The count is read again each time: the first page may switch to small type and repaginate.
    for (int page = 0; page < report.GetPageCount(); ++page) {
        if (page > 0 && !printer.newPage()) {
            printer.abort();
            return false;
        }
        {
            SavedSurfaceState pageState(surface);
            report.PrintPage(&surface, page);
        }
        if (printer.printerState() == QPrinter::Error) {
            printer.abort();
            return false;
        }
        if (pageDrawn)
            pageDrawn(page + 1, report.GetPageCount());
    }
    return painter.end();
}
