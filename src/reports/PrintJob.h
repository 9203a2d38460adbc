#pragma once

#include "platform/gui/DrawSurface.h"

#include <QString>

#include <functional>

class QPagedPaintDevice;
class QPdfWriter;
class QPrinter;
class Report;

// One print job: every page of a report to a printer or a PDF file, in order, on this thread. Each
// page is bracketed by saving and restoring the surface, so that no page leaves state to the next.
class PrintJob {
public:
    // "Tavoro! Document", the name the job goes by.
    static QString Title();

    // laidOutFor is the device the report was laid out on; when the printer differs (another
    // resolution or paper edge, as after choosing another printer from the preview), the pages are
    // carried onto its paper unchanged in size and place. pageDrawn(number, count) follows each
    // page. A report without pages prints nothing (no empty sheet) and succeeds. False when the
    // printer cannot start the job or fails during it.
    // (The printer half needs Qt Print Support and lives with the program's printing.)
    static bool Print(Report& report, QPrinter& printer, const platform::DeviceMetrics& laidOutFor,
                      const std::function<void(int, int)>& pageDrawn = {});
    // The same into a PDF file, without Qt Print Support (for the command line).
    static bool Print(Report& report, QPdfWriter& pdf, const platform::DeviceMetrics& laidOutFor,
                      const std::function<void(int, int)>& pageDrawn = {});

    // What both share: the pages onto a device whose metrics are `device`. `failed` tells whether
    // the device has failed since the last page; `abort` gives up the job before the painter ends,
    // so that no half-written output is finished.
    struct Device {
        QPagedPaintDevice& paintDevice;
        platform::DeviceMetrics metrics;
        std::function<bool()> failed;
        std::function<void()> abort;
    };
    static bool PrintPages(Report& report, const Device& device, const platform::DeviceMetrics& laidOutFor,
                           const std::function<void(int, int)>& pageDrawn);
};
