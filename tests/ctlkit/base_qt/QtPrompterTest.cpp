#include "ctlkit/base/qt/QtPrompter.h"
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>
#include <thread>

namespace {

struct SBoxSeen {
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString text;
    QString defaultButton;
};

// Once the message box is up: notes what it shows and presses `press` (or the default
// button with Enter when null).
void AnswerNextBox(SBoxSeen& seen, std::optional<QMessageBox::StandardButton> press) {
    QTimer::singleShot(0, [&seen, press] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        seen.icon = box->icon();
        seen.text = box->text();
        seen.defaultButton = box->defaultButton() ? box->defaultButton()->text() : QString();
        if (press)
            box->button(*press)->click();
        else
            box->defaultButton()->click();
    });
}

} // namespace

TEST(QtPrompterTest, MessagesWarnAndQuestionsAskWithYesAsTheDefault) {
    QtPrompter prompter;
    SBoxSeen seen;
    AnswerNextBox(seen, std::nullopt);
    prompter.ShowMessage("The quote file cannot be read.");
    EXPECT_EQ(seen.icon, QMessageBox::Warning);
    EXPECT_EQ(seen.text, "The quote file cannot be read.");

    AnswerNextBox(seen, std::nullopt);
    EXPECT_TRUE(prompter.AskYesNo("Download it now?"));
    EXPECT_EQ(seen.icon, QMessageBox::Question);
    EXPECT_EQ(seen.defaultButton, "&Yes");

    AnswerNextBox(seen, QMessageBox::No);
    EXPECT_FALSE(prompter.AskYesNo("Download it now?"));
}

TEST(QtPrompterTest, AQuestionOffTheGuiThreadIsAnsweredNoWithoutAWidget) {
    QtPrompter prompter;
    bool answer = true;
    std::thread worker([&] {
        prompter.ShowMessage("from a worker");
        answer = prompter.AskYesNo("from a worker?");
    });
    worker.join();
    EXPECT_FALSE(answer);
    EXPECT_EQ(QApplication::topLevelWidgets().size(), 0);
}
