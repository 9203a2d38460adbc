#pragma once

#include <QObject>
#include <QString>

class QWidget;

// F1 anywhere in the program: help for the control that has the keyboard focus, not the one under
// the mouse pointer. A control with a What's This text shows it as a pop-up beside itself (the
// record editors' fields); otherwise the help topic of the control or its nearest ancestor is
// asked for. A control with neither lets the key pass on.
class FocusHelp : public QObject {
    Q_OBJECT
public:
    explicit FocusHelp(QObject* parent = nullptr);

    // The help topic of a control: its own, or its nearest ancestor's; empty when none has one.
    static QString TopicOf(const QWidget* widget);
    // The What's This text of a control or of the nearest ancestor inside its window.
    static QString PopupTextOf(const QWidget* widget);

    // Help for a control as F1 gives it; false when it has none.
    bool ShowHelpFor(QWidget* widget);

signals:
    void topicRequested(const QString& topic);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
