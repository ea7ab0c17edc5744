#include "app/qt/CExtStatusBar.h"
#include "app/qt/X11LockKeys.h"
#include <QKeyEvent>
#include <QLabel>
#include <QTest>
#include <cstdlib>
#include <gtest/gtest.h>
#include <memory>

namespace {
// The lock keys as the test sets them.
struct FakeKeys {
    CStatusBarPanes::SLockKeys keys;
    CStatusBarPanes::LockKeysSource Source() {
        return [this] { return keys; };
    }
};

std::string LabelText(const QStatusBar& bar, const QString& name) {
    const auto* label = bar.findChild<QLabel*>(name);
    return label ? label->text().toStdString() : "<no label " + name.toStdString() + ">";
}

std::string PaneLabel(const QStatusBar& bar, int index) {
    return LabelText(bar, QStringLiteral("pane%1").arg(index));
}

class ExtStatusBarTest : public ::testing::Test {
protected:
    FakeKeys fake;
    std::unique_ptr<CExtStatusBar> bar = std::make_unique<CExtStatusBar>(fake.Source());
};
} // namespace

TEST_F(ExtStatusBarTest, SevenPanesShowTheirStartTexts) {
    const char* const expected[] = {"", "", "", "", "X-Coordinate", "Y-Coordinate", " "};
    ASSERT_EQ(bar->Panes().Count(), 7);
    for (int index = 0; index < 7; ++index) {
        EXPECT_EQ(bar->Panes().Text(index), expected[index]) << index;
        EXPECT_EQ(PaneLabel(*bar, index), expected[index]) << index;
    }
    EXPECT_EQ(bar->findChildren<QLabel*>().size(), 8); // and the connection indicator
}

TEST_F(ExtStatusBarTest, LockPanesFollowTheSourceWhenRefreshed) {
    struct Row {
        CStatusBarPanes::SLockKeys keys;
        const char* caps;
        const char* num;
        const char* scroll;
    };
    const Row rows[] = {
        {{true, false, false}, "CAP", "", ""},  {{false, true, false}, "", "NUM", ""},
        {{false, false, true}, "", "", "SCRL"}, {{true, true, true}, "CAP", "NUM", "SCRL"},
        {{false, false, false}, "", "", ""},
    };
    for (const Row& row : rows) {
        fake.keys = row.keys;
        bar->RefreshLockKeys();
        EXPECT_EQ(PaneLabel(*bar, 1), row.caps);
        EXPECT_EQ(PaneLabel(*bar, 2), row.num);
        EXPECT_EQ(PaneLabel(*bar, 3), row.scroll);
    }
}

TEST_F(ExtStatusBarTest, LockPanesAreRefreshedByTheTimerAndOnKeyRelease) {
    bar->show();
    fake.keys.capsLock = true;
    EXPECT_TRUE(QTest::qWaitFor([&] { return PaneLabel(*bar, 1) == "CAP"; }, 2000));

    fake.keys = {false, true, false};
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_NumLock, Qt::NoModifier);
    QCoreApplication::sendEvent(bar.get(), &release);
    EXPECT_EQ(PaneLabel(*bar, 2), "NUM"); // at once, not at the next timer tick
    EXPECT_EQ(PaneLabel(*bar, 1), "");
}

TEST_F(ExtStatusBarTest, LockPanesKeepTheWidthOfTheirTextWhileOff) {
    bar->show();
    QCoreApplication::processEvents();
    QLabel* scroll = bar->findChild<QLabel*>("pane3");
    const int offWidth = scroll->width();
    fake.keys.scrollLock = true;
    bar->RefreshLockKeys();
    QCoreApplication::processEvents();
    EXPECT_EQ(scroll->text().toStdString(), "SCRL");
    EXPECT_GE(offWidth, scroll->sizeHint().width());
    EXPECT_EQ(scroll->width(), offWidth);
}

TEST_F(ExtStatusBarTest, SetPaneTextChangesMessageAndProgramPanesOnly) {
    struct Row {
        int index;
        bool accepted;
        const char* shown;
    };
    const Row rows[] = {
        {0, true, "Ready"},      {1, false, ""},      {2, false, ""},      {3, false, ""},
        {4, true, "2024-03-01"}, {5, true, "123.45"}, {6, true, "volume"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(bar->SetPaneText(row.index, row.shown[0] ? row.shown : "X"), row.accepted)
            << row.index;
        EXPECT_EQ(PaneLabel(*bar, row.index), row.shown) << row.index;
        EXPECT_EQ(bar->Panes().Text(row.index), row.shown) << row.index;
    }
    EXPECT_FALSE(bar->SetPaneText(7, "out"));
    EXPECT_FALSE(bar->SetPaneText(-1, "out"));
}

TEST_F(ExtStatusBarTest, ProgramPanesGrowButDoNotShrink) {
    bar->show();
    QLabel* date = bar->findChild<QLabel*>("pane4");
    bar->SetPaneText(4, "A much longer read-out than before");
    QCoreApplication::processEvents();
    const int wide = date->minimumWidth();
    EXPECT_GE(wide, date->sizeHint().width());
    bar->SetPaneText(4, "short");
    EXPECT_EQ(date->minimumWidth(), wide);
}

TEST_F(ExtStatusBarTest, ConnectionIndicatorIsHiddenWhileEmpty) {
    bar->show();
    QLabel* connection = bar->findChild<QLabel*>("connection");
    ASSERT_NE(connection, nullptr);
    EXPECT_FALSE(connection->isVisible());
    bar->SetConnectionText("Online");
    EXPECT_TRUE(connection->isVisible());
    EXPECT_EQ(connection->text().toStdString(), "Online");
    bar->SetConnectionText("Offline");
    EXPECT_EQ(connection->text().toStdString(), "Offline");
    bar->SetConnectionText("");
    EXPECT_FALSE(connection->isVisible());
}

TEST_F(ExtStatusBarTest, ConnectionIndicatorIsAtTheFarRight) {
    bar->resize(800, 24);
    bar->SetConnectionText("Online");
    bar->show();
    QCoreApplication::processEvents();
    const QLabel* connection = bar->findChild<QLabel*>("connection");
    for (int index = 0; index < 7; ++index)
        EXPECT_LT(bar->findChild<QLabel*>(QStringLiteral("pane%1").arg(index))->x(),
                  connection->x())
            << index;
}

TEST_F(ExtStatusBarTest, MessagePaneStretches) {
    bar->resize(900, 24);
    bar->show();
    QCoreApplication::processEvents();
    const int narrow = bar->findChild<QLabel*>("pane0")->width();
    bar->resize(1200, 24);
    QCoreApplication::processEvents();
    EXPECT_EQ(bar->findChild<QLabel*>("pane0")->width(), narrow + 300);
}

// As on the offscreen platform or Wayland without Xwayland. Nothing else in this program asks
// first, so the display is looked for now, without DISPLAY.
TEST(X11LockKeysTest, WithoutAnXDisplayEveryKeyIsOff) {
    ::unsetenv("DISPLAY");
    for (int call = 0; call < 2; ++call) {
        const CStatusBarPanes::SLockKeys keys = X11LockKeys();
        EXPECT_FALSE(keys.capsLock);
        EXPECT_FALSE(keys.numLock);
        EXPECT_FALSE(keys.scrollLock);
    }
}
