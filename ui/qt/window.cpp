// SPDX-License-Identifier: MIT
#include "window.h"

#include "accessibility.h"
#include "fonts.h"
#include "painter.h"
#include "password_field.h"
#include "pictures.h"
#include "placement.h"
#include "text.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QWindow>

#include <algorithm>

namespace zorvane::qt {
namespace {

// Marks what the table calls decoration, for the accessibility tree.
constexpr char kDecoration[] = "zorvaneDecoration";

// Every kind drawn in a colour has one: the model checks each table for it
// at compile time.
forms::Rgb ColourOf(const forms::Control &row)
{
    return row.colour.value();
}

QLabel *MakeLabel(QWidget &window, const forms::Control &row)
{
    auto *label = new QLabel(ToQString(row.text), &window);
    // Plain text only: nothing typed or computed is ever read as markup or a link.
    label->setTextFormat(Qt::PlainText);
    label->setTextInteractionFlags(Qt::NoTextInteraction);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    SetTextColour(label, ColourOf(row));
    return label;
}

QPushButton *MakeButton(QWidget &window, const forms::Control &row)
{
    auto *button = new QPushButton(ToQString(row.text), &window);
    SetButtonFace(button, ColourOf(row));
    // No default button: Enter presses only the button that has the focus.
    button->setAutoDefault(true);
    button->setDefault(false);
    return button;
}

QWidget *MakeControl(QWidget &window, const forms::Control &row)
{
    switch (row.kind) {
    case forms::Kind::Label:
        return MakeLabel(window, row);
    case forms::Kind::Square:
        return new Square(ColourOf(row), &window);
    case forms::Kind::TextField:
        return new QLineEdit(ToQString(row.text), &window);
    case forms::Kind::OutputField:
        return new PasswordField(&window);
    case forms::Kind::Button:
        return MakeButton(window, row);
    case forms::Kind::Picture:
        return new QLabel(&window);
    }
    return nullptr;
}

// Gives the window's texts and pictures the size of its screen: fonts as the
// model picks them for its device pixel ratio, captions fitted, pictures in
// the matching rendition.
void FitToScreen(QWidget &window, const forms::Window &description,
                 const std::vector<QWidget *> &controls)
{
    const qreal ratio = window.devicePixelRatioF();
    window.setFont(FontOf(description.font, ratio));
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const forms::Control &row = description.controls[i];
        QWidget *control = controls[i];
        if (row.font)
            control->setFont(FontOf(*row.font, ratio));
        if (auto *button = qobject_cast<QPushButton *>(control))
            FitCaption(button, forms::ControlFont(description, row));
        if (row.kind == forms::Kind::OutputField) {
            // Plain ASCII needs no shaping; skipping it halves the layout of a long password.
            QFont font = FontOf(forms::ControlFont(description, row), ratio);
            font.setKerning(false);
            font.setStyleStrategy(QFont::PreferNoShaping);
            control->setFont(font);
        }
        if (row.kind == forms::Kind::Picture)
            static_cast<QLabel *>(control)->setPixmap(PictureOf(row.picture, ratio));
    }
}

// Refits the window whenever it moves to another screen, which may have
// another device pixel ratio. Its native window exists from its first show.
class ScreenFollower final : public QObject {
public:
    ScreenFollower(QWidget &window, const forms::Window &description,
                   std::vector<QWidget *> controls)
        : QObject(&window), window_(window), description_(description),
          controls_(std::move(controls))
    {
        window.installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show && !connected_ && window_.windowHandle()) {
            connected_ = true;
            connect(window_.windowHandle(), &QWindow::screenChanged, this, [this] {
                if (window_.devicePixelRatioF() != ratio_)
                    Fit();
            });
            if (window_.devicePixelRatioF() != ratio_)
                Fit();
        }
        return QObject::eventFilter(watched, event);
    }

    void Fit()
    {
        ratio_ = window_.devicePixelRatioF();
        FitToScreen(window_, description_, controls_);
    }

private:
    QWidget &window_;
    const forms::Window &description_;
    const std::vector<QWidget *> controls_;
    qreal ratio_ = 0;
    bool connected_ = false;
};

} // namespace

std::vector<QWidget *> BuildWindow(QWidget &window, const forms::Window &description)
{
    InstallAccessibleInterfaces();
    window.setObjectName(ToQString(description.objectName));
    window.setWindowTitle(ToQString(description.title));
    SetBackground(&window, description.background);
    window.setFixedSize(ClientSize(description));

    std::vector<QWidget *> controls;
    std::vector<std::pair<int, QWidget *>> focusChain;
    for (const forms::Control &row : description.controls) {
        QWidget *control = MakeControl(window, row);
        control->setProperty(kDecoration, forms::IsDecoration(row.kind));
        controls.push_back(control);
        control->setObjectName(ToQString(row.objectName));
        control->setGeometry(ToQRect(row.rect));
        if (row.TakesFocus())
            focusChain.emplace_back(row.tab, control);
        else
            control->setFocusPolicy(Qt::NoFocus);
    }

    // Fields and buttons are drawn above labels and squares.
    for (const auto &[tab, control] : focusChain)
        control->raise();

    std::sort(focusChain.begin(), focusChain.end(),
              [](const auto &a, const auto &b) { return a.first < b.first; });
    for (std::size_t i = 1; i < focusChain.size(); ++i)
        QWidget::setTabOrder(focusChain[i - 1].second, focusChain[i].second);

    // Without a fixed name a control is heard by what it shows, and a button's
    // name then follows its caption. A label's text gives its partner context
    // through a relation.
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const forms::Control &row = description.controls[i];
        const std::string_view name = forms::FixedAccessibleName(description, row);
        if (!name.empty())
            controls[i]->setAccessibleName(ToQString(name));
        if (row.labelledBy != forms::kNone)
            static_cast<QLabel *>(controls[static_cast<std::size_t>(row.labelledBy)])
                ->setBuddy(controls[i]);
    }
    (new ScreenFollower(window, description, controls))->Fit();
    return controls;
}

bool IsDecoration(const QWidget &control)
{
    return control.property(kDecoration).toBool();
}

} // namespace zorvane::qt
