#include "LanguageFileTest.h"
#include "ctlkit/base/CPrompter.h"
#include "ctlkit/base/CRecordingPrompter.h"
#include "ctlkit/lang/qt/ControlId.h"
#include "ctlkit/lang/qt/MenuBuilder.h"
#include "gann/qt/CGannGrid.h"
#include "gann/qt/CGannSettingFormset.h"
#include "gann/qt/CGannTableWindow.h"
#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

namespace {

constexpr QRgb kBlue = 0x0000FF;
constexpr QRgb kGrey = 0x808080;
constexpr QRgb kWhite = 0xFFFFFF;

QRgb PixelAt(const QImage& image, const QPoint& point) {
    return image.pixel(point) & 0xFFFFFF;
}

// The colour of the cell's background, read inside it away from the text and the lines.
QRgb CellColour(CGannGrid& grid, int row, int column) {
    const QImage image = grid.viewport()->grab().toImage();
    const QRect cell = grid.CellRect(row, column);
    return PixelAt(image, cell.topLeft() + QPoint(1, 1));
}

QLineEdit* Field(QWidget& dialog, unsigned id) {
    auto* edit = qobject_cast<QLineEdit*>(FindControl(dialog, id));
    EXPECT_NE(edit, nullptr) << id;
    return edit;
}

void Retype(QWidget& dialog, unsigned id, const QString& text) {
    QLineEdit* edit = Field(dialog, id);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
}

class GannWindowTest : public LanguageFileTest {
protected:
    // Chooses "Gann Chart Setting..." and runs `drive` on the dialog once it is active.
    void Setting(CGannTableWindow& window, const std::function<void(CFormsetDialog&)>& drive) {
        // Else the window's own activation may arrive while the dialog is up.
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        CFormsetDialog::ShownHook previous = CFormsetDialog::SetShownHook([&](CFormsetDialog& d) {
            EXPECT_TRUE(QTest::qWaitForWindowActive(&d));
            // The parent's late activation may follow: let it pass, then take it back.
            QTest::qWait(20);
            d.activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(&d));
            ++shown;
            const QPointer<CFormsetDialog> alive(&d);
            drive(d);
            if (alive && alive->isVisible()) {
                ADD_FAILURE() << "the dialog was left open";
                alive->done(QDialog::Rejected);
            }
        });
        QAction* action = FindCommandAction(window, CGannTableWindow::kCmdSetting);
        ASSERT_NE(action, nullptr);
        action->trigger();
        CFormsetDialog::SetShownHook(previous);
    }

    CRecordingPrompter prompter;
    CScopedPrompter scoped{prompter};
    int shown = 0;
};

TEST_F(GannWindowTest, OpensWithTheDefaultSquareTitleCaptionAndMenu) {
    CGannTableWindow window("https://example.org/");
    window.resize(420, 260); // smaller than the square: both scroll bars
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_EQ(window.windowTitle(), "Gann Table");
    auto* caption = qobject_cast<QLabel*>(FindControl(window, CGannTableWindow::kCaption));
    ASSERT_NE(caption, nullptr);
    EXPECT_EQ(caption->text(), "Gann Table Result:");

    ASSERT_EQ(window.MenuBar().actions().size(), 1);
    QAction* setting = window.MenuBar().actions().front();
    EXPECT_EQ(setting->text(), "S&etting");
    QStringList items;
    for (QAction* item : setting->menu()->actions()) items << item->text();
    EXPECT_EQ(items, (QStringList{"Gann Chart Setting...", "Auto Size", "Exit"}));

    const CGannTable& t = window.Table();
    EXPECT_EQ(t.Rows(), 14);
    EXPECT_EQ(t.Columns(), 14);
    CGannGrid& grid = window.Grid();
    // Texts as the table holds them, backgrounds as the table colours them.
    const struct {
        int row, column;
        const char* text;
        QRgb colour;
    } cells[] = {{7, 7, "0.01", kGrey}, {8, 8, "0.05", kGrey}, {13, 13, "1.00", kGrey},
                 {0, 0, "0", kBlue},    {0, 5, "5", kBlue},    {5, 0, "5", kBlue},
                 {7, 2, "", kGrey},     {2, 7, "", kGrey},     {2, 12, "", kGrey},
                 {1, 2, "", kWhite},    {3, 1, "", kWhite},    {6, 4, "", kWhite}};
    for (const auto& c : cells) {
        if (*c.text) {
            EXPECT_EQ(t.Cell(c.row, c.column).text, c.text);
        }
        grid.Select(c.row, c.column, false); // scrolls it into view
        EXPECT_EQ(CellColour(grid, c.row, c.column), c.colour) << c.row << "," << c.column;
    }
    // Scrolled to the far corner the header row and column stay where they were.
    grid.Select(13, 13, false);
    EXPECT_GT(grid.horizontalScrollBar()->value(), 0);
    EXPECT_GT(grid.verticalScrollBar()->value(), 0);
    EXPECT_EQ(grid.CellRect(0, 13).top(), 0);
    EXPECT_EQ(grid.CellRect(13, 0).left(), 0);
    EXPECT_EQ(CellColour(grid, 0, 13), kBlue);
    EXPECT_EQ(CellColour(grid, 13, 0), kBlue);
    EXPECT_EQ(grid.CellAt(grid.CellRect(13, 13).center()), QPoint(13, 13));
    EXPECT_EQ(grid.CellAt(QPoint(2, 2)), QPoint(0, 0));
}

TEST_F(GannWindowTest, GridFillsTheWindowBelowTheCaptionStripOnEveryResize) {
    CGannTableWindow window("");
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    for (const QSize size : {QSize(640, 480), QSize(300, 200), QSize(1000, 700)}) {
        window.resize(size);
        QApplication::processEvents();
        const int top = window.MenuBar().height() + CGannTableWindow::kStripHeight;
        EXPECT_EQ(window.Grid().geometry(), QRect(0, top, size.width(), size.height() - top));
    }
    // 14 rows of 22 pixels fit into 700 less the strip and the menu: nothing to scroll down.
    EXPECT_EQ(window.Grid().verticalScrollBar()->maximum(), 0);
    EXPECT_EQ(window.Grid().horizontalScrollBar()->maximum(), 0);
    window.resize(300, 700);
    QApplication::processEvents();
    EXPECT_EQ(window.Grid().verticalScrollBar()->maximum(), 0);
    EXPECT_GT(window.Grid().horizontalScrollBar()->maximum(), 0);
}

TEST_F(GannWindowTest, LinkIsUnderlinedAndHiddenWithoutAnAddress) {
    CGannTableWindow with("https://example.org/a&b");
    EXPECT_FALSE(with.Link().isHidden());
    EXPECT_EQ(with.Link().text(),
              "<a href=\"https://example.org/a&amp;b\"><u>https://example.org/a&amp;b</u></a>");
    CGannTableWindow without("");
    EXPECT_TRUE(without.Link().isHidden());
}

// Each case types the three fields and presses Return; a refused case must leave the dialog
// open with the message, and is then cancelled.
TEST_F(GannWindowTest, SettingDialogTakesValidValuesAndRefusesTheRestNamingTheField) {
    const struct {
        const char *side, *start, *end;
        const char* message; // "" when taken
        unsigned focused;    // the field with the focus after a refusal
        int rows;            // rows afterwards
        const char* cell11;  // text of (1,1) afterwards
    } cases[] = {
        {"2", "0", "1", "", 0, 3, "1.00"},
        {"4", "9", "0", "", 0, 5, "4.00"},
        {"13", "0", "1", "", 0, 14, "0.86"},   // 145 / 169
        {"100", "0", "1", "", 0, 101, "0.98"}, // 9605 / 9801
        {"1", "0", "1", "Please enter an integer between 2 and 100.", 1001, 14, "0.86"},
        {"101", "0", "1", "Please enter an integer between 2 and 100.", 1001, 14, "0.86"},
        {"x", "0", "1", "Please enter an integer between 2 and 100.", 1001, 14, "0.86"},
        {"5", "nan", "1", "Start From: please enter a number.", 1002, 14, "0.86"},
        {"5", "0", "1e39", "End At: please enter a number.", 1003, 14, "0.86"},
        {"5", "0", "", "End At: please enter a number.", 1003, 14, "0.86"},
    };
    for (const auto& c : cases) {
        CGannTableWindow window("");
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        prompter.messages.clear();
        Setting(window, [&](CFormsetDialog& d) {
            EXPECT_EQ(Field(d, 1001)->text(), "13");
            EXPECT_EQ(Field(d, 1002)->text(), "0");
            EXPECT_EQ(Field(d, 1003)->text(), "1");
            Retype(d, 1001, c.side);
            Retype(d, 1002, c.start);
            Retype(d, 1003, c.end);
            Key(Qt::Key_Return);
            if (!*c.message) return;
            EXPECT_TRUE(d.isVisible()) << c.side;
            EXPECT_EQ(ControlIdOf(*QApplication::focusWidget()).value_or(0), c.focused) << c.side;
            Key(Qt::Key_Escape);
        });
        const std::vector<std::string> messages =
            *c.message ? std::vector<std::string>{c.message} : std::vector<std::string>{};
        EXPECT_EQ(prompter.messages, messages) << c.side << " " << c.start << " " << c.end;
        EXPECT_EQ(window.Table().Rows(), c.rows) << c.side;
        EXPECT_EQ(window.Table().Columns(), c.rows) << c.side;
        EXPECT_EQ(window.Table().Cell(1, 1).text, c.cell11) << c.side;
        EXPECT_EQ(window.Grid().Table(), &window.Table());
    }
    EXPECT_EQ(shown, 10);
}

TEST_F(GannWindowTest, SettingDialogLeftWithoutOkChangesNothing) {
    const std::function<void(CFormsetDialog&)> closes[] = {
        [](CFormsetDialog& d) {
            QTest::mouseClick(qobject_cast<QPushButton*>(FindControl(d, 2)), Qt::LeftButton);
        },
        [](CFormsetDialog&) { Key(Qt::Key_Escape); },
        [](CFormsetDialog& d) { d.close(); },
    };
    for (const auto& close : closes) {
        CGannTableWindow window("");
        window.show();
        Setting(window, [&](CFormsetDialog& d) {
            Retype(d, 1001, "4");
            Retype(d, 1002, "9");
            Retype(d, 1003, "0");
            close(d);
        });
        EXPECT_EQ(SGannSetting::Of(window.Table()), (SGannSetting{13, 0.0f, 1.0f}));
        EXPECT_EQ(window.Grid().Table()->Rows(), 14);
    }
    EXPECT_EQ(shown, 3);
}

TEST_F(GannWindowTest, SettingDialogIsReachableByKeyboard) {
    CGannTableWindow window("");
    window.show();
    Setting(window, [&](CFormsetDialog& d) {
        EXPECT_EQ(d.windowTitle(), "Gann Chart Setting");
        EXPECT_EQ(ControlIdOf(*QApplication::focusWidget()).value_or(0), 1001u);
        const struct {
            Qt::Key mnemonic;
            unsigned field;
        } mnemonics[] = {{Qt::Key_S, 1002}, {Qt::Key_E, 1003}, {Qt::Key_R, 1001}};
        for (const auto& m : mnemonics) {
            QTest::keyClick(&d, m.mnemonic, Qt::AltModifier);
            EXPECT_EQ(ControlIdOf(*QApplication::focusWidget()).value_or(0), m.field);
        }
        std::vector<unsigned> order;
        for (int i = 0; i < 5; ++i) {
            order.push_back(ControlIdOf(*QApplication::focusWidget()).value_or(0));
            Key(Qt::Key_Tab);
        }
        EXPECT_EQ(order, (std::vector<unsigned>{1001, 1002, 1003, 1, 2}));
        EXPECT_EQ(ControlIdOf(*QApplication::focusWidget()).value_or(0), 1001u);
        Key(Qt::Key_Escape);
    });
    EXPECT_EQ(shown, 1);
}

TEST_F(GannWindowTest, TranslatedOnCreation) {
    Activate(
        "[156]\n0=Gann-Tabelle\n1001=Gann-Ergebnis:\n"
        "[168]\n|0=&Einstellung\n32974=Gann-Einstellung...\n32975=Automatische Gr\xc3\xb6\xc3\x9f"
        "e\n32976=Beenden\n"
        "[197]\n0=Gann-Einstellung\n1101=&Zeilen (Spalten):\n");
    CGannTableWindow window("");
    EXPECT_EQ(window.windowTitle(), "Gann-Tabelle");
    EXPECT_EQ(qobject_cast<QLabel*>(FindControl(window, CGannTableWindow::kCaption))->text(),
              "Gann-Ergebnis:");
    QAction* setting = window.MenuBar().actions().front();
    EXPECT_EQ(setting->text(), "&Einstellung");
    QStringList items;
    for (QAction* item : setting->menu()->actions()) items << item->text();
    EXPECT_EQ(items, (QStringList{"Gann-Einstellung...", "Automatische Größe", "Beenden"}));
    window.show();
    Setting(window, [&](CFormsetDialog& d) {
        EXPECT_EQ(d.windowTitle(), "Gann-Einstellung");
        EXPECT_EQ(qobject_cast<QLabel*>(FindControl(d, 1101))->text(), "&Zeilen (Spalten):");
        Retype(d, 1001, "1");
        Key(Qt::Key_Return);
        Key(Qt::Key_Escape);
    });
    EXPECT_EQ(prompter.messages,
              std::vector<std::string>{"Please enter an integer between 2 and 100."});
}

TEST_F(GannWindowTest, AutoSizeFitsEveryColumnToItsWidestText) {
    CGannTableWindow window("");
    window.show();
    CGannGrid& grid = window.Grid();
    EXPECT_EQ(grid.ColumnWidth(3), CGannGrid::kDefaultWidth);
    // A wide range makes wide numbers: the default width would cut them.
    ASSERT_TRUE(window.ApplySetting(SGannSetting{10, -123456.0f, 987654.0f}));
    QAction* autoSize = FindCommandAction(window, CGannTableWindow::kCmdAutoSize);
    ASSERT_NE(autoSize, nullptr);
    autoSize->trigger();
    const QFontMetrics metrics(grid.font());
    const CGannTable& t = window.Table();
    for (int column = 0; column < t.Columns(); ++column) {
        int widest = 0;
        for (int row = 0; row < t.Rows(); ++row)
            widest = std::max(widest, metrics.horizontalAdvance(
                                          QString::fromStdString(t.Cell(row, column).text)));
        // Three pixels each side and the grid line.
        EXPECT_EQ(grid.ColumnWidth(column), widest + 7) << column;
    }
    for (int row = 0; row < t.Rows(); ++row) EXPECT_EQ(grid.RowHeight(row), metrics.height() + 6);
    EXPECT_GT(grid.ColumnWidth(5), CGannGrid::kDefaultWidth);
}

// Alt+E opens the Setting menu; its items and the grid take keys.
TEST_F(GannWindowTest, MenuAndGridAreReachableByKeyboard) {
    CGannTableWindow window("");
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    EXPECT_EQ(QApplication::focusWidget(), &window.Grid());
    QTest::keyClick(&window, Qt::Key_E, Qt::AltModifier);
    QMenu* menu = window.MenuBar().actions().front()->menu();
    EXPECT_TRUE(QTest::qWaitFor([&] { return menu->isVisible(); }, 2000));
    QTest::keyClick(menu, Qt::Key_Escape);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !menu->isVisible(); }, 2000));
    window.Grid().setFocus();
    QTest::keyClick(&window.Grid(), Qt::Key_Down);
    QTest::keyClick(&window.Grid(), Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(window.Grid().Selection(), (CGannGrid::SSelection{2, 1, 2, 2}));
    QTest::keyClick(&window.Grid(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(window.Grid().Selection(), (CGannGrid::SSelection{0, 0, 13, 13}));
}

TEST_F(GannWindowTest, ExitClosesTheWindow) {
    CGannTableWindow window("");
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    FindCommandAction(window, CGannTableWindow::kCmdExit)->trigger();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.result(), QDialog::Rejected);
}

TEST_F(GannWindowTest, CtrlCCopiesTheSelectedCellsTabSeparated) {
    CGannTableWindow window("");
    ASSERT_TRUE(window.ApplySetting(SGannSetting{4, 9.0f, 0.0f}));
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    CGannGrid& grid = window.Grid();
    QWidget* viewport = grid.viewport();
    const struct {
        std::function<void()> select;
        const char* copied;
    } cases[] = {
        {[&] { QTest::mouseClick(viewport, Qt::LeftButton, {}, grid.CellRect(2, 2).center()); },
         "8.00\n"},
        {[&] {
             QTest::mouseClick(viewport, Qt::LeftButton, {}, grid.CellRect(2, 2).center());
             QTest::mouseClick(viewport, Qt::LeftButton, Qt::ShiftModifier,
                               grid.CellRect(3, 3).center());
         },
         "8.00\t7.00\n1.00\t0.00\n"},
        {[&] {
             grid.Select(3, 3, false);
             QTest::keyClick(&grid, Qt::Key_Left, Qt::ShiftModifier);
             QTest::keyClick(&grid, Qt::Key_Left, Qt::ShiftModifier);
         },
         "2.00\t1.00\t0.00\n"},
        {[&] {
             grid.Select(1, 1, false);
             QTest::keyClick(&grid, Qt::Key_Up);
             QTest::keyClick(&grid, Qt::Key_Right, Qt::ShiftModifier);
         },
         "1\t2\n"},
    };
    for (const auto& c : cases) {
        QApplication::clipboard()->clear();
        c.select();
        QTest::keyClick(&grid, Qt::Key_C, Qt::ControlModifier);
        EXPECT_EQ(QApplication::clipboard()->text().toStdString(), c.copied);
    }
}

// A 100 x 100 square filled, sized and drawn in full: well within a frame's time.
TEST_F(GannWindowTest, LargestSquareFillsAndPaintsQuickly) {
    CGannTableWindow window("");
    window.resize(1024, 768);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    CGannGrid& grid = window.Grid();
    QImage image(grid.viewport()->size(), QImage::Format_RGB32);
    // The best of three runs: the first also warms the font and glyph caches.
    qint64 filled = 0, sized = 0, inView = 0;
    for (int run = 0; run < 3; ++run) {
        ASSERT_TRUE(window.ApplySetting(SGannSetting{13, 0.0f, 1.0f}));
        QElapsedTimer timer;
        timer.start();
        ASSERT_TRUE(window.ApplySetting(SGannSetting{100, 0.0f, 1000.0f}));
        const qint64 f = timer.nsecsElapsed();
        grid.AutoSize();
        const qint64 s = timer.nsecsElapsed();
        {
            QPainter painter(&image);
            grid.PaintCells(painter);
        }
        const qint64 p = timer.nsecsElapsed();
        if (run == 0 || p < inView) filled = f, sized = s, inView = p;
    }
    // Every cell at once: a grid as large as the whole square.
    CGannGrid whole;
    whole.SetTable(&window.Table());
    whole.AutoSize();
    int width = 0, height = 0;
    for (int i = 0; i <= 100; ++i) width += whole.ColumnWidth(i), height += whole.RowHeight(i);
    whole.resize(width + 4, height + 4);
    whole.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&whole));
    QElapsedTimer timer;
    timer.start();
    QImage all(whole.viewport()->size(), QImage::Format_RGB32);
    {
        QPainter painter(&all);
        whole.PaintCells(painter);
    }
    const qint64 allCells = timer.nsecsElapsed();
    std::printf("fill %.1f ms, auto size %.1f ms, paint in view %.1f ms; all 10201 cells "
                "painted in %.1f ms\n",
                filled / 1e6, (sized - filled) / 1e6, (inView - sized) / 1e6, allCells / 1e6);
    EXPECT_LT(inView, 50'000'000);
    EXPECT_EQ(window.Table().Cell(100, 100).text, "");
    EXPECT_EQ(window.Table().Cell(99, 99).text, "1000.00");
    EXPECT_EQ(PixelAt(all, whole.CellRect(50, 50).topLeft() + QPoint(1, 1)), kGrey);
    EXPECT_EQ(PixelAt(all, whole.CellRect(0, 99).topLeft() + QPoint(1, 1)), kBlue);
}

} // namespace
