// Which keyboard layout switcher the window gets, and the X11 switcher against a
// real (virtual) X server when one can be started.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "tests/support/SkipOutsideCi.h"
#include "ui/flow/KeyboardLayouts.h"
#include "ui/platform/X11KeyboardLayouts.h"

// Last: Xlib defines macros such as None, Bool and Status.
#include <X11/XKBlib.h>
#include <X11/Xlib.h>

namespace kvarnel::testing {
namespace {

TEST(KeyboardLayouts, LayoutIdsNameTheXkbGroups) {
    EXPECT_EQ(X11KeyboardLayouts::groupNameFor("00000419"), "Russian");
    EXPECT_EQ(X11KeyboardLayouts::groupNameFor("00000409"), "English (US)");
    EXPECT_EQ(X11KeyboardLayouts::groupNameFor("00000407"), "");
}

TEST(KeyboardLayouts, FindsAGroupOnlyByItsWholeName) {
    const std::vector<std::string> groups = {"English (US)", "", "Russian", ""};
    EXPECT_EQ(X11KeyboardLayouts::findGroup(groups, "Russian"), 2);
    EXPECT_EQ(X11KeyboardLayouts::findGroup(groups, "English (US)"), 0);
    EXPECT_EQ(X11KeyboardLayouts::findGroup({"English (UK)", "Russian (phonetic)"}, "Russian"), std::nullopt);
    EXPECT_EQ(X11KeyboardLayouts::findGroup(groups, ""), std::nullopt);  // unused slots never match
}

TEST(KeyboardLayouts, OnlyTheX11PlatformGetsTheX11Switcher) {
    for (const char* platform : {"offscreen", "wayland", "minimal", ""}) {
        auto layouts = makePlatformKeyboardLayouts(platform);
        ASSERT_TRUE(layouts);
        EXPECT_EQ(dynamic_cast<X11KeyboardLayouts*>(layouts.get()), nullptr) << platform;
        layouts->activate(kRussianLayout);
    }
    auto x11 = makePlatformKeyboardLayouts("xcb");
    EXPECT_NE(dynamic_cast<X11KeyboardLayouts*>(x11.get()), nullptr);
}

// A private Xvfb on a display number of its own choosing; killed at the end.
class VirtualXServer {
public:
    VirtualXServer() {
        int fds[2];
        if (access("/usr/bin/Xvfb", X_OK) != 0 || pipe(fds) != 0) return;
        pid_ = fork();
        if (pid_ == 0) {
            close(fds[0]);
            const std::string fd = std::to_string(fds[1]);
            int null = open("/dev/null", O_WRONLY);
            dup2(null, 2);
            execl("/usr/bin/Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-nolisten", "tcp", "-screen", "0",
                  "320x200x24", static_cast<char*>(nullptr));
            _exit(127);
        }
        close(fds[1]);
        std::string number;
        char c;
        while (read(fds[0], &c, 1) == 1 && c != '\n') number += c;
        close(fds[0]);
        if (!number.empty()) name_ = ":" + number;
    }
    ~VirtualXServer() {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            waitpid(pid_, nullptr, 0);
        }
    }
    const std::string& name() const { return name_; }

private:
    pid_t pid_ = -1;
    std::string name_;
};

struct DisplayCloser {
    void operator()(Display* d) const { XCloseDisplay(d); }
};

int lockedGroup(Display* display) {
    XkbStateRec state{};
    XkbGetState(display, XkbUseCoreKbd, &state);
    return state.locked_group;
}

std::vector<std::string> groupNames(Display* display) {
    std::vector<std::string> names;
    XkbDescPtr keyboard = XkbAllocKeyboard();
    if (XkbGetNames(display, XkbGroupNamesMask, keyboard) == Success)
        for (int i = 0; i < XkbNumKbdGroups; ++i) {
            Atom atom = keyboard->names->groups[i];
            char* text = atom != None ? XGetAtomName(display, atom) : nullptr;
            names.emplace_back(text ? text : "");
            if (text) XFree(text);
        }
    XkbFreeKeyboard(keyboard, 0, True);
    return names;
}

TEST(X11KeyboardLayouts, LocksTheNamedGroupOnARealServer) {
    VirtualXServer server;
    if (server.name().empty()) return skipOutsideCi("Xvfb is not installed or did not start");
    std::unique_ptr<Display, DisplayCloser> display(XOpenDisplay(server.name().c_str()));
    ASSERT_TRUE(display) << server.name();

    // The server's own keymap has one group, "English (US)": no Russian group to lock.
    X11KeyboardLayouts layouts(server.name());
    layouts.activate(kRussianLayout);
    EXPECT_EQ(lockedGroup(display.get()), 0);

    const std::string command = "setxkbmap -display " + server.name() + " -layout us,ru 2>/dev/null";
    if (std::system(command.c_str()) != 0) return skipOutsideCi("setxkbmap is not available");
    const auto names = groupNames(display.get());
    if (X11KeyboardLayouts::findGroup(names, "Russian") != std::optional<int>(1))
        return skipOutsideCi("this X server did not take the two-group keymap us,ru (setxkbmap)");
    layouts.activate(kRussianLayout);
    EXPECT_EQ(lockedGroup(display.get()), 1);
    layouts.activate(kEnglishUsLayout);
    EXPECT_EQ(lockedGroup(display.get()), 0);

    // A display that cannot be opened switches nothing, not even the environment's;
    // no display name means the environment's.
    layouts.activate(kRussianLayout);
    const char* previous = std::getenv("DISPLAY");
    const std::string previousDisplay = previous ? previous : "";
    ::setenv("DISPLAY", server.name().c_str(), 1);
    X11KeyboardLayouts(":4711").activate(kEnglishUsLayout);
    EXPECT_EQ(lockedGroup(display.get()), 1);
    X11KeyboardLayouts().activate(kEnglishUsLayout);
    EXPECT_EQ(lockedGroup(display.get()), 0);
    if (previous)
        ::setenv("DISPLAY", previousDisplay.c_str(), 1);
    else
        ::unsetenv("DISPLAY");
}

}  // namespace
}  // namespace kvarnel::testing
