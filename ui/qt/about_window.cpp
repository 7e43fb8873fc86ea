// SPDX-License-Identifier: MIT
#include "about_window.h"

#include "pictures.h"
#include "placement.h"

namespace zorvane::ui {

AboutWindow::AboutWindow(QWidget *owner)
    : QWidget(owner, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      controls_(BuildWindow(*this, forms::kAboutWindow,
                            [this](forms::Action action) { Perform(action); }))
{
    // Closing through the frame ends this window; the next About makes a new one.
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(AboutIcon());
}

void AboutWindow::Perform(forms::Action action)
{
    if (action == forms::Action::Back)
        OnBack();
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

} // namespace zorvane::ui
