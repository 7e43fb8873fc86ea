// SPDX-License-Identifier: MIT
// A Generate click in the main window, up to the moment the window has painted.
#include "forms/main_window.h"
#include "main_window.h"
#include "program.h"
#include "text.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

zorvane::qt::MainWindow *window = nullptr;

// The main window's control `id`, found by its name as automation finds it.
template <typename Widget> Widget *Control(zorvane::forms::MainControl id)
{
    return window->findChild<Widget *>(zorvane::qt::ToQString(zorvane::forms::Row(id).objectName),
                                       Qt::FindDirectChildrenOnly);
}

using enum zorvane::forms::MainControl;

// Counts paint events, to prove that the password's text was really drawn.
class PaintCounter final : public QObject {
public:
    using QObject::QObject;
    int paints = 0;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return QObject::eventFilter(watched, event);
    }
};

// Layout and scroll bar changes arrive as posted events; flushing them before
// the synchronous repaint makes it draw what the user will see.
void PaintNow()
{
    QCoreApplication::processEvents();
    window->repaint();
}

// What the user waits for: the click, the password laid out and the window drawn.
void BM_GenerateClickToPaint(benchmark::State &state)
{
    auto *length = Control<QLineEdit>(LengthField);
    auto *generate = Control<QPushButton>(GenerateButton);
    auto *password = Control<QPlainTextEdit>(PasswordField);
    length->setText(QString::number(state.range(0)));
    PaintCounter counter;
    password->viewport()->installEventFilter(&counter);

    for (auto _ : state) {
        QTest::mouseClick(generate, Qt::LeftButton);
        PaintNow();
    }

    password->viewport()->removeEventFilter(&counter);
    if (password->toPlainText().size() != state.range(0))
        state.SkipWithError("the click did not produce a password of that length");
    else if (counter.paints < state.iterations())
        state.SkipWithError("the password's box was not painted on every click");
    state.counters["paints/click"] = benchmark::Counter(static_cast<double>(counter.paints) /
                                                        static_cast<double>(state.iterations()));
}
BENCHMARK(BM_GenerateClickToPaint)
    ->Arg(8)
    ->Arg(32767)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The click alone, layout included: where the time goes when the above is slow.
void BM_GenerateClickOnly(benchmark::State &state)
{
    auto *length = Control<QLineEdit>(LengthField);
    auto *generate = Control<QPushButton>(GenerateButton);
    length->setText(QString::number(state.range(0)));
    for (auto _ : state) {
        QTest::mouseClick(generate, Qt::LeftButton);
        state.PauseTiming();
        PaintNow(); // keep every click starting from a drawn window
        state.ResumeTiming();
    }
}
BENCHMARK(BM_GenerateClickOnly)->Arg(8)->Arg(32767)->Unit(benchmark::kMillisecond)->UseRealTime();

// Drawing the window with a password of that length already in place.
void BM_PaintOnly(benchmark::State &state)
{
    auto *length = Control<QLineEdit>(LengthField);
    auto *generate = Control<QPushButton>(GenerateButton);
    length->setText(QString::number(state.range(0)));
    QTest::mouseClick(generate, Qt::LeftButton);
    PaintNow();
    for (auto _ : state)
        window->repaint();
}
BENCHMARK(BM_PaintOnly)->Arg(8)->Arg(32767)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char **argv)
{
    // No display is needed unless the caller chose a platform.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    benchmark::Initialize(&argc, argv);
    QApplication app(argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;

    const std::unique_ptr<zorvane::qt::MainWindow> program = zorvane::qt::StartProgram();
    if (!QTest::qWaitForWindowExposed(program.get()))
        return 1;
    window = program.get();

    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    window = nullptr;
    return 0;
}
