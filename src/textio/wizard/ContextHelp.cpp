#include "ContextHelp.h"

#include <QShortcut>
#include <QVariant>
#include <QWidget>

namespace wizard::ContextHelp {

namespace {
constexpr const char* kProperty = "contextHelpId";
}

void SetId(QWidget* widget, int id) {
    widget->setProperty(kProperty, id);
}

int IdOf(const QWidget* widget) {
    for (const QWidget* w = widget; w; w = w->isWindow() ? nullptr : w->parentWidget()) {
        const int id = w->property(kProperty).toInt();
        if (id != 0)
            return id;
    }
    return 0;
}

void InstallF1(QWidget* window, std::function<void(int)> show) {
    auto* shortcut = new QShortcut(QKeySequence(Qt::Key_F1), window);
    QObject::connect(shortcut, &QShortcut::activated, window, [window, show = std::move(show)] {
        if (const int id = IdOf(window->focusWidget()))
            show(id);
    });
}

} // namespace wizard::ContextHelp
