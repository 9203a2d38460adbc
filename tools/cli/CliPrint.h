#pragma once

#include <QStringList>

inline constexpr char kPrintUsage[] = "print REPORT DOC [--date YYYY-MM-DD] [--white] [--yellow] --pdf OUT.pdf "
                                      "[--font FACE] [--size POINTS] [--paper NAME] [--landscape] [--margins MM]";

// tavoro-cli print: prints a report of the document into a PDF file, as File > Print does for the
// report the Report menu chose on that date (today when no date is given), on the named paper (the
// locale's when none is named) with equal margins all round (one inch when not given).
int runPrint(const QStringList& args);
