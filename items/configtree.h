#ifndef NORVO_CONFIGTREE_H
#define NORVO_CONFIGTREE_H

#include <QTreeWidget>

// The two-column list of the instrument's items: "NN. name" and ": value".
class ConfigTree : public QTreeWidget
{
public:
    explicit ConfigTree(QWidget *parent);
    ~ConfigTree() override;

    // The name column takes the width its names need, but no more than this
    // share of the tree, so a long name cannot push the values out of sight.
    static constexpr int kMaxNameColumnPercent = 50;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void fitNameColumn();
};

#endif
