#pragma once

#include <QAbstractSpinBox>

#include <functional>

// A text with up/down arrows. The arrows (and the Up/Down keys, Page keys and wheel) report steps;
// what a step means and what is shown afterwards is the owner's business. The text is read-only
// unless the field is made typable: then a typed text is reported when editing ends (Enter, leaving
// the field) or before an arrow steps from it, for the owner to read and show again.
class StepField : public QAbstractSpinBox {
    Q_OBJECT
public:
    explicit StepField(QWidget* parent = nullptr);

    void setText(const QString& text);
    QString text() const;

    // The longest text the field must show whole; the field is never narrower than it needs.
    void SetWidestText(const QString& text) {
        m_widest = text;
        updateGeometry();
    }
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

    void SetTypable(bool typable);
    // Reports a typed text that was not reported yet.
    void CommitTyped();

    void stepBy(int steps) override;

signals:
    void stepped(int steps);
    void typed(const QString& text);

protected:
    StepEnabled stepEnabled() const override { return StepUpEnabled | StepDownEnabled; }

private:
    QString m_widest;
    QString m_shown; // the text last set; a typed text differs from it
};
