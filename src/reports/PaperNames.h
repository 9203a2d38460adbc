#pragma once

#include <QLocale>
#include <QPageSize>
#include <QString>
#include <QStringList>

#include <optional>

// Paper sizes by name: the ones a user names on the command line (A3 to A6, B5, Letter, Legal and
// the common envelopes) and any size by the key the page setup is remembered under.
namespace PaperNames {

// "A3", "A4", ..., "DL", "C5", "C6", "Env10", "Monarch".
QStringList Names();
// A name of Names() or a size's key, without regard to letter case; nothing for an unknown name.
std::optional<QPageSize> Find(const QString& name);
// Letter in the countries that use it, A4 elsewhere.
QPageSize LocalePaper(const QLocale& locale);

} // namespace PaperNames
