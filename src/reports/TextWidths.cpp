#include "reports/TextWidths.h"

#include <algorithm>

namespace {

const QString kEllipsis = QStringLiteral("\u2026");

QString fontKey(const platform::Font& font) {
    return font.face + QLatin1Char('/') + QString::number(font.height) + QLatin1Char('/') +
           QString::number(font.weight);
}

// The longest beginning of text that fits width with suffix after it, by halving the search.
qsizetype fittingLength(TextWidths& widths, const platform::DrawSurface& surface, const QString& text,
                        const QString& suffix, int width) {
    qsizetype low = 0;
    qsizetype high = text.size();
    while (low < high) {
        const qsizetype middle = (low + high + 1) / 2;
        if (widths.Of(surface, text.left(middle) + suffix) <= width)
            low = middle;
        else
            high = middle - 1;
    }
    // Never end inside a surrogate pair.
    if (low > 0 && low < text.size() && text.at(low - 1).isHighSurrogate())
        --low;
    return low;
}

} // namespace

platform::Font TextWidths::UseFont(const platform::Font& font) {
    platform::Font previous = m_font;
    m_font = font;
    m_current = &m_byFont[fontKey(font)];
    return previous;
}

int TextWidths::Of(const platform::DrawSurface& surface, const QString& text) {
    // Labels, times, dates and words recur; a long text is mostly one of a kind, and remembering
    // it would cost more than measuring it again.
    if (!m_current || text.size() > kLongestRemembered)
        return surface.textExtent(text).width();
    auto found = m_current->constFind(text);
    if (found != m_current->constEnd())
        return *found;
    const int width = surface.textExtent(text).width();
    m_current->insert(text, width);
    return width;
}

QString TextWidths::Elided(const platform::DrawSurface& surface, const QString& text, int width) {
    if (Of(surface, text) <= width)
        return text;
    if (Of(surface, kEllipsis) > width)
        return QString();
    const qsizetype length = fittingLength(*this, surface, text, kEllipsis, width);
    QString beginning = text.left(length);
    while (!beginning.isEmpty() && beginning.back().isSpace())
        beginning.chop(1);
    return beginning + kEllipsis;
}

QStringList TextWidths::Wrapped(const platform::DrawSurface& surface, const QString& text, int width) {
    QStringList lines;
    for (const QString& paragraph : text.split(QLatin1Char('\n'))) {
        QString line;
        for (const QString& word : paragraph.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            const QString joined = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
            if (Of(surface, joined) <= width) {
                line = joined;
                continue;
            }
            if (!line.isEmpty())
                lines.append(line);
            line = word;
            // A word wider than the line is broken where the line ends.
            while (line.size() > 1 && Of(surface, line) > width) {
                const qsizetype length = std::max<qsizetype>(1, fittingLength(*this, surface, line, QString(), width));
                lines.append(line.left(length));
                line = line.mid(length);
            }
        }
        if (!line.isEmpty())
            lines.append(line);
    }
    return lines;
}
