#include "FocusHelp.h"

#include "HelpTopics.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWhatsThis>
#include <QWidget>

FocusHelp::FocusHelp(QObject* parent) : QObject(parent) {}

QString FocusHelp::TopicOf(const QWidget* widget) {
    for (const QWidget* w = widget; w; w = w->parentWidget()) {
        const QVariant topic = w->property(HelpTopics::kHelpTopicProperty);
        if (topic.isValid() && !topic.toString().isEmpty())
            return topic.toString();
    }
    return {};
}

QString FocusHelp::PopupTextOf(const QWidget* widget) {
    for (const QWidget* w = widget; w; w = w->parentWidget()) {
        if (!w->whatsThis().isEmpty())
            return w->whatsThis();
        if (w->isWindow())
            break;
    }
    return {};
}

bool FocusHelp::ShowHelpFor(QWidget* widget) {
    if (!widget)
        return false;
    const QString popup = PopupTextOf(widget);
    if (!popup.isEmpty()) {
        QWhatsThis::showText(widget->mapToGlobal(QPoint(widget->width() / 2, widget->height())), popup, widget);
        return true;
    }
    const QString topic = TopicOf(widget);
    if (topic.isEmpty())
        return false;
    emit topicRequested(topic);
    return true;
}

bool FocusHelp::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || static_cast<QKeyEvent*>(event)->key() != Qt::Key_F1 ||
        (static_cast<QKeyEvent*>(event)->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return QObject::eventFilter(watched, event);
    // A key goes first to the focus widget and then up to its parents: answer it once, at the start.
    QWidget* focus = QApplication::focusWidget();
    if (watched != focus && focus)
        return QObject::eventFilter(watched, event);
    if (ShowHelpFor(focus ? focus : qobject_cast<QWidget*>(watched)))
        return true;
    return QObject::eventFilter(watched, event);
}
