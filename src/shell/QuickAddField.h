#pragma once

#include <QWidget>

class PimDocument;
class QLabel;
class QLineEdit;

// Appointments > "Quick Add...": a line where the user types an appointment in English ("Lunch
// with Ann tomorrow 1pm"). The line under it says what was understood as the user types; Enter
// adds the appointment (one undo step), Esc clears the line.
class QuickAddField : public QWidget {
    Q_OBJECT
public:
    explicit QuickAddField(PimDocument& document, QWidget* parent = nullptr);

    QLineEdit* Edit() const { return m_edit; }
    QLabel* Preview() const { return m_preview; }
    // Puts the cursor in the line, its text selected to be typed over.
    void Activate();

signals:
    void appointmentAdded(int id);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showReading();
    void add();

    PimDocument& m_document;
    QLineEdit* m_edit = nullptr;
    QLabel* m_preview = nullptr;
};
