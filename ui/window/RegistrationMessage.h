#pragma once
// The registration message: a modal dialog with the application title, the
// text, no icon and one "OK" button that is both default and escape. Its
// top-left corner is put at (primary screen width div 2, 700), moved inside the
// screen where the dialog would not fit; the focus returns where it was.
#include <QDialog>
#include <QPoint>
#include <QRect>
#include <QSize>

class QLabel;
class QPushButton;

namespace kvarnel {

constexpr int kRegistrationMessageTop = 700;

class RegistrationMessage : public QDialog {
    Q_OBJECT
public:
    RegistrationMessage(const QString& title, const QString& text, QWidget* parent = nullptr);

    // Shows the message modally and returns when it is closed.
    static void run(const QString& title, const QString& text, QWidget* parent = nullptr);

    // Where a dialog of outer size `size` goes on `screen` (its geometry).
    static QPoint placement(const QSize& size, const QRect& screen);

    QString text() const;
    QPushButton* okButton() const { return ok_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void place();

    QLabel* label_;
    QPushButton* ok_;
};

}  // namespace kvarnel
