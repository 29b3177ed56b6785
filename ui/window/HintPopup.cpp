#include "HintPopup.h"

#include <QGuiApplication>
#include <QScreen>
#include <QToolTip>

#include "OnScreen.h"

namespace kvarnel {

HintPopup::HintPopup(QWidget* parent)
    : QLabel(parent, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus) {
    setObjectName(QStringLiteral("HintPopup"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setTextFormat(Qt::PlainText);
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(1);
    setMargin(1);
    setFont(QToolTip::font());
    QPalette p = palette();
    p.setColor(QPalette::Window, QToolTip::palette().color(QPalette::ToolTipBase));
    p.setColor(QPalette::WindowText, QToolTip::palette().color(QPalette::ToolTipText));
    setPalette(p);
    setAutoFillBackground(true);
}

void HintPopup::showAt(const QString& text, const QPoint& globalPointer) {
    // Hint texts keep their trailing blanks; a label shows them as they are.
    setText(text);
    adjustSize();
    const QScreen* screen = QGuiApplication::screenAt(globalPointer);
    if (!screen) screen = QGuiApplication::primaryScreen();
    const QRect desktop = screen ? screen->geometry() : QRect(QPoint(0, 0), size());
    move(placement(size(), globalPointer, desktop));
    show();
    raise();
}

void HintPopup::setBackground(const QColor& colour) {
    QPalette p = palette();
    p.setColor(QPalette::Window, colour);
    setPalette(p);
}

QPoint HintPopup::placement(const QSize& size, const QPoint& pointer, const QRect& desktop) {
    return keptOnScreen(pointer + QPoint(0, kHintBelowPointer), size, desktop);
}

}  // namespace kvarnel
