// Whole-process start-up: from starting a program to its first painted frame in
// a real X server (Xvfb), the program against the bare window, each started the
// same way, in alternating runs, at each scale factor (QT_SCALE_FACTOR, by
// default 1 and 2). Prints medians, quartiles and extremes of both, the ratio
// of the medians and the spread of the run-by-run ratios.
//
//   kvarnel_startup_bench [--runs N] [--scale-factors 1,2] [--program PATH] [--bare PATH] [--display :N]
//
// Without --display a private Xvfb (3840x2160x24, black root, room for the
// window at twice its size) is started.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "MeasurementTable.h"
#include "XFrameWatcher.h"
#include "core/Catalogue.h"
#include "ui/window/FormLayout.h"

extern char** environ;

namespace kvarnel::bench {
namespace {

constexpr double kTimeoutMs = 20000;
constexpr unsigned kWhite = 0xFFFFFF;
constexpr unsigned kLime = 0x00FF00;

struct Options {
    int runs = 31;
    std::vector<int> scaleFactors{1, 2};
    int warmUps = 2;
    std::string program = KVARNEL_PROGRAM_PATH;
    std::string bare = KVARNEL_BARE_PATH;
    std::string display;
};

struct Subject {
    const char* name;
    std::string path;
    std::vector<Probe> probes;
    std::vector<double> mapped;
    std::vector<double> framed;
};

// The program's first frame shows the white window and the overview's hotspots:
// a corner of the white margin and the centre of the first hotspot, in the
// device pixels of a window scaled by `factor`.
std::vector<Probe> programProbes(int factor) {
    const HotspotRow* first = Catalogue::standard().hotspotsOf(1).front();
    return {{3 * factor, 3 * factor, kWhite}, {(first->left + 7) * factor, (first->top + 7) * factor, kLime}};
}

std::vector<Probe> bareProbes(int factor) {
    return {{3 * factor, 3 * factor, kWhite},
            {(kClientWidth - 4) * factor, (kClientHeight - 4) * factor, kWhite}};
}

std::string absolute(const std::string& path) {
    char resolved[PATH_MAX];
    if (!realpath(path.c_str(), resolved)) throw std::runtime_error("no such program: " + path);
    return resolved;
}

pid_t spawn(const std::string& path, char* const* env, bool quiet,
            const std::vector<std::string>& args = {}) {
    std::vector<char*> argv{const_cast<char*>(path.c_str())};
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (quiet) {
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    }
    pid_t pid = 0;
    const int error = posix_spawnp(&pid, path.c_str(), &actions, nullptr, argv.data(), env);
    posix_spawn_file_actions_destroy(&actions);
    if (error) throw std::runtime_error("cannot start " + path + ": " + std::strerror(error));
    return pid;
}

void stop(pid_t pid) {
    kill(pid, SIGTERM);
    int status = 0;
    waitpid(pid, &status, 0);
}

// A private Xvfb on the first free display from :70 on (low numbers are left to
// the desktop and to the tests), which tells its number once it is ready.
class PrivateXServer {
public:
    PrivateXServer() {
        for (int n = 70; n < 100 && display_.empty(); ++n)
            if (access(("/tmp/.X" + std::to_string(n) + "-lock").c_str(), F_OK) != 0) tryDisplay(n);
        if (display_.empty()) throw std::runtime_error("Xvfb did not start (is the xvfb package installed?)");
    }
    ~PrivateXServer() {
        if (pid_) stop(pid_);
    }
    const std::string& display() const { return display_; }

private:
    void tryDisplay(int n) {
        int fds[2];
        if (pipe(fds) != 0) throw std::runtime_error("no pipe for Xvfb");
        const pid_t pid = spawn("Xvfb", environ, true,
                                {":" + std::to_string(n), "-displayfd", std::to_string(fds[1]), "-screen",
                                 "0", "3840x2160x24", "-br", "-nolisten", "tcp", "-noreset"});
        close(fds[1]);
        std::string number;
        char c = 0;
        while (read(fds[0], &c, 1) == 1 && c != '\n') number += c;
        close(fds[0]);
        if (number.empty()) {  // taken meanwhile, or no Xvfb at all
            stop(pid);
            return;
        }
        pid_ = pid;
        display_ = ":" + number;
    }

    pid_t pid_ = 0;
    std::string display_;
};

// The environment both programs get: this one with the display, Qt's X11
// platform and the scale factor chosen, and a private runtime directory.
class ChildEnvironment {
public:
    ChildEnvironment(const std::string& display, const std::string& runtimeDir, int scaleFactor) {
        for (char** e = environ; *e; ++e) {
            const std::string entry = *e;
            if (entry.rfind("DISPLAY=", 0) && entry.rfind("QT_QPA_PLATFORM=", 0) &&
                entry.rfind("XDG_RUNTIME_DIR=", 0) && entry.rfind("QT_SCALE_FACTOR=", 0))
                strings_.push_back(entry);
        }
        strings_.push_back("DISPLAY=" + display);
        strings_.push_back("QT_QPA_PLATFORM=xcb");
        strings_.push_back("XDG_RUNTIME_DIR=" + runtimeDir);
        strings_.push_back("QT_SCALE_FACTOR=" + std::to_string(scaleFactor));
        for (std::string& s : strings_) pointers_.push_back(s.data());
        pointers_.push_back(nullptr);
    }
    char* const* get() const { return const_cast<char* const*>(pointers_.data()); }

private:
    std::vector<std::string> strings_;
    std::vector<char*> pointers_;
};

XFrameWatcher::Times runOnce(XFrameWatcher& watcher, const Subject& subject, const ChildEnvironment& env) {
    watcher.drain();
    const auto start = XFrameWatcher::Clock::now();
    const pid_t pid = spawn(subject.path, env.get(), true);
    XFrameWatcher::Times times = watcher.watch(pid, start, subject.probes, kTimeoutMs);
    stop(pid);
    usleep(100 * 1000);  // let the server repaint the root and the machine settle
    return times;
}

struct Spread {
    double min, q1, median, q3, max;
};

double quantile(std::vector<double> values, double q) {
    std::sort(values.begin(), values.end());
    const double at = q * static_cast<double>(values.size() - 1);
    const auto below = static_cast<std::size_t>(at);
    if (below + 1 >= values.size()) return values.back();
    return values[below] + (at - static_cast<double>(below)) * (values[below + 1] - values[below]);
}

Spread spreadOf(const std::vector<double>& v) {
    return {quantile(v, 0), quantile(v, 0.25), MeasurementTable::median(v), quantile(v, 0.75),
            quantile(v, 1)};
}

void printRow(const std::string& name, const std::vector<double>& values, const char* unit) {
    const Spread s = spreadOf(values);
    std::printf("%-34s %8.2f %8.2f %8.2f %8.2f %8.2f  %s\n", name.c_str(), s.median, s.min, s.q1, s.q3, s.max,
                unit);
}

Options parse(int argc, char** argv) {
    Options o;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--runs" && hasValue) {
            o.runs = std::max(1, std::atoi(argv[++i]));
        } else if (arg == "--scale-factors" && hasValue) {
            o.scaleFactors.clear();
            std::stringstream list(argv[++i]);
            for (std::string item; std::getline(list, item, ',');)
                o.scaleFactors.push_back(std::max(1, std::atoi(item.c_str())));
        } else if (arg == "--program" && hasValue)
            o.program = argv[++i];
        else if (arg == "--bare" && hasValue)
            o.bare = argv[++i];
        else if (arg == "--display" && hasValue)
            o.display = argv[++i];
        else
            throw std::runtime_error(
                "usage: kvarnel_startup_bench [--runs N] [--scale-factors 1,2] [--program PATH] [--bare PATH] "
                "[--display :N]");
    }
    return o;
}

// Alternating runs of both at one scale factor, then their figures.
int measureAt(int factor, const Options& options, XFrameWatcher& watcher, const std::string& display,
              const std::string& runtimeDir) {
    Subject program{"program", absolute(options.program), programProbes(factor), {}, {}};
    Subject bare{"bare window", absolute(options.bare), bareProbes(factor), {}, {}};
    const ChildEnvironment env(display, runtimeDir, factor);
    int failures = 0;
    auto once = [&](Subject& s, bool keep) {
        const XFrameWatcher::Times t = runOnce(watcher, s, env);
        if (!t.failure.empty()) {
            std::fprintf(stderr, "%s: %s\n", s.name, t.failure.c_str());
            ++failures;
            return;
        }
        if (!keep) return;
        s.mapped.push_back(t.mappedMs);
        s.framed.push_back(t.framedMs);
    };
    for (int i = 0; i < options.warmUps; ++i) {
        once(program, false);
        once(bare, false);
    }
    // Alternating, each first in every other pair, so that both see the same load.
    for (int i = 0; i < options.runs; ++i) {
        if (i % 2 == 0) {
            once(program, true);
            once(bare, true);
        } else {
            once(bare, true);
            once(program, true);
        }
    }
    if (program.framed.empty() || bare.framed.empty()) {
        std::fprintf(stderr, "no complete runs at scale factor %d\n", factor);
        return 1;
    }

    std::printf(
        "QT_SCALE_FACTOR=%d: X server %s; %d alternating runs each after %d warm-up runs; %d failed\n\n",
        factor, display.c_str(), options.runs, options.warmUps, failures);
    std::printf("%-34s %8s %8s %8s %8s %8s\n", "start to ...", "median", "min", "q1", "q3", "max");
    printRow("program: window mapped", program.mapped, "ms");
    printRow("program: first painted frame", program.framed, "ms");
    printRow("bare window: window mapped", bare.mapped, "ms");
    printRow("bare window: first painted frame", bare.framed, "ms");
    std::vector<double> pairRatios;
    for (std::size_t i = 0; i < std::min(program.framed.size(), bare.framed.size()); ++i)
        pairRatios.push_back(program.framed[i] / bare.framed[i]);
    printRow("run-by-run ratio program / bare", pairRatios, "x");
    std::printf("\nratio of medians, first painted frame, program / bare: %.3f (target <= %s)\n\n",
                MeasurementTable::median(program.framed) / MeasurementTable::median(bare.framed),
                factor == 1 ? "1.2" : "1.3");
    return failures ? 1 : 0;
}

int run(int argc, char** argv) {
    const Options options = parse(argc, argv);
    char runtimeDir[] = "/tmp/kvarnel-startup-XXXXXX";
    if (!mkdtemp(runtimeDir)) throw std::runtime_error("no temporary directory");
    // Both start in an empty directory: no results journal is near them.
    if (chdir(runtimeDir) != 0) throw std::runtime_error("cannot enter the temporary directory");

    std::unique_ptr<PrivateXServer> server;
    if (options.display.empty()) server = std::make_unique<PrivateXServer>();
    const std::string display = server ? server->display() : options.display;
    XFrameWatcher watcher(display);
    int result = 0;
    for (int factor : options.scaleFactors)
        result |= measureAt(factor, options, watcher, display, runtimeDir);
    rmdir(runtimeDir);
    return result;
}

}  // namespace
}  // namespace kvarnel::bench

int main(int argc, char** argv) {
    try {
        return kvarnel::bench::run(argc, argv);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "kvarnel_startup_bench: %s\n", e.what());
        return 2;
    }
}
