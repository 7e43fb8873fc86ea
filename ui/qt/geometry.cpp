// SPDX-License-Identifier: MIT
#include "geometry.h"

#include "appearance.h"
#include "resources.h"

#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTextOption>

#include <algorithm>
#include <vector>

namespace zorvane::ui {
namespace {

QColor ToQColor(forms::Rgb rgb)
{
    return {rgb.red, rgb.green, rgb.blue};
}

QLabel *MakeLabel(QWidget &window, const forms::Control &row)
{
    auto *label = new QLabel(ToQString(row.text), &window);
    // Plain text only: nothing typed or computed is ever read as markup or a link.
    label->setTextFormat(Qt::PlainText);
    label->setTextInteractionFlags(Qt::NoTextInteraction);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    SetTextColour(label, ToQColor(*row.colour));
    return label;
}

QPlainTextEdit *MakeOutputField(QWidget &window)
{
    auto *field = new QPlainTextEdit(&window);
    field->setReadOnly(true);
    field->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    field->setTabChangesFocus(true);
    field->setUndoRedoEnabled(false);
    // Passwords have no spaces: wrap anywhere so a long one stays readable.
    field->setWordWrapMode(QTextOption::WrapAnywhere);
    return field;
}

QPushButton *MakeButton(QWidget &window, const forms::Control &row)
{
    auto *button = new QPushButton(ToQString(row.text), &window);
    SetButtonFace(button, ToQColor(*row.colour));
    // No default button: Enter presses only the button that has the focus.
    button->setAutoDefault(true);
    button->setDefault(false);
    return button;
}

QLabel *MakePicture(QWidget &window, const forms::Control &row)
{
    auto *picture = new QLabel(&window);
    picture->setPixmap(row.picture == forms::Picture::Banner ? BannerPicture() : PortraitPicture());
    return picture;
}

QWidget *MakeControl(QWidget &window, const forms::Control &row)
{
    switch (row.kind) {
    case forms::Kind::Label:
        return MakeLabel(window, row);
    case forms::Kind::Marker:
        return new Marker(ToQColor(*row.colour), &window);
    case forms::Kind::TextField:
        return new QLineEdit(ToQString(row.text), &window);
    case forms::Kind::OutputField:
        return MakeOutputField(window);
    case forms::Kind::Button:
        return MakeButton(window, row);
    case forms::Kind::Picture:
        return MakePicture(window, row);
    }
    return nullptr;
}

} // namespace

void BuildWindow(QWidget &window, const forms::Window &description)
{
    window.setObjectName(ToQString(description.name));
    window.setWindowTitle(ToQString(description.title));
    SetBackground(&window, ToQColor(description.background));
    window.setFont(FontOf(*description.font));
    window.setFixedSize(ClientSize(description));

    std::vector<std::pair<int, QWidget *>> focusChain;
    for (const forms::Control &row : description.controls) {
        QWidget *control = MakeControl(window, row);
        control->setObjectName(ToQString(row.name));
        control->setGeometry(PixelRect(row.rect));
        if (row.font)
            control->setFont(FontOf(*row.font));
        if (auto *button = qobject_cast<QPushButton *>(control))
            FitCaption(button, button->font());
        if (row.TakesFocus())
            focusChain.emplace_back(row.tab, control);
        else
            control->setFocusPolicy(Qt::NoFocus);
        // Without a name of its own, a control is heard by what it shows, and
        // a button's name then follows its caption.
        if (!row.accessibleName.empty())
            control->setAccessibleName(ToQString(row.accessibleName));
    }

    // Fields and buttons are drawn above labels and markers.
    for (const auto &[tab, control] : focusChain)
        control->raise();

    std::sort(focusChain.begin(), focusChain.end(),
              [](const auto &a, const auto &b) { return a.first < b.first; });
    for (std::size_t i = 1; i < focusChain.size(); ++i)
        QWidget::setTabOrder(focusChain[i - 1].second, focusChain[i].second);

    // A label's text gives its partner context through a relation: a field is
    // then named after its label, while a label keeps saying what it shows.
    for (const forms::Control &row : description.controls) {
        if (row.labelledBy.empty())
            continue;
        auto *label = Control<QLabel>(window, row.labelledBy);
        QWidget *control = Control<QWidget>(window, row.name);
        label->setBuddy(control);
        if (row.kind != forms::Kind::Label && row.accessibleName.empty())
            control->setAccessibleName(label->text());
    }
}

void CentreOnScreen(QWidget *window)
{
    const QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    // Before the first show the frame is unknown; centre the client area then.
    const QSize frame = window->isVisible() ? window->frameGeometry().size() : window->size();
    const QRect area = screen->availableGeometry();
    window->move(area.x() + (area.width() - frame.width()) / 2,
                 area.y() + (area.height() - frame.height()) / 2);
}

} // namespace zorvane::ui
