#include "KvarnelApplication.h"

#include <QDirIterator>
#include <QFont>
#include <QIcon>

#include "ApplicationTitle.h"
#include "ui/window/FormLayout.h"

namespace kvarnel {

KvarnelApplication::KvarnelApplication(int& argc, char** argv)
    : QApplication(argc, argv),
      title_(QString::fromStdString(applicationTitleFrom(applicationFilePath().toStdString()))) {
    // The task-bar entry (window class) carries the title. The display name stays
    // unset: Qt would append it to the main window's own caption.
    setApplicationName(title_);
    // The installed menu entry's name: a Wayland desktop matches the window to
    // it (its icon and name) by this.
    setDesktopFileName(QStringLiteral("io.github.kvarnel.Kvarnel"));
    installFontSubstitutions();
}

void KvarnelApplication::installFontSubstitutions() {
    for (const FontSubstitution& s : kFontSubstitutions)
        QFont::insertSubstitution(QString::fromLatin1(s.family), QString::fromLatin1(s.substitute));
}

void KvarnelApplication::installWindowIcon() {
    QIcon icon;
    for (QDirIterator it(QStringLiteral(":/icon"), {QStringLiteral("*.png")}); it.hasNext();)
        icon.addFile(it.next());
    setWindowIcon(icon);
}

}  // namespace kvarnel
