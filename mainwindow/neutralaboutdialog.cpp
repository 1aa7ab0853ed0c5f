#include "neutralaboutdialog.h"

#include "producttitle.h"
#include "ui_neutralaboutdialog.h"

#include <QPushButton>

namespace {
constexpr char kWindowIcon[] = ":/image/about.png";
} // namespace

NeutralAboutDialog::NeutralAboutDialog(QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::NeutralAboutDialog)
{
    ui->setupUi(this);
    setWindowIcon(QIcon(QString::fromLatin1(kWindowIcon)));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    setFixedSize(size());
    ui->labelVersion->setText(productTitle());
    connect(ui->bntOK, &QPushButton::clicked, this, &NeutralAboutDialog::accept);
}

NeutralAboutDialog::~NeutralAboutDialog()
{
    delete ui;
}
