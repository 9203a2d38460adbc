#include "RecentFileList.h"

#include "platform/SettingsStore.h"

#include <algorithm>

namespace {
const QString kGroup = QStringLiteral("Recent Document List");
const QString kCount = QStringLiteral("DocumentCount");

QString entryName(int n) {
    return QStringLiteral("Document%1").arg(n);
}

// File names differ by letter case here, so two names that differ only in case are two files.
#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)
constexpr Qt::CaseSensitivity kFileNameCase = Qt::CaseInsensitive;
#else
constexpr Qt::CaseSensitivity kFileNameCase = Qt::CaseSensitive;
#endif

// An unsaved document has no file to reopen.
bool namesNoFile(const QString& name) {
    return name.isEmpty() || name.compare(QLatin1String("Untitled"), Qt::CaseInsensitive) == 0;
}
} // namespace

void RecentFileList::SetMaximum(int maximum) {
    m_maximum = std::clamp(maximum, LowestMaximum, HighestMaximum);
}

std::optional<int> RecentFileList::IndexFromNewest(int n) const {
    if (n < 1 || n > Count())
        return std::nullopt;
    return Count() - n;
}

void RecentFileList::Add(const QString& name) {
    if (namesNoFile(name))
        return;
    m_entries.removeIf([&name](const QString& entry) { return entry.compare(name, kFileNameCase) == 0; });
    while (Count() >= m_maximum)
        m_entries.removeFirst();
    m_entries.append(name);
    emit changed();
}

void RecentFileList::RemoveAt(int index) {
    if (index < 0 || index >= Count())
        return;
    m_entries.removeAt(index);
    emit changed();
}

void RecentFileList::WriteTo(platform::SettingsStore& store) const {
    store.writeNumber(kGroup, kCount, m_maximum);
    for (int n = Count(); n >= 1; --n)
        store.writeText(kGroup, entryName(n), m_entries.at(Count() - n));
    // Values left from a longer list would come back as entries at the next start.
    for (int n = Count() + 1; n <= HighestMaximum; ++n)
        store.remove(kGroup, entryName(n));
}

void RecentFileList::ReadFrom(platform::SettingsStore& store) {
    m_entries.clear();
    const std::optional<int> maximum = store.readNumber(kGroup, kCount);
    if (maximum) {
        SetMaximum(*maximum);
        for (int n = m_maximum; n >= 1; --n)
            if (const std::optional<QString> name = store.readText(kGroup, entryName(n)); name && !namesNoFile(*name))
                m_entries.append(*name);
    }
    emit changed();
}
