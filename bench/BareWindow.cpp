#include "BareWindow.h"

#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QTextEdit>

#include "core/CatalogueData.h"
#include "ui/window/FormLayout.h"

namespace kvarnel::bench {

std::unique_ptr<QWidget> makeBareWindow() {
    auto window = std::make_unique<QWidget>();
    window->setFixedSize(kClientWidth, kClientHeight);
    QPalette white = window->palette();
    white.setColor(QPalette::Window, Qt::white);
    window->setPalette(white);
    window->setAutoFillBackground(true);
    // Stands for the main window's drawing surface: a child over the whole client area.
    (new QWidget(window.get()))->setGeometry(0, 0, kClientWidth, kClientHeight);
    for (int i = 0; i < kNodeCount; ++i) {
        auto* panel = new QTextEdit(window.get());
        panel->setGeometry(168, 558, 601, 160);
        panel->setPlainText(QStringLiteral("A description of one part of the turbine."));
        panel->hide();
    }
    (new QProgressBar(window.get()))->hide();
    (new QLineEdit(window.get()))->hide();
    (new QLineEdit(window.get()))->hide();
    (new QLabel(QStringLiteral("An instruction line"), window.get()))->move(44, 560);
    return window;
}

}  // namespace kvarnel::bench
