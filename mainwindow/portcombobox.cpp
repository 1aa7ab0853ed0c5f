#include "portcombobox.h"

#include "portitemdelegate.h"

PortComboBox::PortComboBox(QWidget *parent)
    : QComboBox(parent)
{
    setItemDelegate(new PortItemDelegate(kDescriptionRole, this));
}

void PortComboBox::showPopup()
{
    emit signalAboutToShowPopup();
    QComboBox::showPopup();
}
