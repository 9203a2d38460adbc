#pragma once

// The main window over a large document: opening it, choosing another date, switching the phone
// book between white and yellow pages.
void runShellBench();
