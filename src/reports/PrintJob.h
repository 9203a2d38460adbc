#pragma once

#include "platform/gui/DrawSurface.h"

#include <QString>

#include <functional>

class QPrinter;
class Report;

// One print job: every page of a report to a printer, in order, on this thread. Each page is
// bracketed by saving and restoring the surface, so that no page leaves state to the next.
class PrintJob {
public:
    // "Tavoro! Document", the name the job goes by.
    static QString Title();

    // laidOutFor is the device the report was laid out on; when the printer differs (another
    // resolution or paper edge, as after choosing another printer from the preview), the pages are
    // carried onto its paper unchanged in size and place. pageDrawn(number, count) follows each
    // page. A report without pages prints nothing (no empty sheet) and succeeds. False when the
    // printer cannot start the job or fails during it.
    static bool Print(Report& report, QPrinter& printer, const platform::DeviceMetrics& laidOutFor,
                      const std::function<void(int, int)>& pageDrawn = {});
};
