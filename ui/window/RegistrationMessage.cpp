#include "RegistrationMessage.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

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
    QPointer<QWidget> focus = QApplication::focusWidget();
    RegistrationMessage message(title, text, parent);
    message.exec();
    // The window that was active gets the keyboard back, at the control that had it.
    if (focus) {
        focus->activateWindow();
        focus->setFocus(Qt::OtherFocusReason);
    }
}

QPoint RegistrationMessage::placement(const QSize& size, const QRect& screen) {
    int x = screen.left() + screen.width() / 2;
    int y = screen.top() + kRegistrationMessageTop;
    x = std::max(screen.left(), std::min(x, screen.left() + screen.width() - size.width()));
    y = std::max(screen.top(), std::min(y, screen.top() + screen.height() - size.height()));
    return {x, y};
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
