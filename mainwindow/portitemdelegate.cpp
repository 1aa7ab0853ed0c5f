#include "portitemdelegate.h"

namespace {
const QString kSeparator = QStringLiteral("    ");
} // namespace

PortItemDelegate::PortItemDelegate(int descriptionRole, QObject *parent)
    : QStyledItemDelegate(parent)
    , m_descriptionRole(descriptionRole)
{ }

void PortItemDelegate::initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    const QString description = index.data(m_descriptionRole).toString();
    if (!description.isEmpty())
        option->text += kSeparator + description;
}
