#include "X11KeyboardLayouts.h"

#include <memory>

// After the standard headers: Xlib defines macros such as None and Bool.
#include <X11/XKBlib.h>
#include <X11/Xlib.h>

namespace kvarnel {

namespace {

// The XKB group names that the stock xkeyboard-config gives the two layouts.
constexpr std::string_view kRussianGroup = "Russian";
constexpr std::string_view kEnglishUsGroup = "English (US)";

struct DisplayCloser {
    void operator()(Display* d) const { XCloseDisplay(d); }
};
struct KeyboardFreer {
    void operator()(XkbDescPtr k) const { XkbFreeKeyboard(k, 0, True); }
};

std::vector<std::string> groupNames(Display* display) {
    std::vector<std::string> names;
    std::unique_ptr<XkbDescRec, KeyboardFreer> keyboard(XkbAllocKeyboard());
    if (!keyboard) return names;
    if (XkbGetNames(display, XkbGroupNamesMask, keyboard.get()) != Success || !keyboard->names) return names;
    for (int i = 0; i < XkbNumKbdGroups; ++i) {
        Atom atom = keyboard->names->groups[i];
        std::string name;
        if (atom != None) {
            if (char* text = XGetAtomName(display, atom)) {
                name = text;
                XFree(text);
            }
        }
        names.push_back(name);  // keeps indices equal to group numbers
    }
    return names;
}

}  // namespace

X11KeyboardLayouts::X11KeyboardLayouts(std::string displayName) : displayName_(std::move(displayName)) {}

std::string_view X11KeyboardLayouts::groupNameFor(std::string_view layoutId) {
    if (layoutId == kRussianLayout) return kRussianGroup;
    if (layoutId == kEnglishUsLayout) return kEnglishUsGroup;
    return {};
}

std::optional<int> X11KeyboardLayouts::findGroup(const std::vector<std::string>& names,
                                                 std::string_view name) {
    if (name.empty()) return std::nullopt;
    for (std::size_t i = 0; i < names.size(); ++i)
        if (names[i] == name) return static_cast<int>(i);
    return std::nullopt;
}

void X11KeyboardLayouts::activate(std::string_view layoutId) {
    const std::string_view wanted = groupNameFor(layoutId);
    if (wanted.empty()) return;
    // An own connection, so that nothing here depends on the toolkit's.
    std::unique_ptr<Display, DisplayCloser> display(
        XOpenDisplay(displayName_.empty() ? nullptr : displayName_.c_str()));
    if (!display) return;
    int opcode = 0, event = 0, error = 0, major = XkbMajorVersion, minor = XkbMinorVersion;
    if (!XkbQueryExtension(display.get(), &opcode, &event, &error, &major, &minor)) return;
    if (auto group = findGroup(groupNames(display.get()), wanted)) {
        XkbLockGroup(display.get(), XkbUseCoreKbd, static_cast<unsigned>(*group));
        XSync(display.get(), False);
    }
}

// Built into the X11 program: the xcb platform gets the switcher, any other Qt
// platform (offscreen, wayland, ...) none.
std::unique_ptr<KeyboardLayouts> makePlatformKeyboardLayouts(std::string_view platformName) {
    if (platformName == "xcb") return std::make_unique<X11KeyboardLayouts>();
    return std::make_unique<NullKeyboardLayouts>();
}

}  // namespace kvarnel
