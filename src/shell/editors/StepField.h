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

    void stepBy(int steps) override;

signals:
    void stepped(int steps);

protected:
    StepEnabled stepEnabled() const override { return StepUpEnabled | StepDownEnabled; }
};
