#pragma once

#include "platform/gui/DrawSurface.h"

#include <QHash>
#include <QString>
#include <QStringList>

// Measures texts in the font a report last chose and remembers each width, so that a label, a time
// or a date printed on every row is measured once per report and font; and shortens what is too
// wide: an ellipsis ends a text cut to a width, and word wrapping breaks a text into lines.
class TextWidths {
public:
    // The font the surface draws with from now on; later widths are of this font. Returns the font
    // widths were of until now.
    platform::Font UseFont(const platform::Font& font);
    int Of(const platform::DrawSurface& surface, const QString& text);

    // The text itself when it fits the width, else its longest beginning that fits with "…" after it
    // (the ellipsis alone, or nothing, when even that is too wide).
    QString Elided(const platform::DrawSurface& surface, const QString& text, int width);
    // The text broken at spaces into lines no wider than width; a word wider than a line is broken
    // where it must be. Line breaks in the text start new lines; blank lines are left out.
    QStringList Wrapped(const platform::DrawSurface& surface, const QString& text, int width);

private:
    static constexpr qsizetype kLongestRemembered = 24;

    platform::Font m_font;
    QHash<QString, int>* m_current = nullptr;
    QHash<QString, QHash<QString, int>> m_byFont;
};
