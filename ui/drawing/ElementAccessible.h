#pragma once
// What assistive technologies see of one element of the surface: a push button
// (its caption; "press" clicks it), a label (static text, its current text) or
// a hotspot (its node's name; "press" presses and releases it; its description
// says what a press does now). The element lives in the surface; this reads it
// afresh on every call.
#include <QAccessibleActionInterface>
#include <QAccessibleInterface>
#include <QPointer>

namespace kvarnel {

class Surface;

class ElementAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    ElementAccessible(Surface* surface, int index);

    int elementIndex() const { return index_; }

    bool isValid() const override;
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
    // No push button and no hotspot has a keyboard shortcut.
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    bool pressable() const;

    QPointer<Surface> surface_;
    int index_;
};

}  // namespace kvarnel
