// SPDX-License-Identifier: MIT
// Both windows, and what leaves the password field.
#include "main_window.h"

#include "about_window.h"
#include "accessibility.h"
#include "forms/about_window.h"
#include "forms/main_window.h"
#include "password_field.h"
#include "pictures.h"
#include "scripted_source.h"
#include "text.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFontDatabase>
#include <QFontInfo>
#include <QIcon>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QVector3D>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

namespace zorvane::qt {
namespace {

QRgb ToQRgb(forms::Rgb rgb)
{
    return qRgb(rgb.red, rgb.green, rgb.blue);
}

// Whether `pixel` lies on the way from `from` to `to`, as antialiased text in
// `to` on `from` does, give or take rounding.
bool IsBlend(QRgb pixel, QRgb from, QRgb to)
{
    const auto vector = [](QRgb rgb) {
        return QVector3D(float(qRed(rgb)), float(qGreen(rgb)), float(qBlue(rgb)));
    };
    const QVector3D way = vector(to) - vector(from);
    const QVector3D off = vector(pixel) - vector(from);
    const float t = std::clamp(QVector3D::dotProduct(off, way) / way.lengthSquared(), 0.0f, 1.0f);
    return (off - t * way).length() <= 6;
}

// The control `name` of `window`, found as automation finds it.
template <typename Widget = QWidget> Widget *Find(const QWidget &window, const QString &name)
{
    auto *control = window.findChild<Widget *>(name, Qt::FindDirectChildrenOnly);
    if (!control)
        throw std::runtime_error("no such control: " + name.toStdString());
    return control;
}

// Checks each control of `window` against its table: a label holds only the
// background and its text colour, a button only its face and its black
// caption, and each shows its own colour; squares are filled; pictures show
// theirs. Around the controls is only the window's background.
void ExpectDrawnAsDescribed(QWidget &window, const forms::Window &description)
{
    const QRgb background = ToQRgb(description.background);
    QImage around = window.grab().toImage().convertToFormat(QImage::Format_RGB32);
    for (const forms::Control &row : description.controls) {
        QWidget *control = Find(window, ToQString(row.objectName));
        QPainter(&around).fillRect(control->geometry(), background);
        const QImage image = control->grab().toImage().convertToFormat(QImage::Format_RGB32);
        if (row.kind == forms::Kind::Picture) {
            EXPECT_EQ(image, PictureOf(row.picture, 1).toImage().convertToFormat(image.format()))
                << row.objectName;
        }
        if (!row.colour)
            continue; // fields, and pictures
        const QRgb own = ToQRgb(*row.colour);
        // Text blends into the background, a caption into its face.
        const bool button = row.kind == forms::Kind::Button;
        const QRgb from = button ? own : background;
        const QRgb to = button ? qRgb(0, 0, 0) : own;
        int bad = 0; // pixels in a colour not its own
        bool shown = false;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QRgb pixel = image.pixel(x, y);
                shown = shown || pixel == own;
                bad += row.kind == forms::Kind::Square ? pixel != own : !IsBlend(pixel, from, to);
            }
        }
        EXPECT_TRUE(shown) << row.objectName << " never shows its own colour";
        EXPECT_EQ(bad, 0) << row.objectName;
    }
    EXPECT_EQ(around.convertToFormat(QImage::Format_Indexed8).colorTable(),
              QVector<QRgb>{background})
        << "drawn around the controls";
}

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override { OpenMainWindow(); }

    void OpenMainWindow()
    {
        window_ = std::make_unique<MainWindow>();
        window_->setEndProgram([this] { ++programEnds_; });
        window_->show();
        window_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    }

    void TearDown() override
    {
        window_.reset();
        // Let windows that closed themselves finish their deferred deletion.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // The main window's controls, by the names automation knows them by.
    template <typename Widget = QWidget> Widget *Control(const char *name) const
    {
        return Find<Widget>(*window_, QString::fromLatin1(name));
    }
    QLabel *LengthLabel() const { return Control<QLabel>("Label1"); }
    QLineEdit *LengthField() const { return Control<QLineEdit>("Text1"); }
    QLabel *Figure() const { return Control<QLabel>("Label3"); }
    QPushButton *GenerateButton() const { return Control<QPushButton>("Command1"); }
    QPushButton *ExitButton() const { return Control<QPushButton>("Command2"); }
    QPushButton *AboutButton() const { return Control<QPushButton>("Command3"); }
    QPlainTextEdit *PasswordBox() const { return Control<QPlainTextEdit>("Text2"); }
    QString Password() const { return PasswordBox()->toPlainText(); }
    // The About window, once the main window has made it.
    AboutWindow *About() const
    {
        return window_->findChild<AboutWindow *>(QString(), Qt::FindDirectChildrenOnly);
    }

    void Click(QWidget *button) { QTest::mouseClick(button, Qt::LeftButton); }
    void Generate(const char *length)
    {
        LengthField()->setText(QString::fromLatin1(length));
        Click(GenerateButton());
    }

    std::unique_ptr<MainWindow> window_;
    int programEnds_ = 0;
};

TEST_F(MainWindowTest, LooksAsDescribed)
{
    EXPECT_EQ(window_->size(), QSize(254, 255));
    EXPECT_EQ(window_->minimumSize(), window_->maximumSize()) << "the layout is fixed";
    Generate("7"); // the figure shows nothing until a request
    ExpectDrawnAsDescribed(*window_, forms::kMainWindow);

    // While pressed, a button shows the model's darker face.
    auto *exit = ExitButton();
    exit->setDown(true);
    EXPECT_EQ(exit->grab().toImage().pixel(exit->width() / 2, 4),
              ToQRgb(forms::ButtonColoursOf(*forms::Row(forms::MainControl::ExitButton).colour)
                         .pressedFace));
}

TEST_F(MainWindowTest, CaptionsShowWholeAndAWiderFaceShrinksEachJustEnough)
{
    Generate("1");
    for (const QPushButton *button : {GenerateButton(), ExitButton(), AboutButton()}) {
        EXPECT_EQ(QFontInfo(button->font()).family(), "MS Sans Serif");
        EXPECT_EQ(button->font().pixelSize(), 13) << button->text().toStdString();
    }
    // The length label wraps: its second line is drawn within its box.
    const QImage label = LengthLabel()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage secondLine = label.copy(0, label.height() / 2, label.width(), label.height() / 2);
    EXPECT_GT(secondLine.convertToFormat(QImage::Format_Indexed8).colorCount(), 1) << "blank";

    // Where a wider face stands in, as on a system without the windows' own,
    // each caption is whole at its size and cut off at a pixel more, up to 13.
    for (int id = 0; id < 64; ++id)
        if (QFontDatabase::applicationFontFamilies(id).contains(QStringLiteral("MS Sans Serif")))
            QFontDatabase::removeApplicationFont(id);
    const auto restore = qScopeGuard([] {
        QFontDatabase::addApplicationFont(
            QStringLiteral("/usr/share/wine/fonts/ms_sans_serif.ttf"));
    });
    OpenMainWindow();
    auto *generate = GenerateButton();
    ASSERT_NE(QFontInfo(generate->font()).family(), "MS Sans Serif");
    const auto expectFitted = [generate](const char *when) {
        QFont font = generate->font();
        const int room = generate->width() - 6;
        EXPECT_LE(QFontMetrics(font).horizontalAdvance(generate->text()), room) << when;
        font.setPixelSize(font.pixelSize() + 1);
        EXPECT_TRUE(font.pixelSize() > 13 ||
                    QFontMetrics(font).horizontalAdvance(generate->text()) > room)
            << when << ": shrunk more than needed";
    };
    expectFitted("as built");
    Generate("1");
    EXPECT_LT(generate->font().pixelSize(), 13) << "the stand-in face should be too wide";
    expectFitted("after the caption changed");
    // A pixel too narrow for the next size up, then room to grow back.
    QFont next = generate->font();
    next.setPixelSize(next.pixelSize() + 1);
    for (const int width :
         {QFontMetrics(next).horizontalAdvance(generate->text()) + 5, generate->width() + 40}) {
        generate->setFixedWidth(width);
        Generate("1");
        expectFitted("on a wider button");
    }
}

TEST_F(MainWindowTest, TabFollowsTheLayoutAndOnlyTheFocusedButtonFillsTheTexts)
{
    QList<QWidget *> visited{QApplication::focusWidget()};
    for (int step = 0; step < 5; ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget();
    }
    EXPECT_EQ(visited, (QList<QWidget *>{LengthField(), GenerateButton(), ExitButton(),
                                         PasswordBox(), AboutButton(), LengthField()}));

    // Enter in either field and Esc anywhere start nothing.
    QTest::keyClicks(LengthField(), QStringLiteral("5"));
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape})
        QTest::keyClick(LengthField(), key);
    QTest::keyClick(PasswordBox(), Qt::Key_Return);
    EXPECT_EQ(Figure()->text(), "");

    GenerateButton()->setFocus();
    QTest::keyClick(GenerateButton(), Qt::Key_Space);
    EXPECT_EQ(Password().size(), 5);
    EXPECT_EQ(LengthField()->text(), "5") << "the length is never changed";
    LengthField()->setText(QStringLiteral("32767"));
    QTest::keyClick(GenerateButton(), Qt::Key_Return);
    EXPECT_EQ(Password().size(), 32767);
    EXPECT_GT(PasswordBox()->verticalScrollBar()->maximum(), 0);
    EXPECT_EQ(PasswordBox()->horizontalScrollBar()->maximum(), 0) << "wraps within the field";

    // The window's own copy of a password is wiped once the field has it.
    QString password = QString::fromLatin1("k3tz9q");
    const QChar *buffer = password.constData();
    static_cast<PasswordField *>(PasswordBox())->ShowPassword(password, QString());
    EXPECT_EQ(Password(), "k3tz9q");
    EXPECT_TRUE(password.isEmpty());
    EXPECT_EQ(QString(buffer, 6), QString(6, QChar(0))) << "a character survives";
}

TEST_F(MainWindowTest, AFailedSourceSaysSoInFullWithOrWithoutAnEarlierPassword)
{
    // What the screen shows of the password field: the parts Qt repainted.
    const auto onScreen = [this] {
        QTest::qWait(20);
        auto *field = PasswordBox();
        return window_->screen()->grabWindow(window_->winId()).toImage().copy(field->geometry());
    };
    const auto heard = [this] {
        return QAccessible::queryAccessibleInterface(PasswordBox())->text(QAccessible::Description);
    };
    QImage empty;
    for (const bool earlierPassword : {false, true}) {
        OpenMainWindow();
        empty = onScreen();
        auto source = std::make_unique<zorvane::testing::ScriptedSource>();
        source->failFrom = earlierPassword ? 2 : 1;
        window_->setRandomSource(std::move(source));
        if (earlierPassword)
            Generate("6");
        Generate("6");
        EXPECT_EQ(Password(), "");
        EXPECT_EQ(Figure()->text(), "25200");
        // The sentence's first line reaches well across the field.
        const QRect across(empty.width() / 2, 0, empty.width() / 6, 20);
        EXPECT_NE(onScreen().copy(across), empty.copy(across))
            << "after an earlier password: " << earlierPassword;
        EXPECT_EQ(heard(), "No password: the system's random source failed.");
    }
    // Once the source works again, an empty field says nothing.
    window_->setRandomSource(std::make_unique<zorvane::testing::ScriptedSource>());
    Generate("6");
    EXPECT_EQ(Password().size(), 6);
    EXPECT_EQ(heard(), "");
    Generate("0");
    EXPECT_EQ(onScreen(), empty);
}

// Counts the times a widget is shown: a screen reader speaks a notification
// each time it becomes showing.
class ShowCounter final : public QObject {
public:
    int shows = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        shows += event->type() == QEvent::Show;
        return false;
    }
};

TEST_F(MainWindowTest, EachRequestIsAnnouncedOnceWithoutThePasswordOrAFocusChange)
{
    auto *announcer = window_->findChild<Announcer *>();
    ASSERT_NE(announcer, nullptr);
    QAccessibleInterface *heard = QAccessible::queryAccessibleInterface(announcer);
    ASSERT_NE(heard, nullptr);
    EXPECT_EQ(heard->role(), QAccessible::Notification);
    EXPECT_FALSE(announcer->isVisible()) << "silent before the first request";
    ShowCounter counter;
    announcer->installEventFilter(&counter);

    window_->setRandomSource(std::make_unique<zorvane::testing::ScriptedSource>());
    GenerateButton()->setFocus();
    for (const int request : {1, 2}) {
        Generate("6");
        EXPECT_EQ(counter.shows, request) << "the same words, heard again";
        EXPECT_EQ(heard->text(QAccessible::Name),
                  "New password, 6 characters. Number of Combinations: 25200.");
        EXPECT_FALSE(announcer->urgent());
        EXPECT_FALSE(heard->text(QAccessible::Name).contains(Password()));
        EXPECT_EQ(QApplication::focusWidget(), GenerateButton());
    }

    auto failing = std::make_unique<zorvane::testing::ScriptedSource>();
    failing->failFrom = 1;
    window_->setRandomSource(std::move(failing));
    Generate("6");
    EXPECT_EQ(counter.shows, 3);
    EXPECT_EQ(heard->text(QAccessible::Name), "No password: the system's random source failed.");
    EXPECT_TRUE(announcer->urgent());
    announcer->removeEventFilter(&counter);
}

TEST_F(MainWindowTest, ExitAsksAndYesEndsTheProgramAsClosingTheWindowDoes)
{
    // Exit answered No, then Yes, then closing the window; each with the About
    // window never opened and showing.
    for (const int way : {0, 1, 2}) {
        for (const bool aboutShown : {false, true}) {
            OpenMainWindow();
            programEnds_ = 0;
            Generate("4");
            const QString password = Password();
            if (aboutShown)
                Click(AboutButton());
            QPointer<AboutWindow> about = About();
            if (way == 2) {
                EXPECT_TRUE(window_->close());
            } else {
                QTimer::singleShot(0, [way] {
                    auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
                    ASSERT_NE(box, nullptr) << "no message box is showing";
                    EXPECT_EQ(box->text(), "Are you sure you want to quit?");
                    EXPECT_EQ(box->windowTitle(), "Zorvane");
                    EXPECT_EQ(box->icon(), QMessageBox::NoIcon);
                    EXPECT_EQ(box->standardButtons(), QMessageBox::Yes | QMessageBox::No);
                    EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::Yes));
                    for (const QAbstractButton *button : box->buttons())
                        EXPECT_TRUE(button->icon().isNull()) << button->text().toStdString();
                    box->button(way == 0 ? QMessageBox::No : QMessageBox::Yes)->click();
                });
                Click(ExitButton());
            }
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            const bool ends = way > 0;
            EXPECT_EQ(programEnds_, ends ? 1 : 0) << way << aboutShown;
            EXPECT_EQ(window_->isVisible(), !ends) << way << aboutShown;
            EXPECT_EQ(about && about->isVisible(), !ends && aboutShown) << way << aboutShown;
            EXPECT_EQ(Password(), password) << way << aboutShown;
        }
    }
}

TEST_F(MainWindowTest, TheWindowsOwnFocusEventHidesTheAboutWindow)
{
    // With its controls enabled the window itself never takes the focus.
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(window_.get(), &activate);
    EXPECT_EQ(About(), nullptr) << "created on first need";

    Click(AboutButton());
    // Any one control that can take the focus keeps it from the window; with
    // only a label or a square enabled, the window takes it.
    const std::pair<const char *, bool> controls[] = {
        {"Label1", false},  {"Shape1", false}, {"Text1", true},   {"Command3", true},
        {"Label2", false},  {"Shape2", false}, {"Label3", false}, {"Command1", true},
        {"Command2", true}, {"Text2", true}};
    for (const auto &[keep, keepsFocus] : controls) {
        About()->show();
        for (const auto &[name, takesFocus] : controls)
            Control(name)->setEnabled(std::string_view(name) == keep);
        QApplication::sendEvent(window_.get(), &activate);
        EXPECT_EQ(About()->isVisible(), keepsFocus) << keep;
    }
}

TEST_F(MainWindowTest, AboutOpensOneWindowAsDescribedThatBackHidesAndClosingDestroys)
{
    Click(AboutButton());
    Click(AboutButton());
    QPointer<AboutWindow> about = About();
    ASSERT_TRUE(about && QTest::qWaitForWindowExposed(about));
    EXPECT_TRUE(about->isWindow());
    EXPECT_FALSE(about->isModal());
    EXPECT_EQ(about->geometry().center(), about->screen()->availableGeometry().center());
    EXPECT_EQ(about->size(), QSize(622, 230));
    EXPECT_EQ(about->minimumSize(), about->maximumSize());
    // The pictures too, compiled in and at their natural size.
    ExpectDrawnAsDescribed(*about, forms::kAboutWindow);

    // The address shows whole in bold Tahoma, and is no link.
    auto *website = Find<QLabel>(*about, QStringLiteral("Label3"));
    for (const QLabel *label : {Find<QLabel>(*about, QStringLiteral("Label2")), website}) {
        const QFontInfo font(label->font());
        EXPECT_EQ(font.family(), "Tahoma") << label->text().toStdString();
        EXPECT_EQ(font.weight(), QFont::Bold) << label->text().toStdString();
        EXPECT_LE(QFontMetrics(label->font()).horizontalAdvance(label->text()), label->width());
    }
    EXPECT_EQ(website->textInteractionFlags(), Qt::NoTextInteraction);
    EXPECT_FALSE(website->openExternalLinks());

    Click(Find(*about, QStringLiteral("Command1")));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_FALSE(about.isNull()) << "hidden, not destroyed";
    EXPECT_FALSE(about->isVisible());
    Click(AboutButton());
    EXPECT_EQ(About(), about) << "the same window, shown again";
    EXPECT_TRUE(about->isVisible());

    about->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(about.isNull());
    Click(AboutButton());
    ASSERT_NE(About(), nullptr) << "made anew";
    EXPECT_TRUE(About()->isVisible());
    EXPECT_EQ(window_->findChildren<AboutWindow *>().size(), 1);
    EXPECT_EQ(programEnds_, 0);

    // The animation and the icons keep their frames, sizes and few colours.
    EXPECT_EQ(About()->windowIcon().availableSizes(), (QList<QSize>{{16, 16}, {32, 32}}));
    EXPECT_EQ(QImageReader(QStringLiteral(":/zorvane/banner.gif")).imageCount(), 10);
    const std::pair<const char *, QWidget *> owners[] = {{"zorvane", window_.get()},
                                                         {"about", About()}};
    for (const auto &[stem, owner] : owners) {
        for (const int size : {16, 32}) {
            const QImage image(QStringLiteral(":/zorvane/%1-%2.png").arg(stem).arg(size));
            // A palette of at most 16 colours.
            EXPECT_TRUE(image.size() == QSize(size, size) && image.colorCount() > 0 &&
                        image.colorCount() <= 16)
                << stem << size;
        }
        // Each window shows its own.
        EXPECT_EQ(owner->windowIcon().pixmap(16).toImage().convertToFormat(QImage::Format_RGB32),
                  QImage(QStringLiteral(":/zorvane/%1-16.png").arg(stem))
                      .convertToFormat(QImage::Format_RGB32))
            << stem;
        // Windows builds carry an .ico with every size Windows asks for up to 200%.
        QImageReader ico(QStringLiteral(ZORVANE_ASSETS_DIR "/%1.ico").arg(stem));
        QList<int> sizes;
        for (int i = 0; i < ico.imageCount() && ico.jumpToImage(i); ++i)
            sizes << ico.read().width();
        std::sort(sizes.begin(), sizes.end());
        EXPECT_EQ(sizes, (QList<int>{16, 20, 24, 32, 40, 48, 64, 256})) << stem;
    }
}

// The password in the clipboard's `mode`, if it is offered as plain text with
// the secret hint and nothing else. Other programs see only what formats()
// lists: a hint that data() finds but formats() leaves out never leaves.
QString SecretIn(QClipboard::Mode mode)
{
    const QMimeData *offer = QGuiApplication::clipboard()->mimeData(mode);
    if (!offer)
        return QStringLiteral("(nothing offered)");
    QStringList formats = offer->formats();
    formats.sort();
    if (formats !=
        QStringList{QStringLiteral("text/plain"), QStringLiteral("x-kde-passwordManagerHint")})
        return QStringLiteral("(offered as %1)").arg(formats.join(QLatin1Char(' ')));
    if (offer->data(QStringLiteral("x-kde-passwordManagerHint")) != "secret")
        return QStringLiteral("(no secret hint)");
    return offer->text();
}

TEST_F(MainWindowTest, EveryCopyOfThePasswordIsMarkedSecret)
{
    Generate("12");
    auto *field = PasswordBox();
    const QString password = Password();
    QClipboard *clipboard = QGuiApplication::clipboard();

    // Selecting fills the X11 primary selection where the platform has one;
    // the offscreen platform has none.
    field->setFocus();
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    if (clipboard->supportsSelection()) {
        EXPECT_EQ(SecretIn(QClipboard::Selection), password) << "selecting";
    }

    clipboard->clear();
    QTest::keyClick(field, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(SecretIn(QClipboard::Clipboard), password) << "Ctrl+C";

    // A drag offers what the menu's Copy puts on the clipboard.
    clipboard->clear();
    const std::unique_ptr<QMenu> menu(field->createStandardContextMenu());
    QAction *copy = menu->findChild<QAction *>(QStringLiteral("edit-copy"));
    ASSERT_NE(copy, nullptr);
    copy->trigger();
    EXPECT_EQ(SecretIn(QClipboard::Clipboard), password) << "the menu's Copy";
}

} // namespace
} // namespace zorvane::qt
