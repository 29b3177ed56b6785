// Every description fits its panel when shown: each stored line starts a new line
// and wraps at the panel's usable width, in "Liberation Sans" at the panel's font
// height, and all displayed lines must lie within the usable height.
#include <gtest/gtest.h>

#include <QFontInfo>
#include <QGuiApplication>

#include "DescriptionFile.h"
#include "GuiApplication.h"
#include "PanelTextMeasure.h"
#include "RowPrinters.h"
#include "core/Catalogue.h"

using namespace kvarnel;

namespace {

QStringList toQt(const std::vector<std::string>& lines) {
    QStringList out;
    for (const auto& l : lines) out << QString::fromUtf8(l.data(), static_cast<qsizetype>(l.size()));
    return out;
}

const PanelRow& panel17() { return Catalogue::standard().panel(4); }  // 601 x 160, 17 px

}  // namespace

class PanelFit : public ::testing::Test {
protected:
    static void SetUpTestSuite() { GuiApplication::instance(); }
};

TEST_F(PanelFit, MeasuresInTheInstalledLiberationSansAtPixelSize) {
    const PanelTextMeasure measure(panel17());
    const QFontInfo info(measure.font());
    EXPECT_EQ(info.family(), QStringLiteral("Liberation Sans")) << "install fonts-liberation2";
    EXPECT_EQ(info.pixelSize(), 17);
}

TEST_F(PanelFit, LongLinesWrapAndTooManyLinesOverflow) {
    const PanelTextMeasure measure(panel17());
    const QString shortLine = QStringLiteral("Short line. ");
    const QString longLine = QString(QStringLiteral("steam turbine ")).repeated(16);
    EXPECT_EQ(measure.wrappedLines(shortLine), 1);
    EXPECT_GE(measure.wrappedLines(longLine), 3);
    // Seven displayed lines of 17 px fit a 160 px box; nine do not.
    EXPECT_LE(measure.textHeight(7), measure.usableHeight());
    EXPECT_GT(measure.textHeight(9), measure.usableHeight());
}

class DescriptionFit : public ::testing::TestWithParam<PanelRow> {
protected:
    static void SetUpTestSuite() { GuiApplication::instance(); }
};

TEST_P(DescriptionFit, WrappedTextFitsThePanel) {
    const PanelRow& panel = GetParam();
    std::string error;
    const auto lines = DescriptionFile::load(panel.node, &error);
    ASSERT_TRUE(lines) << error;
    const PanelTextMeasure measure(panel);
    const QStringList text = toQt(*lines);
    const int displayed = measure.wrappedLines(text);
    QString perLine;
    for (const QString& l : text) perLine += QString::number(measure.wrappedLines(l)) + QLatin1Char(' ');
    EXPECT_LE(measure.textHeight(displayed), measure.usableHeight())
        << panel.name << ": " << displayed << " displayed lines (per stored line: " << perLine.toStdString()
        << ") take " << measure.textHeight(displayed) << " px of " << measure.usableHeight() << " px at "
        << panel.fontHeight << " px, width " << measure.usableWidth();
}

INSTANTIATE_TEST_SUITE_P(AllPanels, DescriptionFit, ::testing::ValuesIn(Catalogue::standard().panels()),
                         [](const auto& info) { return std::string(info.param.name); });
