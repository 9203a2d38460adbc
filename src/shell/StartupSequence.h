#pragma once

#include <QStringList>

class HeldPromptService;
class MainFrame;

// The start-up once the main window is built: the start-up document is read and the day view
// filled while the splash shows, so the window is ready when the splash closes however large the
// document is. Notices about a damaged file wait for the splash to close; then the window shows.
class StartupSequence {
public:
    // `prompts` must be the prompt service the frame speaks through.
    StartupSequence(MainFrame& frame, HeldPromptService& prompts) : m_frame(frame), m_prompts(prompts) {}

    // Returns once the window is shown. `fileNames` are the command line's documents; with none,
    // the last document used is opened when the settings ask for it.
    void Run(const QStringList& fileNames, bool showSplash);

private:
    void openDocument(const QStringList& fileNames);

    MainFrame& m_frame;
    HeldPromptService& m_prompts;
};
