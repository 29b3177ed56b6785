// Every description panel as the window shows it: each stored line of the text
// lays out as exactly one line of the panel, in the substituted face at the
// panel's pixel size, and the whole text stays inside the box with nothing to
// scroll. Measured on the real panel after a press on the node's hotspot.
#include <gtest/gtest.h>
#include <QAbstractTextDocumentLayout>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextLayout>

#include "WindowHarness.h"
#include "core/Catalogue.h"
#include "tests/support/StoredDescriptions.h"

namespace kvarnel::testing {
namespace {

struct PanelLayout {
    QString family;
    int pixelSize = 0;
    int storedLines = 0;
    std::vector<int> shownLinesPerStoredLine;
    std::vector<double> widths;
    double usableWidth = 0;
    double textHeight = 0;
    int viewportHeight = 0;
    int scrollRange = 0;
};

// Holds the node's first hotspot down and reads how its panel laid out the text.
PanelLayout layoutOf(WindowHarness& h, NodeNumber node) {
    PanelLayout out;
    const QPoint p = h.pointOn(h.firstHotspotOf(node));
    h.press(p);
    QTextEdit* memo = h.form().panel(node);
    if (memo && memo->isVisible()) {
        QTextDocument* doc = memo->document();
        out.textHeight = doc->documentLayout()->documentSize().height();
        out.family = QFontInfo(memo->font()).family();
        out.pixelSize = QFontInfo(memo->font()).pixelSize();
        out.usableWidth = doc->textWidth() - 2 * doc->documentMargin();
        for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
            ++out.storedLines;
            out.shownLinesPerStoredLine.push_back(b.layout()->lineCount());
            // Unwrapped width without the trailing blank, which may hang past the edge.
            out.widths.push_back(QFontMetricsF(memo->font()).horizontalAdvance(b.text().trimmed()));
        }
        out.viewportHeight = memo->viewport()->height();
        out.scrollRange = memo->verticalScrollBar()->maximum();
    }
    h.release(p);
    return out;
}

TEST(UiPanels, EachStoredLineIsOneLineOfItsPanelAndTheTextFitsTheBox) {
    WindowHarness h;
    for (const PanelRow& row : Catalogue::standard().panels()) {
        const PanelLayout got = layoutOf(h, row.node);
        ASSERT_EQ(got.storedLines, storedDescription(row.node).lineCount)
            << row.name << " was not shown with its stored text";
        EXPECT_EQ(got.family, QStringLiteral("Liberation Sans")) << row.name;
        EXPECT_EQ(got.pixelSize, row.fontHeight) << row.name;
        for (int i = 0; i < got.storedLines; ++i)
            EXPECT_EQ(got.shownLinesPerStoredLine[static_cast<std::size_t>(i)], 1)
                << row.name << " stored line " << i + 1 << " is " << got.widths[static_cast<std::size_t>(i)]
                << " px wide, the panel has " << got.usableWidth << " px";
        EXPECT_LE(got.textHeight, got.viewportHeight) << row.name;
        EXPECT_EQ(got.scrollRange, 0) << row.name;
    }
}

}  // namespace
}  // namespace kvarnel::testing
