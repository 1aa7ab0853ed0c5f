#ifndef NORVO_PORTITEMDELEGATE_H
#define NORVO_PORTITEMDELEGATE_H

#include <QStyledItemDelegate>

// Draws an entry of the open port list as its name followed by its description.
class PortItemDelegate : public QStyledItemDelegate
{
public:
    PortItemDelegate(int descriptionRole, QObject *parent);

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override;

private:
    int m_descriptionRole;
};

#endif
