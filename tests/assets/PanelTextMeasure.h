#pragma once
// How much room a description takes in its panel: every stored line starts a new
// line and wraps at the usable width, in "Liberation Sans" at the panel's pixel size
// and the window's stretch.
#include <QFont>
#include <QStringList>

#include "core/CatalogueData.h"

namespace kvarnel {

class PanelTextMeasure {
public:
    // The text box's frame and inner margins take this much of the panel's size.
    static constexpr int kFrameWidth = 8;
    static constexpr int kFrameHeight = 4;

    explicit PanelTextMeasure(const PanelRow& panel);

    const QFont& font() const { return font_; }
    double usableWidth() const { return panel_.width - kFrameWidth; }
    double usableHeight() const { return panel_.height - kFrameHeight; }

    int wrappedLines(const QString& storedLine) const;
    int wrappedLines(const QStringList& storedLines) const;
    // Height from the top of the first displayed line to the bottom of the last:
    // lines follow each other at the font's line spacing, and the last needs no
    // leading below it.
    double textHeight(int displayedLines) const;

private:
    PanelRow panel_;
    QFont font_;
};

}  // namespace kvarnel
