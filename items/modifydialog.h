#ifndef NORVO_MODIFYDIALOG_H
#define NORVO_MODIFYDIALOG_H

#include <QDialog>
#include <QString>

class QComboBox;
class QLineEdit;

namespace Ui {
class ModifyDialog;
}

// Asks for one item's new value: free text, or one option of the name's choice list.
class ModifyDialog : public QDialog
{
    Q_OBJECT

public:
    ModifyDialog(const QString &name, const QString &value, QWidget *parent = nullptr);
    ~ModifyDialog() override;

    // The line edit's text as typed, or the combo box's current option.
    QString value() const;

    // Refuses a value longer than one write can carry, keeping the dialog and
    // what was typed in it.
    void accept() override;

    // Exactly one of the two is set; the other stays null.
    QLineEdit *lineEdit() const { return m_lineEdit; }
    QComboBox *comboBox() const { return m_comboBox; }

private:
    void initEditor(const QString &name, const QString &value);
    void styleEditor(QWidget *editor);

    Ui::ModifyDialog *ui;
    QLineEdit *m_lineEdit = nullptr;
    QComboBox *m_comboBox = nullptr;
};

#endif
