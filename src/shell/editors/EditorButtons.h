#pragma once

class QDialog;
class QDialogButtonBox;
class QPushButton;

// The "&Ok" and "&Cancel" buttons every record editor ends with. "&Ok" is the default button, so
// Enter confirms; Escape and "&Cancel" reject.
QDialogButtonBox* CreateEditorButtons(QDialog* dialog);
QPushButton* EditorOkButton(QDialogButtonBox* buttons);
