#pragma once

#include "platform/gui/DrawSurface.h"

#include <QTransform>

class QPageLayout;
class QPrinter;

namespace platform {

// A printer as pages are laid out for it: its resolution, the whole sheet in its current page size
// and orientation, and the unprintable edge above and left of the point painting starts from.
// (Needs Qt Print Support: only the program's printing links it.)
DeviceMetrics printerMetrics(const QPrinter& printer);

// The same for a page layout at a resolution, as a PDF writer uses it.
DeviceMetrics pageMetrics(const QPageLayout& layout, int resolution);

// Carries device coordinates of a page laid out for one device onto another, so that every point
// lands on the same place of the paper.
QTransform pageTransform(const DeviceMetrics& from, const DeviceMetrics& to);

} // namespace platform
