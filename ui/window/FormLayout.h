#pragma once
// The main window's fixed layout as data: the window itself and one row per
// component that is not a node's hotspot, marker or description panel (those
// come from the catalogue). Rows are in creation order.
#include <array>

#include "core/Colours.h"
#include "core/FormView.h"

namespace kvarnel {

constexpr int kClientWidth = 1026;
constexpr int kClientHeight = 727;
constexpr const char* kWindowCaption = "Кварнел";
constexpr int kTimer1IntervalMs = 300;

// The window's default font, used by every component that names none.
constexpr const char* kDefaultFontFamily = "MS Sans Serif";
constexpr int kDefaultFontPixels = 11;

// The families the layout names, and the free fonts that stand in for them so
// the window looks the same on every Linux machine.
struct FontSubstitution {
    const char* family;
    const char* substitute;
};
constexpr std::array<FontSubstitution, 2> kFontSubstitutions = {{
    {"MS Sans Serif", "Liberation Sans"},
    {"Times New Roman", "Liberation Serif"},
}};

// The description panels' texts were written so that each stored line fills
// one line of the box in the original face; the substitute is wider, and this
// horizontal stretch (percent) brings it back, so no stored line wraps (a panel
// is narrowed a little further where another font engine lays a line out wider).
constexpr int kPanelFontStretch = 92;

enum class ComponentKind {
    Picture,
    FixedLabel,  // keeps its box, text cut at the box
    AutoLabel,   // follows its text, keeps left and top
    PushButton,
    ProgressBar,
    EntryField,
    InstructionLine,  // auto-sized one-line static text, a child control
};

struct ComponentRow {
    Control control;  // its component name is controlName(control)
    ComponentKind kind;
    int left, top, width, height;
    const char* caption;     // UTF-8; "" for none
    const char* fontFamily;  // nullptr: the window's default font
    int fontPixels;          // character height used as pixel size; 0 with the default font
    bool bold;
    ColourNumber fontColour;
    ColourNumber background;
    bool storedVisible;
    int tabOrder;  // -1 where the component has none
    bool centred;  // pictures only: centred in the box
    // The last catalogue shape (in the catalogue's stacking order) that the
    // window creates right after this component; nullptr for none.
    const char* shapesUpTo;
};

constexpr int kComponentCount = 22;
extern const std::array<ComponentRow, kComponentCount> kComponentRows;

// Lookups over kComponentRows.
const ComponentRow& componentRow(Control control);

bool isSurfaceKind(ComponentKind kind);  // drawn by the surface, not a child widget

}  // namespace kvarnel
