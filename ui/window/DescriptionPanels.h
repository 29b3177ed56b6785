#pragma once
// The nodes' description panels: multi-line read-only boxes, hidden, each made
// with its font, colour and text the first time it is asked for. The window
// starts without building 39 text boxes nobody sees yet (most of what building
// the window took); a panel is complete before anyone can show or read it.
#include <QColor>
#include <QString>
#include <array>

#include "core/CatalogueData.h"

class QTextEdit;
class QWidget;

namespace kvarnel {

class DescriptionPanels {
public:
    // The panels will be children of `form`, stacked directly above `below`
    // (which the form's later children cover), as if made now.
    void create(QWidget& form, QWidget& below, QColor textColour);

    // The node's panel, made on the first call (so not const); nullptr outside
    // 1..kNodeCount or before create().
    QTextEdit* panel(NodeNumber node);

    // The description text of a node as its panel shows it (from the resources).
    static QString descriptionText(NodeNumber node);

private:
    QTextEdit* make(NodeNumber node);

    QWidget* form_ = nullptr;
    QWidget* below_ = nullptr;
    std::array<QTextEdit*, kNodeCount> panels_{};  // children of the form (owned by Qt)
    QColor textColour_;
};

}  // namespace kvarnel
