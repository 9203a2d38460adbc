#pragma once

class DateTime;
class PimDocument;

// `records` persons, tasks and appointments spread over a year either side of `today`.
void fillBenchDocument(PimDocument& document, const DateTime& today, int records);

// The main window over a large document: opening it, choosing another date, switching the phone
// book between white and yellow pages.
void runShellBench();
