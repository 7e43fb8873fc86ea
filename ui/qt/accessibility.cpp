// SPDX-License-Identifier: MIT
#include "accessibility.h"

#include "about_window.h"
#include "main_window.h"
#include "text.h"
#include "window.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace zorvane::qt {
namespace {

// The announcer, heard as a notification by its name: the announcement.
class AnnouncerInterface final : public QAccessibleWidget {
public:
    explicit AnnouncerInterface(Announcer *announcer)
        : QAccessibleWidget(announcer, QAccessible::Notification)
    {}

    [[nodiscard]] QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return static_cast<const Announcer *>(widget())->text();
        return QAccessibleWidget::text(t);
    }

    [[nodiscard]] QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        // It has no size; it is showing whenever it is shown.
        state.offscreen = false;
        return state;
    }
};

// A window whose accessible children are its controls less the decoration:
// a square says nothing, and a nameless object in the tree is only noise.
class WindowInterface final : public QAccessibleWidget {
public:
    explicit WindowInterface(QWidget *window) : QAccessibleWidget(window) {}

    [[nodiscard]] int childCount() const override { return int(Children().size()); }

    [[nodiscard]] QAccessibleInterface *child(int index) const override
    {
        const QList<QWidget *> children = Children();
        if (index < 0 || index >= children.size())
            return nullptr;
        return QAccessible::queryAccessibleInterface(children[index]);
    }

    [[nodiscard]] int indexOfChild(const QAccessibleInterface *child) const override
    {
        if (!child)
            return -1;
        return int(Children().indexOf(qobject_cast<QWidget *>(child->object())));
    }

private:
    // As Qt lists a widget's children, less the squares.
    [[nodiscard]] QList<QWidget *> Children() const
    {
        QList<QWidget *> children;
        for (QObject *object : widget()->children()) {
            auto *child = qobject_cast<QWidget *>(object);
            if (child && !child->isWindow() && !IsDecoration(*child))
                children.append(child);
        }
        return children;
    }
};

QAccessibleInterface *Interfaces(const QString &, QObject *object)
{
    if (auto *announcer = qobject_cast<Announcer *>(object))
        return new AnnouncerInterface(announcer);
    // Qt asks once per object, and may ask before the window has its controls.
    if (qobject_cast<MainWindow *>(object) || qobject_cast<AboutWindow *>(object))
        return new WindowInterface(static_cast<QWidget *>(object));
    return nullptr;
}

} // namespace

Announcer::Announcer(QWidget *window) : QWidget(window)
{
    setObjectName(QStringLiteral("announcer"));
    setGeometry(0, 0, 0, 0);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    // Silent until the first request.
    hide();
}

void Announcer::Announce(const forms::Announcement &announcement)
{
    text_ = ToQString(announcement.text);
    urgent_ = announcement.urgent;
    // Screen readers speak a notification as it becomes showing, the same
    // words again too.
    hide();
    QAccessibleEvent renamed(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&renamed);
    show();
}

void InstallAccessibleInterfaces()
{
    static const bool installed = [] {
        QAccessible::installFactory(Interfaces);
        return true;
    }();
    (void)installed;
}

} // namespace zorvane::qt
