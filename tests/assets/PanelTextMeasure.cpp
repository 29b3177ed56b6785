#include "PanelTextMeasure.h"

#include <QFontMetricsF>
#include <QTextLayout>

#include "ui/window/FormLayout.h"

namespace kvarnel {

PanelTextMeasure::PanelTextMeasure(const PanelRow& panel)
    : panel_(panel), font_(QStringLiteral("Liberation Sans")) {
    font_.setPixelSize(panel.fontHeight);
    font_.setStretch(kPanelFontStretch);           // as the window sets it
    font_.setStyleStrategy(QFont::NoFontMerging);  // measure this face, never a fallback
}

int PanelTextMeasure::wrappedLines(const QString& storedLine) const {
    QTextLayout layout(storedLine, font_);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    int count = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(usableWidth());
        ++count;
    }
    layout.endLayout();
    return count;
}

int PanelTextMeasure::wrappedLines(const QStringList& storedLines) const {
    int total = 0;
    for (const QString& line : storedLines) total += wrappedLines(line);
    return total;
}

double PanelTextMeasure::textHeight(int displayedLines) const {
    if (displayedLines <= 0) return 0;
    const QFontMetricsF metrics(font_);
    return (displayedLines - 1) * metrics.lineSpacing() + metrics.height();
}

}  // namespace kvarnel
