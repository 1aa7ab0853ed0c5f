#include "configtreedelegate.h"

ConfigTreeDelegate::ConfigTreeDelegate(QObject *parent)
    : QItemDelegate(parent)
{ }

void ConfigTreeDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                               const QModelIndex &index) const
{
    QStyleOptionViewItem plain(option);
    plain.state &= ~QStyle::State_HasFocus;
    plain.font.setPointSize(kFontPointSize);
    QItemDelegate::paint(painter, plain, index);
}

QSize ConfigTreeDelegate::sizeHint(const QStyleOptionViewItem &option,
                                   const QModelIndex &index) const
{
    QSize size = QItemDelegate::sizeHint(option, index);
    size.setHeight(kRowHeight);
    return size;
}
