#pragma once

#include "platform/gui/DrawSurface.h"

#include <optional>

// Scope guards for a drawing surface's state: what a guard changes is put back when the guard goes
// out of scope, whichever way the scope is left, so that a page or a drawing routine leaves the
// surface as it found it.

// The whole state (font, pen, text background, position), saved when the guard is made and restored
// when it ends: the bracket around each page.
class SavedSurfaceState {
public:
    explicit SavedSurfaceState(platform::DrawSurface& surface) : m_surface(surface) { m_surface.save(); }
    ~SavedSurfaceState() { m_surface.restore(); }
    SavedSurfaceState(const SavedSurfaceState&) = delete;
    SavedSurfaceState& operator=(const SavedSurfaceState&) = delete;

private:
    platform::DrawSurface& m_surface;
};

// The pen: the one current when the guard was made comes back when it ends.
class PenGuard {
public:
    PenGuard(platform::DrawSurface& surface, const platform::Pen& pen)
        : m_surface(surface), m_previous(surface.selectPen(pen)) {}
    ~PenGuard() { m_surface.selectPen(m_previous); }
    PenGuard(const PenGuard&) = delete;
    PenGuard& operator=(const PenGuard&) = delete;

    // Another pen for the rest of the scope.
    void Use(const platform::Pen& pen) { m_surface.selectPen(pen); }

private:
    platform::DrawSurface& m_surface;
    platform::Pen m_previous;
};

// The text background: its mode, and its colour where one is given; both come back when the guard
// ends, the colour before the mode.
class BackgroundGuard {
public:
    BackgroundGuard(platform::DrawSurface& surface, platform::BackgroundMode mode,
                    const std::optional<QColor>& color = std::nullopt)
        : m_surface(surface), m_previousMode(surface.setBackgroundMode(mode)) {
        if (color)
            m_previousColor = surface.setBackgroundColor(*color);
    }
    ~BackgroundGuard() {
        if (m_previousColor)
            m_surface.setBackgroundColor(*m_previousColor);
        m_surface.setBackgroundMode(m_previousMode);
    }
    BackgroundGuard(const BackgroundGuard&) = delete;
    BackgroundGuard& operator=(const BackgroundGuard&) = delete;

private:
    platform::DrawSurface& m_surface;
    platform::BackgroundMode m_previousMode;
    std::optional<QColor> m_previousColor;
};
