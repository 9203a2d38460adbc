#include "reports/PaperNames.h"

#include <algorithm>
#include <iterator>

namespace PaperNames {

namespace {

struct Named {
    const char* name;
    QPageSize::PageSizeId id;
};

const Named kPapers[] = {
    {"A3", QPageSize::A3},
    {"A4", QPageSize::A4},
    {"A5", QPageSize::A5},
    {"A6", QPageSize::A6},
    {"B5", QPageSize::B5},
    {"Letter", QPageSize::Letter},
    {"Legal", QPageSize::Legal},
    {"DL", QPageSize::DLE},
    {"C4", QPageSize::EnvelopeC4},
    {"C5", QPageSize::C5E},
    {"C6", QPageSize::EnvelopeC6},
    {"Env10", QPageSize::Comm10E},
    {"Monarch", QPageSize::EnvelopeMonarch},
};

} // namespace

QStringList Names() {
    QStringList names;
    for (const Named& paper : kPapers)
        names.append(QLatin1String(paper.name));
    return names;
}

std::optional<QPageSize> Find(const QString& name) {
    for (const Named& paper : kPapers)
        if (name.compare(QLatin1String(paper.name), Qt::CaseInsensitive) == 0)
            return QPageSize(paper.id);
    for (int id = 0; id <= QPageSize::LastPageSize; ++id) {
        const auto sizeId = static_cast<QPageSize::PageSizeId>(id);
        if (sizeId != QPageSize::Custom && name.compare(QPageSize::key(sizeId), Qt::CaseInsensitive) == 0)
            return QPageSize(sizeId);
    }
    return std::nullopt;
}

QPageSize LocalePaper(const QLocale& locale) {
    static const QLocale::Territory letterCountries[] = {
        QLocale::UnitedStates, QLocale::Canada,    QLocale::Mexico,     QLocale::Philippines,
        QLocale::Chile,        QLocale::Colombia,  QLocale::Venezuela,  QLocale::CostaRica,
        QLocale::Guatemala,    QLocale::Panama,    QLocale::PuertoRico, QLocale::DominicanRepublic,
        QLocale::ElSalvador,   QLocale::Nicaragua,
    };
    const bool letter = std::find(std::begin(letterCountries), std::end(letterCountries), locale.territory()) !=
                        std::end(letterCountries);
    return QPageSize(letter ? QPageSize::Letter : QPageSize::A4);
}

} // namespace PaperNames
