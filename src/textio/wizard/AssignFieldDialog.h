#pragma once

#include <QDialog>

#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QPushButton;

namespace wizard {

// "Fields": which offered column one field of the import feeds, and whether it is imported at all.
// The caller reads the choice back after OK; Cancel leaves the values it passed in.
class AssignFieldDialog : public QDialog {
    Q_OBJECT
public:
    // `selected` is a position in `names`, or -1 for none; `fileColumn` says which field of the
    // file is being assigned.
    AssignFieldDialog(const std::vector<std::string>& names, int selected, bool importField, const QString& fileColumn,
                      QWidget* parent = nullptr);

    int Selected() const { return m_selected; }
    bool ImportField() const { return m_importField; }

    void accept() override;

Q_SIGNALS:
    // F1 on one of the dialog's controls.
    void contextHelpRequested(int helpId);

private:
    void updateOk();

    int m_selected;
    bool m_importField;
    QComboBox* m_names = nullptr;
    QCheckBox* m_import = nullptr;
    QPushButton* m_ok = nullptr;
};

} // namespace wizard
