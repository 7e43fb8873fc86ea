// SPDX-License-Identifier: MIT
// The windows at screen scales 1.5 and 2. Run bare, it runs itself at scale 1,
// which prints each main window label's ink (pixels nearer its text colour than the
// background), then at each scale with those numbers, to check that the ink
// grows with the square of the scale, within a quarter; that Generate's
// longest caption shows whole; that the 2x banner is no stretched 1x one.
#include "about_window.h"
#include "forms/main_window.h"
#include "main_window.h"
#include "pictures.h"
#include "program.h"
#include "text.h"

#include <QApplication>
#include <QLabel>
#include <QTest>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using namespace zorvane;

double scale = 1;
std::vector<double> baseInks; // at scale 1; none while measuring them
std::size_t nextInk = 0;
int failures = 0;

void Check(bool good, const std::string &what, double value)
{
    std::fprintf(stderr, "scale %g: %s %.2f%s\n", scale, what.c_str(), value, good ? "" : "  FAIL");
    failures += !good;
}

int Distance(QRgb pixel, forms::Rgb colour)
{
    return std::abs(qRed(pixel) - colour.red) + std::abs(qGreen(pixel) - colour.green) +
           std::abs(qBlue(pixel) - colour.blue);
}

// Prints each main window label's ink in device pixels, or checks it against
// the base. The About window's labels follow the same font rule.
void CheckInks(qt::MainWindow &window)
{
    const QImage image = window.grab().toImage();
    const qreal pixelRatio = image.devicePixelRatio();
    for (const forms::Control &row : forms::kMainWindow.controls) {
        auto *label =
            window.findChild<QLabel *>(qt::ToQString(row.objectName), Qt::FindDirectChildrenOnly);
        if (row.kind != forms::Kind::Label || !label || label->text().isEmpty())
            continue;
        const QRect box(label->geometry().topLeft() * pixelRatio, label->size() * pixelRatio);
        int ink = 0;
        for (int y = box.top(); y <= box.bottom(); ++y)
            for (int x = box.left(); x <= box.right(); ++x) {
                const QRgb pixel = image.pixel(x, y);
                ink +=
                    Distance(pixel, *row.colour) < Distance(pixel, forms::kMainWindow.background);
            }
        if (baseInks.empty()) {
            std::printf("%d ", ink);
            continue;
        }
        const double ratio = ink / baseInks.at(nextInk++) / (scale * scale);
        Check(std::abs(ratio - 1) <= 0.25, std::string(row.objectName) + " ink of the scaled",
              ratio);
    }
}

// Fine detail: how far a picture strays from its own 2x2 block averages.
double Detail(const QImage &picture)
{
    const QImage image = picture.convertToFormat(QImage::Format_RGB32);
    const QImage blocks =
        image.scaled(image.size() / 2, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
            .scaled(image.size());
    double sum = 0;
    for (qsizetype i = 0; i < image.sizeInBytes(); ++i)
        sum += std::pow(image.constBits()[i] - blocks.constBits()[i], 2);
    return std::sqrt(sum / double(image.sizeInBytes()));
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc == 1) {
        const std::string self = std::string("'") + argv[0] + "' ";
        FILE *one = popen((self + "1").c_str(), "r");
        char inks[4096] = "";
        const bool read = one && std::fgets(inks, sizeof inks, one);
        bool failed = !one || pclose(one) != 0 || !read;
        for (const char *at : {"1.5 ", "2 "})
            failed |= std::system((self + at + inks).c_str()) != 0;
        return failed ? 1 : 0;
    }
    scale = std::atof(argv[1]);
    for (int i = 2; i < argc; ++i)
        baseInks.push_back(std::atof(argv[i]));
    qputenv("QT_SCALE_FACTOR", argv[1]);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    const auto window = qt::StartProgram();
    const auto control = [](const QWidget &parent, const char *name) {
        return parent.findChild<QWidget *>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
    };
    QTest::keyClicks(control(*window, "Text1"), QStringLiteral("12"));
    QWidget *generate = control(*window, "Command1");
    QTest::mouseClick(generate, Qt::LeftButton);
    CheckInks(*window);
    // Whole: the caption's ink keeps clear of the button's edges.
    const QImage button = generate->grab().toImage();
    int left = button.width(), right = -1;
    for (int y = 0; y < button.height(); ++y)
        for (int x = 0; x < button.width(); ++x)
            if (qGray(button.pixel(x, y)) < 96)
                left = std::min(left, x), right = std::max(right, x);
    Check(right >= 0 && left > button.width() / 50 && right < button.width() * 49 / 50,
          "Generate's caption's first inked column", left);

    if (scale >= 2) {
        QTest::mouseClick(control(*window, "Command3"), Qt::LeftButton);
        const auto *about = window->findChild<qt::AboutWindow *>();
        const QImage banner = control(*about, "Image1")->grab().toImage();
        const QImage stretched =
            qt::PictureOf(forms::Picture::Banner, 1)
                .toImage()
                .scaled(banner.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        const double detail = Detail(banner) / Detail(stretched);
        Check(detail >= 1.25, "banner detail of the 1x stretched", detail);
    }
    return failures || nextInk != baseInks.size() ? 1 : 0;
}
