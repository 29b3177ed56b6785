#pragma once
// Drives the real main window in the offscreen platform: a fresh window in a
// temporary current directory (with or without the journal file), mouse events
// sent through the window (so Qt's own mouse grab applies), pixels grabbed from
// what the window paints, and a watcher that closes modal boxes and records them.
#include <QImage>
#include <QPoint>
#include <QString>
#include <QTemporaryDir>
#include <QTimer>
#include <memory>
#include <string>
#include <vector>

#include "core/FormView.h"
#include "core/ResultRecord.h"
#include "tests/support/FixedClock.h"
#include "ui/window/TForm1.h"

class QWindow;

namespace kvarnel::testing {

struct ModalRecord {
    QString kind;  // "error" (QMessageBox) or "message" (registration message)
    QString title;
    QString text;
    bool criticalIcon = false;
    bool noIcon = false;
    QStringList buttons;
    QPoint position;
};

// Closes every modal box that opens while it lives, recording what it showed.
class ModalWatcher {
public:
    ModalWatcher();
    ~ModalWatcher();
    const std::vector<ModalRecord>& seen() const { return seen_; }

private:
    void poll();
    QTimer timer_;
    std::vector<ModalRecord> seen_;
};

struct HarnessOptions {
    bool journalFile = true;
    int hintDelayMs = 50;
    int hintDisplayMs = 10000;
    QString title = QStringLiteral("Kvarneltest");
};

class WindowHarness {
public:
    explicit WindowHarness(HarnessOptions options = {});
    ~WindowHarness();

    TForm1& form() { return *form_; }
    QWindow* window();
    std::vector<std::string>& layouts() { return layouts_; }
    // The window's answer timer, found as its child "Timer1".
    QTimer& timer1();

    QImage grab();
    QRgb pixel(int x, int y) { return grab().pixel(x, y) & 0xFFFFFF; }

    int index(const QString& element);
    bool elementVisible(const QString& element);
    // A point of the element's box where the element itself is the one hit.
    QPoint pointOn(const QString& element);

    void press(QPoint p, Qt::MouseButton b = Qt::LeftButton);
    void release(QPoint p, Qt::MouseButton b = Qt::LeftButton);
    void move(QPoint p);
    void click(QPoint p, Qt::MouseButton b = Qt::LeftButton);
    void clickElement(const QString& element) { click(pointOn(element)); }

    // "TEST", the two texts typed, "ВВОД".
    void registerStudent(const QString& group, const QString& surname);
    // The node whose question LabelWopros shows (0 when none).
    NodeNumber askedNode();
    // A hotspot of another node than n.
    QString wrongHotspotFor(NodeNumber n);
    QString firstHotspotOf(NodeNumber n);

    QByteArray journal() const;
    bool journalExists() const;
    void createJournal();
    QString directory() const { return dir_.path(); }

private:
    QTemporaryDir dir_;
    QString previousDirectory_;
    std::vector<std::string> layouts_;
    std::unique_ptr<TForm1> form_;
};

std::string nameOf(Control c);
void typeText(QWidget* widget, const QString& text);

}  // namespace kvarnel::testing
