#pragma once

#include "reports/Report.h"
#include "reports/ReportSelection.h"

#include <memory>

// Builds the report the selection names, from the records gathered in it, laid out on the layout
// surface with the page margins and report font. Null while no report is chosen.
std::unique_ptr<Report> CreateReport(platform::DrawSurface* layout, const ReportSelection& selection,
                                     const PageMargins& margins, const ReportFont& font);
