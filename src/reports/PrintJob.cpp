#include "reports/PrintJob.h"

#include "platform/gui/PainterSurface.h"
#include "platform/gui/PrinterMetrics.h"
#include "reports/Report.h"
#include "reports/SurfaceGuards.h"

#include <QPainter>
#include <QPdfWriter>

QString PrintJob::Title() {
    return QStringLiteral("%1 Document").arg(QStringLiteral("Tavoro!"));
}

bool PrintJob::PrintPages(Report& report, const Device& device, const platform::DeviceMetrics& laidOutFor,
                          const std::function<void(int, int)>& pageDrawn) {
    QPainter painter;
    if (!painter.begin(&device.paintDevice))
        return false;
    const auto giveUp = [&] {
        if (device.abort)
            device.abort();
        return false;
    };
    painter.setTransform(platform::pageTransform(laidOutFor, device.metrics));
    platform::PainterSurface surface(&painter, laidOutFor, &device.paintDevice);
    // The count is read again each time: the first page may switch to small type and repaginate.
    for (int page = 0; page < report.GetPageCount(); ++page) {
        if (page > 0 && !device.paintDevice.newPage())
            return giveUp();
        {
            SavedSurfaceState pageState(surface);
            report.PrintPage(&surface, page);
        }
        if (device.failed && device.failed())
            return giveUp();
        if (pageDrawn)
            pageDrawn(page + 1, report.GetPageCount());
    }
    return painter.end();
}

bool PrintJob::Print(Report& report, QPdfWriter& pdf, const platform::DeviceMetrics& laidOutFor,
                     const std::function<void(int, int)>& pageDrawn) {
    if (report.GetPageCount() <= 0)
        return true;
    pdf.setTitle(Title());
    pdf.setCreator(QStringLiteral("Tavoro!"));
    const Device device{pdf, platform::pageMetrics(pdf.pageLayout(), pdf.resolution()), {}, {}};
    return PrintPages(report, device, laidOutFor, pageDrawn);
}
