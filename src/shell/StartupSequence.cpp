#include "StartupSequence.h"

#include "DayView.h"
#include "HeldPromptService.h"
#include "MainFrame.h"
#include "SplashWindow.h"
#include "reminders/DayReminders.h"

void StartupSequence::Run(const QStringList& fileNames, bool showSplash) {
    if (showSplash) {
        SplashWindow splash;
        bool opened = false;
        m_prompts.Hold([&splash] { splash.accept(); });
        // Once the splash is on the screen, so that it shows during the reading and not after it.
        QObject::connect(&splash, &SplashWindow::shown, &splash, [&] {
            opened = true;
            openDocument(fileNames);
        });
        splash.exec();
        if (!opened)
            openDocument(fileNames);
    } else {
        openDocument(fileNames);
    }
    m_prompts.Release();
    // A copy left by a program that ended without saving is offered once the splash is gone.
    m_frame.OfferRecoveredCopies();
    m_frame.CentreOnScreen();
    m_frame.show();
    // Reminders that opened while the splash showed stay above the window they belong to.
    m_frame.View()->Reminders().Center().BringWindowsForward();
}

void StartupSequence::openDocument(const QStringList& fileNames) {
    m_frame.OpenStartupDocument(fileNames);
    // Fill the lists now rather than at the first idle pass after showing.
    m_frame.UpdateCommandStates();
}
