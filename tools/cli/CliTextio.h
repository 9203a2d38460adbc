#pragma once

#include <QStringList>

inline constexpr char kExportTextUsage[] =
    "export persons|tasks|appointments DOC OUT.csv|- [--separator C|tab] [--encloser C|none] [--no-header] "
    "[--columns NAME,...] [--bom]";
inline constexpr char kImportTextUsage[] =
    "import persons|tasks|appointments DOC IN.csv|- [--separator C|tab] [--encloser C|none] [--no-header] "
    "[--columns NAME,...]";

// tavoro-cli export persons|tasks|appointments DOC OUT.csv [options]: writes the records of DOC.
int runExport(const QStringList& args);
// tavoro-cli import persons|tasks|appointments DOC IN.csv [options]: adds the records of IN.csv
// to DOC (created when it does not exist) and saves it.
int runImport(const QStringList& args);
