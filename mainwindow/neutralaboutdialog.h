#ifndef NORVO_NEUTRALABOUTDIALOG_H
#define NORVO_NEUTRALABOUTDIALOG_H

#include <QDialog>

namespace Ui {
class NeutralAboutDialog;
}

// Small fixed box naming the product and its version.
class NeutralAboutDialog : public QDialog
{
    Q_OBJECT

public:
    explicit NeutralAboutDialog(QWidget *parent = nullptr);
    ~NeutralAboutDialog() override;

private:
    Ui::NeutralAboutDialog *ui;
};

#endif
