#ifndef NORVO_CONFIGTREE_H
#define NORVO_CONFIGTREE_H

#include <QTreeWidget>

// The two-column list of the instrument's items: "NN. name" and ": value", and
// a reference file's value while a comparison is shown.
class ConfigTree : public QTreeWidget
{
public:
    explicit ConfigTree(QWidget *parent);
    ~ConfigTree() override;

    // The name column takes the width its names need, but no more than this
    // share of the tree, so a long name cannot push the values out of sight.
    static constexpr int kMaxNameColumnPercent = 50;
    // While a comparison is shown the instrument's values share the rest with
    // the file's, each column at most this share.
    static constexpr int kMaxValueColumnPercent = 30;

    // A third column for a reference file's values, with a header naming the
    // three; hidden again with an empty list.
    void showFileColumn(const QStringList &headers);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void fitNameColumn();
};

#endif
