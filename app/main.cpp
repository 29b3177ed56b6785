// The program's entry: the display platform, the application object, the main
// window (whose creation handler puts it into study mode), the event loop, and
// exit code 0.
#include "DisplayPlatform.h"
#include "KvarnelApplication.h"
#include "ui/window/TForm1.h"

int main(int argc, char** argv) {
    if (const auto platform = kvarnel::chosenQtPlatform(kvarnel::currentDisplayEnvironment()))
        qputenv("QT_QPA_PLATFORM", platform->c_str());
    kvarnel::KvarnelApplication app(argc, argv);
    kvarnel::TForm1Options options;
    options.applicationTitle = app.title();
    kvarnel::TForm1 form(std::move(options));
    form.show();
    app.exec();
    return 0;  // every ordinary end
}
