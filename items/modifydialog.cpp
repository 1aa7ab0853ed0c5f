#include "modifydialog.h"
#include "ui_modifydialog.h"

#include "choicelist.h"
#include "commandset.h"
#include "dialogframe.h"
#include "guiresources.h"
#include "messageboxes.h"

#include <QComboBox>
#include <QLineEdit>

namespace {
constexpr int kEditorPointSize = 14;
constexpr QRect kEditorGeometry(10, 20, 211, 31);
} // namespace

ModifyDialog::ModifyDialog(const QString &name, const QString &value, QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::ModifyDialog)
{
    ui->setupUi(this);
    setUpFixedDialog(this, GuiResources::kConfigureIcon);
    connect(ui->commit, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui->cancel, &QPushButton::clicked, this, &QDialog::reject);
    // Enter commits what was typed.
    ui->commit->setDefault(true);
    initEditor(name, value);
}

ModifyDialog::~ModifyDialog()
{
    delete ui;
}

QString ModifyDialog::value() const
{
    return m_lineEdit ? m_lineEdit->text() : m_comboBox->currentText();
}

void ModifyDialog::accept()
{
    if (!itemTextFits(value())) {
        showCritical(tr("写入配置失败,数值过长"), this);
        return;
    }
    QDialog::accept();
}

void ModifyDialog::initEditor(const QString &name, const QString &value)
{
    const ChoiceList choices = parseChoiceList(name);
    setWindowTitle(choices.title);
    if (!choices.isChoiceList) {
        m_lineEdit = new QLineEdit(this);
        styleEditor(m_lineEdit);
        m_lineEdit->setText(value);
        m_lineEdit->selectAll(); // typing replaces the old value
        m_lineEdit->setFocus();
        return;
    }
    m_comboBox = new QComboBox(this);
    styleEditor(m_comboBox);
    m_comboBox->addItems(choices.options);
    // An empty choice selects nothing, so the first option stays current.
    m_comboBox->setCurrentText(preselectedChoice(choices.options, value));
    m_comboBox->setFocus();
}

void ModifyDialog::styleEditor(QWidget *editor)
{
    QFont font = editor->font();
    font.setPointSize(kEditorPointSize);
    editor->setFont(font);
    editor->setGeometry(kEditorGeometry);
}
