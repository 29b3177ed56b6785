#include "RegistrationMessage.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "FocusReturn.h"
#include "OnScreen.h"

namespace kvarnel {

RegistrationMessage::RegistrationMessage(const QString& title, const QString& text, QWidget* parent)
    : QDialog(parent), label_(new QLabel(text, this)), ok_(nullptr) {
    setWindowTitle(title);
    setModal(true);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    label_->setTextFormat(Qt::PlainText);
    label_->setMargin(8);

    auto* buttons = new QDialogButtonBox(this);
    ok_ = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok_->setDefault(true);
    ok_->setAutoDefault(true);
    buttons->setCenterButtons(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label_);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);  // sized to its text
    // Esc closes a QDialog by reject(); the one button is the escape button too.
}

QString RegistrationMessage::text() const { return label_->text(); }

void RegistrationMessage::run(const QString& title, const QString& text, QWidget* parent) {
    const FocusReturn focus;
    RegistrationMessage message(title, text, parent);
    message.exec();
    focus.restore();
}

QPoint RegistrationMessage::placement(const QSize& size, const QRect& screen) {
    return keptOnScreen({screen.left() + screen.width() / 2, screen.top() + kRegistrationMessageTop}, size,
                        screen);
}

void RegistrationMessage::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    place();
}

void RegistrationMessage::place() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return;
    // Before the window manager has framed the dialog its frame equals its geometry.
    QSize outer = frameGeometry().size().expandedTo(sizeHint());
    move(placement(outer, screen->geometry()));
}

}  // namespace kvarnel
