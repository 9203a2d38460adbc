#pragma once

#include <QString>

#include <optional>

namespace platform {

class ProgramRunner;

// Asks the desktop, through xdg-mime, whether a program is registered for a kind of address
// ("tel", "mailto", "http"). Asked afresh each time, so a program installed while this one runs is
// found; xdg-mime itself is looked for once, and its absence is remembered.
class SchemeHandlers {
public:
    enum class Answer {
        Registered,
        None,    // the desktop names no program for the scheme
        Unknown, // xdg-mime is missing, or did not answer in time
    };

    explicit SchemeHandlers(ProgramRunner& runner) : m_runner(runner) {}

    Answer HandlerFor(const QString& scheme);

    static constexpr int QueryTimeoutMs = 3000;

private:
    ProgramRunner& m_runner;
    std::optional<QString> m_xdgMime; // its path once looked for; empty when it is missing
};

} // namespace platform
