#pragma once

#include "docfile/PimDocument.h"

#include <QMainWindow>

// The main window. It owns the one document for the whole run.
class MainFrame : public QMainWindow {
    Q_OBJECT
public:
    explicit MainFrame(QWidget* parent = nullptr);

    PimDocument& Document() { return m_document; }
    // "Tavoro! [name]", the name being the document's or "Untitled".
    void UpdateTitle(const QString& name);

private:
    PimDocument m_document;
};
