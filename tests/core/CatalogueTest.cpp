#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>

#include "core/Catalogue.h"
#include "tests/support/StoredDescriptions.h"

using namespace kvarnel;
using kvarnel::testing::storedDescription;

namespace {
const Catalogue& cat() { return Catalogue::standard(); }
}  // namespace

TEST(Catalogue, CountsOfHotspotsMarkersAndPanels) {
    EXPECT_EQ(cat().hotspots().size(), 50u);
    EXPECT_EQ(cat().markers().size(), 54u);
    EXPECT_EQ(cat().panels().size(), 39u);
    EXPECT_EQ(cat().stacking().size(), 104u);
}

TEST(Catalogue, HotspotsPerNode) {
    const std::map<NodeNumber, std::size_t> special = {{10, 5}, {26, 4}, {9, 2}, {29, 2}, {37, 2}, {39, 2}};
    std::size_t total = 0;
    for (NodeNumber n = 1; n <= kNodeCount; ++n) {
        auto it = special.find(n);
        std::size_t expected = it == special.end() ? 1 : it->second;
        EXPECT_EQ(cat().hotspotsOf(n).size(), expected) << "node " << n;
        total += cat().hotspotsOf(n).size();
    }
    EXPECT_EQ(total, 50u);
}

TEST(Catalogue, HotspotGroupOrderIsByNodeWithFurtherHotspotsAfterTheFirst) {
    NodeNumber last = 0;
    for (const auto& h : cat().hotspots()) {
        EXPECT_GE(h.node, last) << h.name;
        last = h.node;
        const std::string first = "ShapeV" + std::to_string(h.node);
        if (h.name != first) {
            EXPECT_EQ(h.name.substr(0, first.size() + 1), first + "_") << h.name;
        }
    }
    EXPECT_EQ(cat().hotspotsOf(9)[0]->name, "ShapeV9");
    EXPECT_EQ(cat().hotspotsOf(9)[1]->name, "ShapeV9_1");
}

TEST(Catalogue, EveryMarkerIsShownByExactlyTheNodesOfItsRow) {
    for (const auto& m : cat().markers()) {
        std::set<NodeNumber> expected;
        for (NodeNumber n : m.shownFor)
            if (n != 0) expected.insert(n);
        std::set<NodeNumber> actual;
        for (NodeNumber n = 1; n <= kNodeCount; ++n)
            for (const MarkerRow* shown : cat().markersOf(n))
                if (shown == &m) actual.insert(n);
        EXPECT_EQ(actual, expected) << m.name;
        EXPECT_FALSE(expected.empty()) << m.name;
    }
}

TEST(Catalogue, SharedMarkerPairs) {
    struct Case {
        NodeNumber a, b;
        const char* m1;
        const char* m2;
    };
    for (const Case& c : {Case{6, 7, "ShapeM7", "ShapeM7_1"}, Case{15, 21, "ShapeM15", "ShapeM21"},
                          Case{23, 24, "ShapeM23", "ShapeM24"}}) {
        for (NodeNumber n : {c.a, c.b}) {
            auto ms = cat().markersOf(n);
            ASSERT_EQ(ms.size(), 2u) << n;
            EXPECT_EQ(ms[0]->name, c.m1);
            EXPECT_EQ(ms[1]->name, c.m2);
        }
        EXPECT_NE(storedDescription(c.a).firstLine, storedDescription(c.b).firstLine);
    }
    EXPECT_EQ(cat().marker("ShapeM6"), nullptr);
}

TEST(Catalogue, RedOutlinesOnlyForTheThreeCylinders) {
    for (const auto& m : cat().markers()) {
        bool cylinder = m.shownFor[0] >= 1 && m.shownFor[0] <= 3;
        EXPECT_EQ(m.outline == Outline::Red, cylinder) << m.name;
    }
}

TEST(Catalogue, QuestionsAreDistinctAndKeepTheirExactBytes) {
    auto qs = cat().questions();
    ASSERT_EQ(qs.size(), 39u);
    EXPECT_EQ(std::set<std::string>(qs.begin(), qs.end()).size(), 39u);
    EXPECT_EQ(cat().question(15), "One of the stage diaphragms of low pressure part? ");
    EXPECT_EQ(cat().question(17), "Steam supply pipe from reheater? ");
    EXPECT_EQ(cat().question(18), "Steam outlet pipe in reheater\xD0\xBC?");
    EXPECT_EQ(cat().question(8), "Rotor?");
}

TEST(Catalogue, HintsKeepTrailingBlanks) {
    struct Case {
        const char* hotspot;
        const char* hint;
    };
    for (const Case& c :
         {Case{"ShapeV8", "Rotor "}, Case{"ShapeV26", "One of the vertical keys "},
          Case{"ShapeV26_1", "One of the vertical keys"}, Case{"ShapeV26_2", "One of the vertical keys"},
          Case{"ShapeV26_3", "One of the vertical keys"}, Case{"ShapeV11", "Thrust bearing "},
          Case{"ShapeV1", "High-pressure part"}}) {
        ASSERT_NE(cat().hotspot(c.hotspot), nullptr) << c.hotspot;
        EXPECT_EQ(cat().hotspot(c.hotspot)->hint, c.hint);
    }
}

TEST(Catalogue, ViewSplit) {
    const std::set<NodeNumber> front = {4,  5,  6,  7,  8,  11, 12, 13, 14, 16, 17,
                                        18, 23, 24, 25, 26, 30, 32, 33, 34, 35, 36};
    const std::set<NodeNumber> rear = {9, 15, 21, 22, 27, 29, 31, 37, 38};
    const std::set<NodeNumber> overview = {1, 2, 3, 10, 19, 20, 28, 39};
    for (NodeNumber n = 1; n <= kNodeCount; ++n) {
        View expected = front.count(n) ? View::Front : rear.count(n) ? View::Rear : View::Overview;
        EXPECT_EQ(cat().view(n), expected) << n;
        EXPECT_EQ(overview.count(n) + front.count(n) + rear.count(n), 1u) << n;
    }
}

TEST(Catalogue, LookupsByHotspotName) {
    EXPECT_EQ(cat().nodeOfHotspot("ShapeV10_3"), 10);
    EXPECT_EQ(cat().nodeOfHotspot("ShapeV26_2"), 26);
    EXPECT_EQ(cat().nodeOfHotspot("ShapeV1"), 1);
    EXPECT_FALSE(cat().nodeOfHotspot("ShapeV40").has_value());
    EXPECT_FALSE(cat().nodeOfHotspot("ShapeM1").has_value());
    EXPECT_THROW(cat().node(0), std::out_of_range);
    EXPECT_THROW(cat().node(40), std::out_of_range);
}

TEST(Catalogue, StackingHoldsEveryHotspotAndMarkerOnce) {
    std::set<std::string_view> names(cat().stacking().begin(), cat().stacking().end());
    EXPECT_EQ(names.size(), 104u);
    for (const auto& h : cat().hotspots()) EXPECT_EQ(names.count(h.name), 1u) << h.name;
    for (const auto& m : cat().markers()) EXPECT_EQ(names.count(m.name), 1u) << m.name;
    EXPECT_EQ(cat().stacking().front(), "ShapeV1");
    EXPECT_EQ(cat().stacking().back(), "ShapeM20_1");
}

TEST(Catalogue, PanelsLieWithinTheirCommonArea) {
    for (const auto& p : cat().panels()) {
        EXPECT_EQ(p.name, "MemoV" + std::to_string(p.node));
        EXPECT_EQ(p.height, 160);
        EXPECT_EQ(p.width, p.node == 39 ? 609 : 601);
        EXPECT_GE(p.left, 166);
        EXPECT_GE(p.top, 557);
        EXPECT_LE(p.left + p.width, 778);
        EXPECT_LE(p.top + p.height, 720);
        EXPECT_TRUE(p.fontHeight == 17 || p.fontHeight == 13 || p.fontHeight == 12) << p.node;
        const auto& stored = storedDescription(p.node);
        EXPECT_EQ(stored.node, p.node);
        EXPECT_TRUE(stored.lineCount >= 2 && stored.lineCount <= 8) << p.node;
    }
    EXPECT_EQ(storedDescription(9).firstLine.substr(0, 2), ". ");
    EXPECT_EQ(cat().panel(10).fontHeight, 12);
    EXPECT_EQ(storedDescription(10).lineCount, 8);
}
