// SPDX-License-Identifier: MIT
#include "form2.h"

#include "appearance.h"
#include "geometry.h"
#include "resources.h"

#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <array>

namespace zorvane::ui {

Form2::Form2(QWidget *owner)
    : QWidget(owner, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      Image1(new QLabel(this)), Label1(new QLabel(this)), Image2(new QLabel(this)),
      Command1(new QPushButton(this)), Label2(new QLabel(this)), Label3(new QLabel(this))
{
    // Closing through the frame ends this window; the next About makes a new one.
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("About Tolmek"));
    setWindowIcon(AboutIcon());
    SetBackground(this, QColor(192, 192, 192));
    setFont(SansSerifFont());
    setFixedSize(TwipsSize(9330, 3450));

    // The GIF's first frame, still; both pictures at their natural size.
    Image1->setPixmap(BannerPicture());
    Image1->setAccessibleName(tr("Zorvane banner"));
    Image2->setPixmap(PortraitPicture());
    Image2->setAccessibleName(tr("Portrait of Tolmek"));

    Label1->setText(tr("Hello, I am Tolmek. I write small, careful tools for everyday jobs. "
                       "Zorvane makes a fresh random password whenever you need one: type "
                       "a length and press Generate. Thank you for using it!"));
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    SetTextColour(Label1, QColor(0, 0, 255));
    Label1->setAccessibleName(tr("About the author"));

    Command1->setText(tr("Back"));
    Command1->setAutoDefault(true); // Enter presses it while it has the focus
    SetButtonFace(Command1, QColor(0, 192, 0));
    Command1->setAccessibleName(tr("Back"));

    Label2->setText(tr("My Website"));
    Label2->setFont(TahomaBoldFont());
    SetTextColour(Label2, QColor(255, 0, 255));
    Label2->setAccessibleName(tr("My Website"));

    // Plain text on purpose: the address is shown, not opened.
    Label3->setText(QStringLiteral("www.tolmek.example"));
    Label3->setFont(TahomaBoldFont());
    SetTextColour(Label3, QColor(0, 0, 255));
    Label3->setTextInteractionFlags(Qt::NoTextInteraction);
    Label3->setAccessibleName(tr("Website address"));

    const std::array<Placement, 6> layout{{
        {Image1, "Image1", 480, 240, 3390, 1500},
        {Label1, "Label1", 3960, 240, 2655, 2295},
        {Image2, "Image2", 6960, 240, 2250, 3000},
        {Command1, "Command1", 360, 1920, 1575, 1215},
        {Label2, "Label2", 2400, 2280, 1335, 375},
        {Label3, "Label3", 3000, 2640, 2775, 495},
    }};
    Place(layout);
    Command1->raise();
    FitCaption(Command1, SansSerifFont());

    connect(Command1, &QPushButton::clicked, this, &Form2::Command1_Click);
}

void Form2::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!placed_) {
        placed_ = true;
        CentreOnScreen(this);
    }
}

void Form2::Command1_Click()
{
    hide();
}

} // namespace zorvane::ui
