#include "WindowHarness.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QWindow>
#include <stdexcept>

#include "app/KvarnelApplication.h"
#include "core/Catalogue.h"
#include "tests/support/RecordingKeyboardLayouts.h"
#include "ui/drawing/Surface.h"
#include "ui/window/FormLayout.h"
#include "ui/window/RegistrationMessage.h"

namespace kvarnel::testing {

namespace {
const QString kJournal = QString::fromUtf8("Тест_кварнел.txt");
}

std::string nameOf(Control c) { return controlName(c); }

ModalWatcher::ModalWatcher() {
    timer_.setInterval(10);
    QObject::connect(&timer_, &QTimer::timeout, [this] { poll(); });
    timer_.start();
}

ModalWatcher::~ModalWatcher() { timer_.stop(); }

void ModalWatcher::poll() {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible()) return;
    ModalRecord r;
    r.title = modal->windowTitle();
    r.position = modal->frameGeometry().topLeft();
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        r.kind = QStringLiteral("error");
        r.text = box->text();
        r.criticalIcon = box->icon() == QMessageBox::Critical;
        r.noIcon = box->icon() == QMessageBox::NoIcon;
        for (QAbstractButton* b : box->buttons()) r.buttons << b->text().remove(QLatin1Char('&'));
        seen_.push_back(r);
        box->button(QMessageBox::Ok)->click();
    } else if (auto* message = qobject_cast<RegistrationMessage*>(modal)) {
        r.kind = QStringLiteral("message");
        r.text = message->text();
        r.noIcon = true;
        for (QLabel* label : message->findChildren<QLabel*>())
            if (!label->pixmap().isNull()) r.noIcon = false;
        for (QAbstractButton* b : message->findChildren<QAbstractButton*>()) r.buttons << b->text();
        seen_.push_back(r);
        // Alternate the two ways out that the button stands for.
        QTest::keyClick(message, seen_.size() % 2 ? Qt::Key_Escape : Qt::Key_Return);
        if (message->isVisible()) message->reject();
    }
}

WindowHarness::WindowHarness(HarnessOptions options) {
    if (!dir_.isValid()) throw std::runtime_error("no temporary directory");
    previousDirectory_ = QDir::currentPath();
    QDir::setCurrent(dir_.path());
    if (options.journalFile) createJournal();

    // The process-wide settings the program's application object makes, once.
    static const bool fontsSubstituted = (KvarnelApplication::installFontSubstitutions(), true);
    (void)fontsSubstituted;

    TForm1Options o;
    o.applicationTitle = options.title;
    o.keyboardLayouts = std::make_unique<RecordingKeyboardLayouts>(layouts_);
    o.clock = std::make_unique<FixedClock>();
    o.hintDelayMs = options.hintDelayMs;
    o.hintDisplayMs = options.hintDisplayMs;
    form_ = std::make_unique<TForm1>(std::move(o));
    QObject::connect(form_.get(), &TForm1::firstFrameShown, &KvarnelApplication::installWindowIcon);
    form_->show();
    if (!QTest::qWaitForWindowExposed(form_.get())) throw std::runtime_error("window not exposed");
    form_->activateWindow();
    // Activation may lag on some platforms; the tests that need the focus check it.
    (void)QTest::qWaitForWindowActive(form_.get(), 1000);
}

WindowHarness::~WindowHarness() {
    form_.reset();
    QDir::setCurrent(previousDirectory_);
}

QWindow* WindowHarness::window() { return form_->windowHandle(); }

QImage WindowHarness::grab() {
    QApplication::processEvents();
    return form_->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

QTimer& WindowHarness::timer1() {
    auto* timer = form_->findChild<QTimer*>(QStringLiteral("Timer1"), Qt::FindDirectChildrenOnly);
    if (!timer) throw std::runtime_error("the window has no Timer1");
    return *timer;
}

int WindowHarness::index(const QString& element) {
    const Surface& s = form_->surface();
    for (int i = 0; i < s.elementCount(); ++i)
        if (s.element(i).name == element) return i;
    throw std::invalid_argument("no element " + element.toStdString());
}

bool WindowHarness::elementVisible(const QString& element) {
    return form_->surface().element(index(element)).visible;
}

QPoint WindowHarness::pointOn(const QString& element) {
    const Surface& s = form_->surface();
    const int i = index(element);
    const QRect box = s.element(i).box;
    const QPoint centre = box.center();
    if (s.elementAt(centre) == i) return centre;
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x)
            if (s.elementAt({x, y}) == i) return {x, y};
    throw std::runtime_error(element.toStdString() + " cannot be hit anywhere");
}

void WindowHarness::press(QPoint p, Qt::MouseButton b) { QTest::mousePress(window(), b, {}, p); }
void WindowHarness::release(QPoint p, Qt::MouseButton b) { QTest::mouseRelease(window(), b, {}, p); }
void WindowHarness::move(QPoint p) { QTest::mouseMove(window(), p); }
void WindowHarness::click(QPoint p, Qt::MouseButton b) {
    press(p, b);
    release(p, b);
}

void typeText(QWidget* widget, const QString& text) {
    // Key events carrying the characters, as typing produces them (QTest's own
    // key helpers know only ASCII).
    for (QChar ch : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(widget, &press);
        QApplication::sendEvent(widget, &release);
    }
}

void WindowHarness::registerStudent(const QString& group, const QString& surname) {
    clickElement(QStringLiteral("SpeedButtonRezWopros"));
    auto* gruppa = static_cast<QLineEdit*>(form_->childControl(Control::Edit1Gruppa));
    auto* fio = static_cast<QLineEdit*>(form_->childControl(Control::Edit1Fio));
    typeText(gruppa, group);
    typeText(fio, surname);
    clickElement(QStringLiteral("SpeedVvod"));
}

NodeNumber WindowHarness::askedNode() {
    const std::string question = form_->text(Control::LabelWopros);
    for (const NodeRow& row : kNodeRows)
        if (row.question == question) return row.number;
    return 0;
}

QString WindowHarness::firstHotspotOf(NodeNumber n) {
    const std::string_view name = Catalogue::standard().hotspotsOf(n).front()->name;
    return QString::fromLatin1(name.data(), static_cast<int>(name.size()));
}

QString WindowHarness::wrongHotspotFor(NodeNumber n) { return firstHotspotOf(n == 1 ? 2 : 1); }

QByteArray WindowHarness::journal() const {
    QFile file(QDir(dir_.path()).filePath(kJournal));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

bool WindowHarness::journalExists() const { return QFile::exists(QDir(dir_.path()).filePath(kJournal)); }

void WindowHarness::createJournal() {
    QFile file(QDir(dir_.path()).filePath(kJournal));
    if (!file.open(QIODevice::WriteOnly)) throw std::runtime_error("cannot create the journal");
}

}  // namespace kvarnel::testing
