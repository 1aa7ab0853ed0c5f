#include "neutralaboutdialog.h"

#include "guiresources.h"
#include "producttitle.h"
#include "ui_neutralaboutdialog.h"

#include <QPushButton>

NeutralAboutDialog::NeutralAboutDialog(QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::NeutralAboutDialog)
{
    ui->setupUi(this);
    setWindowIcon(QIcon(GuiResources::kAboutIcon));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    setFixedSize(size());
    ui->labelVersion->setText(productTitle());
    connect(ui->bntOK, &QPushButton::clicked, this, &NeutralAboutDialog::accept);
}

NeutralAboutDialog::~NeutralAboutDialog()
{
    delete ui;
}
