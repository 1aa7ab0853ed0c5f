#include "neutralaboutdialog.h"

#include "dialogframe.h"
#include "guiresources.h"
#include "producttitle.h"
#include "ui_neutralaboutdialog.h"

#include <QPushButton>

NeutralAboutDialog::NeutralAboutDialog(QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::NeutralAboutDialog)
{
    ui->setupUi(this);
    setUpFixedDialog(this, GuiResources::kAboutIcon);
    ui->labelVersion->setText(productTitle());
    connect(ui->bntOK, &QPushButton::clicked, this, &NeutralAboutDialog::accept);
}

NeutralAboutDialog::~NeutralAboutDialog()
{
    delete ui;
}
