#ifndef NORVO_PORTCOMBOBOX_H
#define NORVO_PORTCOMBOBOX_H

#include <QComboBox>

// The serial-port list: says when it is about to open, so the ports can be
// scanned again (an adapter plugged in meanwhile shows up), and shows each
// port's description beside its name in the open list.
class PortComboBox : public QComboBox
{
    Q_OBJECT

public:
    // Item data role holding a port's description.
    static constexpr int kDescriptionRole = Qt::UserRole + 1;

    explicit PortComboBox(QWidget *parent = nullptr);

    void showPopup() override;

signals:
    void signalAboutToShowPopup();
};

#endif
