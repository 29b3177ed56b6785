// The program's entry: the application object, the main window (whose creation
// handler puts it into study mode), the event loop, and exit code 0.
#include "KvarnelApplication.h"
#include "TForm1.h"

int main(int argc, char** argv) {
    kvarnel::KvarnelApplication app(argc, argv);
    kvarnel::TForm1Options options;
    options.applicationTitle = app.title();
    kvarnel::TForm1 form(std::move(options));
    form.show();
    app.exec();
    return 0;  // every ordinary end
}
