#pragma once

// Reports: laying out a long daily report, printing it into a PDF file, recording and painting one
// preview page.
void runReportsBench();
