// The program's entry: the display platform, the application object, the main
// window (whose creation handler puts it into study mode), the event loop, and
// exit code 0. --help and --version are answered before any of these.
#include <cstdio>

#include "CommandLine.h"
#include "DisplayPlatform.h"
#include "KvarnelApplication.h"
#include "ui/window/TForm1.h"

int main(int argc, char** argv) {
    if (const auto answer = kvarnel::commandLineAnswer(argc, argv)) {
        std::fputs(answer->c_str(), stdout);
        return std::fflush(stdout) == 0 ? 0 : 1;  // a lost answer is not a success
    }
    if (const auto platform = kvarnel::chosenQtPlatform(kvarnel::currentDisplayEnvironment()))
        qputenv("QT_QPA_PLATFORM", platform->c_str());
    kvarnel::KvarnelApplication app(argc, argv);
    kvarnel::TForm1Options options;
    options.applicationTitle = app.title();
    kvarnel::TForm1 form(std::move(options));
    // The icon's pictures (every size decoded, and on X11 all of them sent to
    // the server) are set once the first frame is on screen, not before.
    QObject::connect(&form, &kvarnel::TForm1::firstFrameShown, &app,
                     &kvarnel::KvarnelApplication::installWindowIcon);
    form.show();
    app.exec();
    return 0;  // every ordinary end
}
