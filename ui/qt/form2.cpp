// SPDX-License-Identifier: MIT
#include "form2.h"

#include "forms.h"
#include "geometry.h"
#include "resources.h"

#include <QPushButton>

namespace zorvane::ui {

Form2::Form2(QWidget *owner)
    : QWidget(owner, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
{
    // Closing through the frame ends this window; the next About makes a new one.
    setAttribute(Qt::WA_DeleteOnClose);
    BuildWindow(*this, forms::kForm2);
    setWindowIcon(AboutIcon());
    connect(Control<QPushButton>(*this, "Command1"), &QPushButton::clicked, this,
            &Form2::Command1_Click);
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
