#pragma once

#include <QAbstractSpinBox>

#include <functional>

// A read-only text with up/down arrows. The arrows (and the Up/Down keys, Page keys and wheel)
// report steps; what a step means and what is shown afterwards is the owner's business.
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

    void stepBy(int steps) override;

signals:
    void stepped(int steps);

protected:
    StepEnabled stepEnabled() const override { return StepUpEnabled | StepDownEnabled; }

private:
    QString m_widest;
};
