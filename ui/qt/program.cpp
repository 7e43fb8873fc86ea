// SPDX-License-Identifier: MIT
#include "program.h"

#include "appearance.h"
#include "form1.h"
#include "forms.h"
#include "geometry.h"

#include <QApplication>

namespace zorvane::ui {

std::unique_ptr<Form1> StartProgram()
{
    QApplication::setApplicationName(ToQString(forms::kApplicationTitle));
    // Controls then start in the windows' own face, so the toolkit's default
    // face is never loaded; the exit question shares the windows' face too.
    QApplication::setFont(FontOf(*forms::kForm1.font));

    auto form1 = std::make_unique<Form1>();
    CentreOnScreen(form1.get());
    form1->show();
    form1->activateWindow();
    return form1;
}

} // namespace zorvane::ui
