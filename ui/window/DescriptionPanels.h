#pragma once
// The nodes' description panels: multi-line read-only boxes, created hidden with
// the window in the catalogue's order, and given their font, colour and text the
// first time they are asked for. The window starts without laying out 39 texts
// nobody sees yet; a panel is complete before anyone can show or read it.
#include <QColor>
#include <QString>
#include <array>
#include <bitset>

#include "core/CatalogueData.h"

class QTextEdit;
class QWidget;

namespace kvarnel {

class DescriptionPanels {
public:
    // Creates the panels as children of `form`, above its earlier children.
    void create(QWidget& form, QColor textColour);

    // The node's panel, filled on the first call (so not const); nullptr
    // outside 1..kNodeCount or before create().
    QTextEdit* panel(NodeNumber node);

    // The description text of a node as its panel shows it (from the resources).
    static QString descriptionText(NodeNumber node);

private:
    void fill(NodeNumber node);

    std::array<QTextEdit*, kNodeCount> panels_{};  // children of the form (owned by Qt)
    QColor textColour_;
    // Which panels have their text: filling is part of handing a panel out.
    std::bitset<kNodeCount> filled_;
};

}  // namespace kvarnel
