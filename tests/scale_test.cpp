// SPDX-License-Identifier: MIT
// Both windows as the eye sees them at several screen scales. Run without
// arguments (or with scales), it starts itself once per scale on the offscreen
// platform with QT_SCALE_FACTOR set, reads what each run measured and checks:
//  - every label's ink (pixels nearer its text colour than the background,
//    inside its box) grows with the square of the scale, within a quarter;
//  - the longest caption of Generate shows whole on its button;
//  - at 2x, the banner holds more fine detail than the 1x banner stretched.
#include "about_window.h"
#include "forms/about_window.h"
#include "forms/main_window.h"
#include "main_window.h"
#include "pictures.h"
#include "program.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTest>

#include <cmath>
#include <cstdio>
#include <map>

namespace {

using namespace zorvane;

int Distance(QRgb pixel, forms::Rgb colour)
{
    return std::abs(qRed(pixel) - colour.red) + std::abs(qGreen(pixel) - colour.green) +
           std::abs(qBlue(pixel) - colour.blue);
}

// Prints each label's ink, in device pixels, as "ink <name> <pixels>".
void MeasureLabels(QWidget &window, const forms::Window &description,
                   const std::vector<QWidget *> &controls)
{
    const QImage image = window.grab().toImage();
    const qreal ratio = image.devicePixelRatio();
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const forms::Control &row = description.controls[i];
        auto *label = qobject_cast<QLabel *>(controls[i]);
        if (row.kind != forms::Kind::Label || !label || label->text().isEmpty())
            continue;
        const QRect box(label->geometry().topLeft() * ratio, label->size() * ratio);
        int ink = 0;
        for (int y = box.top(); y <= box.bottom(); ++y)
            for (int x = box.left(); x <= box.right(); ++x) {
                const QRgb pixel = image.pixel(x, y);
                ink += Distance(pixel, *row.colour) < Distance(pixel, description.background);
            }
        std::printf("ink %s.%s %d\n", description.objectName.data(), row.objectName.data(), ink);
    }
}

// A caption shows whole when its ink keeps clear of the button's edges.
bool CaptionWhole(QPushButton &button)
{
    const QImage image = button.grab().toImage();
    int left = image.width(), right = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 96) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
    return right >= 0 && left > image.width() / 50 && right < image.width() * 49 / 50;
}

// Root mean square of a picture against its average over 2x2 blocks: fine detail.
double Detail(const QImage &picture)
{
    const QImage image = picture.convertToFormat(QImage::Format_RGB32);
    double sum = 0;
    long count = 0;
    for (int y = 0; y + 1 < image.height(); y += 2)
        for (int x = 0; x + 1 < image.width(); x += 2)
            for (int channel = 0; channel < 3; ++channel) {
                const auto value = [&](int dx, int dy) {
                    const QRgb pixel = image.pixel(x + dx, y + dy);
                    return channel == 0 ? qRed(pixel) : channel == 1 ? qGreen(pixel) : qBlue(pixel);
                };
                const double mean = (value(0, 0) + value(1, 0) + value(0, 1) + value(1, 1)) / 4.0;
                for (int d = 0; d < 4; ++d) {
                    const double off = value(d % 2, d / 2) - mean;
                    sum += off * off;
                    ++count;
                }
            }
    return count ? std::sqrt(sum / static_cast<double>(count)) : 0;
}

int Measure()
{
    using enum forms::MainControl;
    const auto window = ui::StartProgram();
    QTest::keyClicks(window->control<LengthField>(), QStringLiteral("12"));
    QTest::mouseClick(window->control<GenerateButton>(), Qt::LeftButton);
    MeasureLabels(*window, forms::kMainWindow, window->controls());
    std::printf("caption %d\n", CaptionWhole(*window->control<GenerateButton>()));

    QTest::mouseClick(window->control<AboutButton>(), Qt::LeftButton);
    ui::AboutWindow *about = window->aboutWindow();
    if (!about)
        return 1;
    const std::vector<QWidget *> &controls = about->controls();
    MeasureLabels(*about, forms::kAboutWindow, controls);

    const QImage image = about->grab().toImage();
    const qreal ratio = image.devicePixelRatio();
    const QWidget *banner = about->control<forms::AboutControl::Banner>();
    const QRect box(banner->geometry().topLeft() * ratio, banner->size() * ratio);
    const QImage stretched =
        ui::PictureOf(forms::Picture::Banner)
            .toImage()
            .scaled(box.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    std::printf("detail %f %f\n", Detail(image.copy(box)), Detail(stretched));
    return 0;
}

// What one run at `scale` printed, by name.
std::map<std::string, std::vector<double>> RunAt(const char *program, const QString &scale)
{
    QProcess run;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_SCALE_FACTOR"), scale);
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    run.setProcessEnvironment(environment);
    run.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    run.start(QString::fromLocal8Bit(program), {QStringLiteral("--measure")});
    std::map<std::string, std::vector<double>> values;
    if (!run.waitForFinished(60000) || run.exitCode() != 0)
        return values;
    for (const QByteArray &line : run.readAllStandardOutput().split('\n')) {
        const QList<QByteArray> words = line.split(' ');
        if (words.size() < 2)
            continue;
        std::string key = words[0].toStdString();
        std::vector<double> numbers;
        for (const QByteArray &word : words.mid(1)) {
            bool number = false;
            const double value = word.toDouble(&number);
            if (number)
                numbers.push_back(value);
            else
                key += ' ' + word.toStdString();
        }
        values[key] = numbers;
    }
    return values;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc > 1 && std::string_view(argv[1]) == "--measure") {
        QApplication app(argc, argv);
        return Measure();
    }
    QStringList scales;
    for (int i = 1; i < argc; ++i)
        scales << QString::fromLocal8Bit(argv[i]);
    if (scales.isEmpty())
        scales = QStringList{QStringLiteral("1.5"), QStringLiteral("2")};

    const auto one = RunAt(argv[0], QStringLiteral("1"));
    bool failed = one.empty();
    for (const QString &scaleText : scales) {
        const double scale = scaleText.toDouble();
        const auto many = RunAt(argv[0], scaleText);
        std::printf("scale %s:\n", qPrintable(scaleText));
        if (many.empty())
            failed = true;
        for (const auto &[key, values] : many) {
            if (key.rfind("ink ", 0) == 0) {
                const auto base = one.find(key);
                const double ratio = base == one.end() || base->second.at(0) == 0
                                         ? 0
                                         : values.at(0) / base->second.at(0) / (scale * scale);
                const bool off = std::abs(ratio - 1) > 0.25;
                failed |= off;
                std::printf("  %s: ink %.2f of the scaled%s\n", key.c_str() + 4, ratio,
                            off ? "  FAIL" : "");
            } else if (key == "caption") {
                const bool whole = values.at(0) == 1;
                failed |= !whole;
                std::printf("  Generate's caption %s\n", whole ? "shows whole" : "is cut  FAIL");
            } else if (key == "detail" && scale >= 2) {
                const double ratio = values.at(0) / values.at(1);
                failed |= ratio < 1.25;
                std::printf("  banner detail %.2f of the 1x stretched%s\n", ratio,
                            ratio < 1.25 ? "  FAIL" : "");
            }
        }
    }
    std::printf("%s\n", failed ? "FAILED" : "passed");
    return failed ? 1 : 0;
}
