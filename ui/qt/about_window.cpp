// SPDX-License-Identifier: MIT
#include "about_window.h"

#include "forms/about_window.h"
#include "pictures.h"
#include "placement.h"
#include "window.h"

#include <QPushButton>

namespace zorvane::qt {

AboutWindow::AboutWindow(QWidget *owner)
    : QWidget(owner, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
{
    const std::vector<QWidget *> controls = BuildWindow(*this, forms::kAboutWindow);
    auto *const back = static_cast<QPushButton *>(
        controls[static_cast<std::size_t>(forms::Index(forms::AboutControl::BackButton))]);
    connect(back, &QPushButton::clicked, this, &AboutWindow::OnBack);
    // Closing through the frame ends this window; the next About makes a new one.
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(AboutIcon());
}

void AboutWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!placed_) {
        placed_ = true;
        CentreOnScreen(this);
    }
}

void AboutWindow::OnBack()
{
    hide();
}

} // namespace zorvane::qt
