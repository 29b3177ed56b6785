// The 39 stored description texts against the catalogue's panels: line count,
// exact first line, strict UTF-8, the language of each panel and the stored form
// of the lines (each continues the sentence: a word and one blank at every line's
// end, a full stop at the end of the text).
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>

#include "DescriptionFile.h"
#include "RowPrinters.h"
#include "Utf8.h"
#include "core/Catalogue.h"
#include "tests/support/StoredDescriptions.h"

using namespace kvarnel;

namespace {
constexpr NodeNumber kRussianNode = 6;
}

TEST(DescriptionStoredForm, SplitsLfEndedLinesAndRejectsOtherForms) {
    const auto lines = DescriptionFile::splitLines("first \nsecond.\n");
    ASSERT_TRUE(lines);
    EXPECT_EQ(*lines, (std::vector<std::string>{"first ", "second."}));
    EXPECT_FALSE(DescriptionFile::splitLines("first \r\nsecond.\r\n"));
    EXPECT_FALSE(DescriptionFile::splitLines("first \nsecond."));
    EXPECT_FALSE(DescriptionFile::splitLines("first \n\nsecond.\n"));
    EXPECT_FALSE(
        DescriptionFile::splitLines("\xEF\xBB\xBF"
                                    "first.\n"));
    EXPECT_FALSE(DescriptionFile::splitLines(""));
}

TEST(DescriptionStoredForm, Utf8DecoderIsStrict) {
    const auto text = Utf8::decode("\xD0\x94\xD0\xB8 ok");  // "Ди ok"
    ASSERT_TRUE(text);
    EXPECT_EQ(text->size(), 5u);
    EXPECT_TRUE(Utf8::isCyrillic((*text)[0]));
    EXPECT_FALSE(Utf8::decode("\xC4"));              // cut short
    EXPECT_FALSE(Utf8::decode("\xC0\xAF"));          // overlong
    EXPECT_FALSE(Utf8::decode("\xED\xA0\x80"));      // surrogate
    EXPECT_FALSE(Utf8::decode("\xD0\x20"));          // bad continuation
    EXPECT_FALSE(Utf8::decode("\xF4\x90\x80\x80"));  // past U+10FFFF
    EXPECT_FALSE(Utf8::decode("\xFF"));
}

class Description : public ::testing::TestWithParam<PanelRow> {
protected:
    void SetUp() override {
        std::string error;
        auto loaded = DescriptionFile::load(GetParam().node, &error);
        ASSERT_TRUE(loaded) << DescriptionFile::relativePath(GetParam().node) << ": " << error;
        lines = std::move(*loaded);
    }
    std::vector<std::string> lines;
};

TEST_P(Description, HasThePanelsLineCountAndFirstLine) {
    const PanelRow& panel = GetParam();
    const auto& stored = kvarnel::testing::storedDescription(panel.node);
    EXPECT_EQ(static_cast<int>(lines.size()), stored.lineCount) << panel.name;
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front(), stored.firstLine) << panel.name;
}

TEST_P(Description, IsUtf8InThePanelsLanguage) {
    const PanelRow& panel = GetParam();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const auto text = Utf8::decode(lines[i]);
        ASSERT_TRUE(text) << panel.name << " line " << i + 1 << " is not valid UTF-8";
        const bool printable =
            std::all_of(text->begin(), text->end(), [](char32_t c) { return c >= 0x20 && c != 0x7F; });
        EXPECT_TRUE(printable) << panel.name << " line " << i + 1 << " has a control character";
        if (panel.node == kRussianNode) {
            // Russian: Cyrillic letters with ASCII digits, blanks and punctuation.
            EXPECT_TRUE(std::any_of(text->begin(), text->end(), Utf8::isCyrillic))
                << panel.name << " line " << i + 1 << " has no Cyrillic letter";
            EXPECT_TRUE(std::all_of(text->begin(), text->end(),
                                    [](char32_t c) { return c < 0x80 || Utf8::isCyrillic(c); }))
                << panel.name << " line " << i + 1 << " has a character that is neither ASCII nor Cyrillic";
            EXPECT_FALSE(
                std::any_of(text->begin(), text->end(),
                            [](char32_t c) { return c < 0x80 && std::isalpha(static_cast<int>(c)); }))
                << panel.name << " line " << i + 1 << " has Latin letters";
        } else {
            EXPECT_TRUE(std::all_of(text->begin(), text->end(), [](char32_t c) { return c < 0x80; }))
                << panel.name << " line " << i + 1 << " is not plain ASCII English";
        }
    }
}

TEST_P(Description, LinesContinueOneTextEndingWithAFullStop) {
    const PanelRow& panel = GetParam();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        const bool last = i + 1 == lines.size();
        ASSERT_GE(line.size(), 2u) << panel.name << " line " << i + 1;
        EXPECT_NE(line.front(), ' ') << panel.name << " line " << i + 1 << " starts with a blank";
        EXPECT_EQ(line.find("  "), std::string::npos)
            << panel.name << " line " << i + 1 << " has two blanks in a row";
        if (last) {
            EXPECT_EQ(line.back(), '.') << panel.name << ": the text does not end with a full stop";
        } else {
            EXPECT_EQ(line.back(), ' ') << panel.name << " line " << i + 1 << " does not end with a blank";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(AllPanels, Description, ::testing::ValuesIn(Catalogue::standard().panels()),
                         [](const auto& info) { return std::string(info.param.name); });
