#include "MainFrame.h"

MainFrame::MainFrame(QWidget* parent) : QMainWindow(parent) {
    UpdateTitle(m_document.TitleName());
}

void MainFrame::UpdateTitle(const QString& name) {
    setWindowTitle(QStringLiteral("Tavoro! [%1]").arg(name));
}
