// The labelled close-ups name their parts truthfully: the red dot of every label
// of the front and rear drawings that names a catalogue node lies inside a box
// where that node is drawn (from the picture's parts table).
#include <gtest/gtest.h>

#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "AssetFiles.h"

using namespace kvarnel;

namespace {

struct LabelDot {
    std::string label;
    double x, y;
};

// Each label is drawn as leader, dot, text: a dot belongs to the text after it.
std::vector<LabelDot> labelDots(const std::string& svg) {
    static const std::regex item(
        R"re(<circle (?:class="dot" )?cx="([0-9.]+)" cy="([0-9.]+)" r="4\.5"[^>]*/>\s*<text [^>]*>([^<]+)</text>)re");
    std::vector<LabelDot> dots;
    for (std::sregex_iterator it(svg.begin(), svg.end(), item), end; it != end; ++it)
        dots.push_back({(*it)[3].str(), std::stod((*it)[1].str()), std::stod((*it)[2].str())});
    return dots;
}

struct Box {
    int node, x0, y0, x1, y1;
};

std::vector<Box> partBoxes(const std::string& tsv) {
    std::vector<Box> boxes;
    std::istringstream in(tsv);
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') continue;
        std::vector<std::string> f;
        std::istringstream cells(line);
        for (std::string c; std::getline(cells, c, '\t');) f.push_back(c);
        if (f.size() >= 6)
            boxes.push_back(
                {std::stoi(f[0]), std::stoi(f[2]), std::stoi(f[3]), std::stoi(f[4]), std::stoi(f[5])});
    }
    return boxes;
}

struct LabelledPicture {
    std::string name;                                     // base name under assets/pictures
    std::map<std::string, std::vector<int>> nodeOfLabel;  // labels not listed name no node
    int labels;                                           // how many labels the drawing has
};

void PrintTo(const LabelledPicture& p, std::ostream* os) { *os << p.name; }

}  // namespace

class LabelDots : public ::testing::TestWithParam<LabelledPicture> {};

TEST_P(LabelDots, LieOnTheDrawnPartTheyName) {
    const LabelledPicture& pic = GetParam();
    std::string error;
    const auto svg = AssetFiles::read("pictures/" + pic.name + ".svg", &error);
    const auto tsv = AssetFiles::read("pictures/" + pic.name + ".parts.tsv", &error);
    ASSERT_TRUE(svg && tsv) << error;
    const std::vector<LabelDot> dots = labelDots(*svg);
    const std::vector<Box> boxes = partBoxes(*tsv);
    ASSERT_EQ(static_cast<int>(dots.size()), pic.labels) << "labels found in " << pic.name << ".svg";

    for (const LabelDot& d : dots) {
        const auto named = pic.nodeOfLabel.find(d.label);
        if (named == pic.nodeOfLabel.end()) continue;
        bool inside = false;
        for (const Box& b : boxes)
            for (int node : named->second)
                inside = inside || (b.node == node && d.x >= b.x0 && d.x < b.x1 && d.y >= b.y0 && d.y < b.y1);
        EXPECT_TRUE(inside) << pic.name << " \"" << d.label << "\" dot at (" << d.x << ", " << d.y
                            << ") is outside every drawn box of its node";
    }
}

INSTANTIATE_TEST_SUITE_P(CloseUps, LabelDots,
                         ::testing::Values(LabelledPicture{"front",
                                                           {{"Control valve actuator", {32}},
                                                            {"Steam supply to control valve", {16}},
                                                            {"HP stage diaphragms", {23}},
                                                            {"HP stage blades", {24}},
                                                            {"Rear end seal of HPP", {33}},
                                                            {"Control valve", {5}},
                                                            {"Rotor", {8}},
                                                            {"Thrust bearing", {11}},
                                                            {"Steam supply pipe from reheater", {17}},
                                                            {"IP stage diaphragms", {6}},
                                                            {"IP stage blades", {7}},
                                                            {"Rear end seal of IPP", {36}},
                                                            {"Control stage", {4}},
                                                            {"Oil pump", {12}},
                                                            {"Vertical key", {26}},
                                                            {"HP extraction pipes", {14}},
                                                            {"Front end seal of IPP", {35}},
                                                            {"IP extraction pipes", {30}},
                                                            {"Speed control unit", {13}},
                                                            {"Front end seal of HPP", {34}},
                                                            {"Automatic safety device", {25}},
                                                            {"Steam outlet pipe to reheater", {18}}},
                                                           26},
                                           LabelledPicture{"rear",
                                                           {{"Moving blades", {21}},
                                                            {"Diaphragm", {15}},
                                                            {"LP stages", {15, 21}},
                                                            {"Bauman stage", {38}},
                                                            {"Atmospheric valve", {29}},
                                                            {"Coupling", {9}},
                                                            {"Turning gear", {27}},
                                                            {"End seal", {37}},
                                                            {"Generator rotor", {22}},
                                                            {"Extraction pipe", {31}}},
                                                           22}),
                         [](const auto& info) { return info.param.name; });
