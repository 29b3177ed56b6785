#include "XFrameWatcher.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xdamage.h>
#include <poll.h>
#include <sys/wait.h>

#include <stdexcept>

namespace kvarnel::bench {

namespace {

double millisecondsBetween(XFrameWatcher::Clock::time_point from, XFrameWatcher::Clock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

// A failed read of a pixel (e.g. of a window closed meanwhile) is an ordinary
// "not yet", not a reason to end the watcher.
int ignoreErrors(Display*, XErrorEvent*) { return 0; }

}  // namespace

XFrameWatcher::XFrameWatcher(const std::string& display) {
    display_ = XOpenDisplay(display.c_str());
    if (!display_) throw std::runtime_error("cannot open X display " + display);
    int errorBase = 0;
    if (!XDamageQueryExtension(display_, &damageEventBase_, &errorBase)) {
        XCloseDisplay(display_);
        throw std::runtime_error("the X server has no DAMAGE extension");
    }
    XSetErrorHandler(ignoreErrors);
    const Window root = DefaultRootWindow(display_);
    // Top-level windows appear as the root's children; drawing into any of them
    // is reported as damage of the root, whose damage record includes its inferiors.
    XSelectInput(display_, root, SubstructureNotifyMask);
    damage_ = XDamageCreate(display_, root, XDamageReportRawRectangles);
    pidAtom_ = XInternAtom(display_, "_NET_WM_PID", False);
    XSync(display_, False);
}

XFrameWatcher::~XFrameWatcher() {
    if (damage_) XDamageDestroy(display_, damage_);
    XCloseDisplay(display_);
}

long XFrameWatcher::windowPid(unsigned long window) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long left = 0;
    unsigned char* data = nullptr;
    long pid = -1;
    if (XGetWindowProperty(display_, window, pidAtom_, 0, 1, False, XA_CARDINAL, &type, &format, &count,
                           &left, &data) == Success &&
        data && format == 32 && count == 1)
        pid = static_cast<long>(*reinterpret_cast<unsigned long*>(data));
    if (data) XFree(data);
    return pid;
}

bool XFrameWatcher::probesShow(unsigned long window, const std::vector<Probe>& probes) {
    for (const Probe& p : probes) {
        XImage* image = XGetImage(display_, window, p.x, p.y, 1, 1, AllPlanes, ZPixmap);
        if (!image) return false;
        const unsigned long pixel = XGetPixel(image, 0, 0);
        const unsigned rgb = static_cast<unsigned>(
            ((pixel & image->red_mask) ? (pixel & image->red_mask) * 255 / image->red_mask : 0) << 16 |
            ((pixel & image->green_mask) ? (pixel & image->green_mask) * 255 / image->green_mask : 0) << 8 |
            ((pixel & image->blue_mask) ? (pixel & image->blue_mask) * 255 / image->blue_mask : 0));
        XDestroyImage(image);
        if (rgb != p.rgb) return false;
    }
    return true;
}

XFrameWatcher::Times XFrameWatcher::watch(pid_t pid, Clock::time_point start,
                                          const std::vector<Probe>& probes, double timeoutMs) {
    Times times;
    Window target = None;
    const int fd = ConnectionNumber(display_);
    while (times.framedMs < 0) {
        const double left = timeoutMs - millisecondsBetween(start, Clock::now());
        if (left <= 0) {
            times.failure =
                target == None ? "no window was mapped in time" : "the window was not painted in time";
            return times;
        }
        if (!XPending(display_)) {
            pollfd wait{fd, POLLIN, 0};
            // A short wait at most, so that a program that died is noticed.
            poll(&wait, 1, left < 50 ? static_cast<int>(left) + 1 : 50);
            int status = 0;
            if (waitpid(pid, &status, WNOHANG) == pid) {
                times.failure = "the program ended before its first frame";
                return times;
            }
        }
        bool damaged = false;
        Clock::time_point noticed;
        while (XPending(display_)) {
            XEvent event;
            XNextEvent(display_, &event);
            const auto now = Clock::now();
            if (event.type == MapNotify && target == None && windowPid(event.xmap.window) == pid) {
                target = event.xmap.window;
                times.mappedMs = millisecondsBetween(start, now);
                damaged = true;  // it may have been drawn before this notice was read
                noticed = now;
            } else if (event.type == damageEventBase_ + XDamageNotify) {
                damaged = true;
                noticed = now;
            }
        }
        // Pixels are read back once the notices that have arrived are taken; the
        // frame's time is when the last drawing that completed it was reported,
        // not when the read-back ended.
        if (target != None && damaged && probesShow(target, probes))
            times.framedMs = millisecondsBetween(start, noticed);
    }
    return times;
}

void XFrameWatcher::drain() {
    XSync(display_, False);
    while (XPending(display_)) {
        XEvent event;
        XNextEvent(display_, &event);
    }
}

}  // namespace kvarnel::bench
