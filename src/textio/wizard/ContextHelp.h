#pragma once

#include <functional>

class QWidget;

namespace wizard::ContextHelp {

// Controls and their groups carry the number of their paragraph in the help page.
void SetId(QWidget* widget, int id);
// The number of the widget, or of the nearest group around it inside its window; 0 for none.
int IdOf(const QWidget* widget);
// F1 in `window` hands the number of the control that has the focus to `show`, when it has one.
void InstallF1(QWidget* window, std::function<void(int)> show);

} // namespace wizard::ContextHelp
