#include "LanguageFileTest.h"
#include "ctlkit/base/CRecordingPrompter.h"
#include "ctlkit/lang/qt/ControlId.h"
#include "formset/qt/CInnerSelFormset.h"
#include "formset/qt/describe/CIndicatorDescriptions.h"
#include "indicators/IndicatorCatalog.h"
#include "indicators/IndicatorDescriptions.h"
#include <QApplication>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QTcpServer>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <gtest/gtest.h>
#include <optional>

namespace fs = std::filesystem;

namespace {

void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
}

unsigned FocusId() {
    QWidget* focus = QApplication::focusWidget();
    return focus ? ControlIdOf(*focus).value_or(0) : 0;
}

bool HasImage(const QVariant& resource) {
    if (resource.typeId() == QMetaType::QImage) return !resource.value<QImage>().isNull();
    if (resource.typeId() == QMetaType::QPixmap) return !resource.value<QPixmap>().isNull();
    return !QImage::fromData(resource.toByteArray()).isNull();
}

QUrl PageUrl(const std::string& folder, const std::string& identifier) {
    return QUrl::fromLocalFile(
        QFileInfo(QString::fromStdString(IndicatorPagePath(folder, identifier)))
            .canonicalFilePath());
}

class IndicatorDescriptionsViewerTest : public LanguageFileTest {
protected:
    void TearDown() override {
        CIndicatorDescriptions::SetShownHook({});
        CFormsetDialog::SetShownHook({});
        LanguageFileTest::TearDown();
    }

    // A program folder of its own with `page` as the page of `identifier`.
    std::string FolderWithPage(const std::string& identifier, const std::string& page) {
        const std::string folder = dir.Path() + "/";
        fs::create_directories(IndicatorPageFolder(folder));
        WriteText(IndicatorPagePath(folder, identifier), page);
        return folder;
    }

    // Shows the viewer modally as the program does and runs `drive` on it once it is
    // active; `drive` must close it.
    void RunViewer(const std::string& folder, const std::string& identifier,
                   const std::function<void(CIndicatorDescriptions&)>& drive) {
        CIndicatorDescriptions::SetShownHook([&](CIndicatorDescriptions& viewer) {
            EXPECT_TRUE(QTest::qWaitForWindowActive(&viewer));
            ++shown;
            const QPointer<CIndicatorDescriptions> alive(&viewer);
            drive(viewer);
            if (alive && alive->isVisible()) {
                ADD_FAILURE() << "the viewer was left open";
                alive->done(QDialog::Rejected);
            }
        });
        CIndicatorDescriptions::Show(nullptr, folder, identifier);
        CIndicatorDescriptions::SetShownHook({});
    }

    int shown = 0;
    CRecordingPrompter prompter;
    CScopedPrompter scoped{prompter};
};

TEST_F(IndicatorDescriptionsViewerTest, OpensTheShippedPageOfEveryIdentifier) {
    const std::string folder = std::string(ZS_SAMPLE_DIR) + "/";
    CIndicatorDescriptions viewer(folder, "", nullptr);
    ASSERT_EQ(viewer.List().count(), 29);
    EXPECT_EQ(viewer.Identifier(), "SMA"); // no identifier: the first
    int row = 0;
    for (const SIndicatorEntry& entry : IndicatorTable()) {
        const std::string id = entry.identifier;
        EXPECT_EQ(viewer.List().item(row)->text().toStdString(),
                  id + " - " + FindIndicatorDescription(id)->name);
        ASSERT_TRUE(viewer.Select(id)) << id;
        EXPECT_EQ(viewer.List().currentRow(), row) << id;
        EXPECT_EQ(viewer.Identifier(), id);
        EXPECT_FALSE(viewer.ShowsBuiltInText()) << id;
        EXPECT_EQ(viewer.Browser().source(), PageUrl(folder, id)) << id;
        EXPECT_TRUE(viewer.Browser().toPlainText().contains(
            QString::fromStdString("Identifier: " + id + "\n")))
            << id;
        // Opened on its identifier, the viewer shows the same page.
        CIndicatorDescriptions opened(folder, id, nullptr);
        EXPECT_EQ(opened.Browser().source(), PageUrl(folder, id)) << id;
        ++row;
    }
    EXPECT_FALSE(viewer.Select("NOPE"));
    EXPECT_EQ(viewer.Identifier(), "FLAGMACD");
    EXPECT_TRUE(viewer.Browser().Refused().isEmpty());
}

TEST_F(IndicatorDescriptionsViewerTest, MissingOrEmptyPageShowsTheBuiltInText) {
    const std::string folder = FolderWithPage("MACD", ""); // empty: as good as missing
    WriteText(IndicatorPagePath(folder, "OBV"), "<html><body><p>OBV page</p></body></html>");
    CIndicatorDescriptions viewer(folder, "RSI", nullptr);
    struct Case {
        const char* identifier;
        bool builtIn;
    };
    for (const Case c :
         {Case{"RSI", true}, Case{"OBV", false}, Case{"MACD", true}, Case{"52WK H and L", true}}) {
        ASSERT_TRUE(viewer.Select(c.identifier));
        EXPECT_EQ(viewer.ShowsBuiltInText(), c.builtIn) << c.identifier;
        const QString expected = c.builtIn
                                     ? QString::fromStdString(BuiltInDescription(c.identifier))
                                     : QString("OBV page");
        EXPECT_EQ(viewer.Browser().toPlainText().trimmed(), expected.trimmed()) << c.identifier;
    }
}

// A page may name anything; only files under the program's Doc folder are loaded.
TEST_F(IndicatorDescriptionsViewerTest, LoadsNothingFromTheNetworkNorFromOutsideTheDocFolder) {
    QTcpServer server;
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost));
    const QString watched = QString("http://127.0.0.1:%1/y.png").arg(server.serverPort());
    const std::string folder = FolderWithPage("SMA", "<html><body><p>Remote</p>"
                                                     "<img src=\"http://127.0.0.1:1/x.png\">"
                                                     "<img src=\"" +
                                                         watched.toStdString() +
                                                         "\">"
                                                         "<img src=\"https://example.com/z.png\">"
                                                         "<img src=\"../../secret.png\">"
                                                         "<img src=\"here.png\">"
                                                         "</body></html>");
    QImage secret(4, 4, QImage::Format_RGB32);
    secret.fill(Qt::red);
    ASSERT_TRUE(secret.save(QString::fromStdString(dir.File("secret.png"))));
    ASSERT_TRUE(secret.save(QString::fromStdString(IndicatorPageFolder(folder) + "here.png")));
    const QUrl secretUrl = QUrl::fromLocalFile(QString::fromStdString(dir.File("secret.png")));
    const QUrl hereUrl =
        QUrl::fromLocalFile(QString::fromStdString(IndicatorPageFolder(folder) + "here.png"));

    CIndicatorDescriptions viewer(folder, "SMA", nullptr);
    viewer.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&viewer));
    QTest::qWait(50);

    const QList<QUrl> refused = viewer.Browser().Refused();
    EXPECT_TRUE(refused.contains(QUrl("http://127.0.0.1:1/x.png")));
    EXPECT_TRUE(refused.contains(QUrl(watched)));
    EXPECT_TRUE(refused.contains(QUrl("https://example.com/z.png")));
    EXPECT_TRUE(refused.contains(secretUrl));
    EXPECT_FALSE(refused.contains(hereUrl));
    // Refused means not read at all, not even by the document's own loading of local files.
    QTextDocument& document = *viewer.Browser().document();
    EXPECT_TRUE(HasImage(document.resource(QTextDocument::ImageResource, hereUrl)));
    EXPECT_FALSE(HasImage(document.resource(QTextDocument::ImageResource, secretUrl)));
    EXPECT_FALSE(refused.contains(viewer.Browser().source()));
    EXPECT_TRUE(viewer.Browser().toPlainText().contains("Remote"));
    EXPECT_FALSE(server.waitForNewConnection(100));
    EXPECT_FALSE(server.hasPendingConnections());
}

TEST_F(IndicatorDescriptionsViewerTest, WebLinksGoToTheBrowserAndLocalPagesOpenInPlace) {
    const std::string folder = FolderWithPage("SMA", "<html><body>SMA page</body></html>");
    WriteText(IndicatorPageFolder(folder) + "index.html", "<html><body>All pages</body></html>");
    WriteText(dir.File("setup.ini"), "[x]\n");
    CIndicatorDescriptions viewer(folder, "SMA", nullptr);
    std::vector<QUrl> opened;
    viewer.Browser().openExternal = [&](const QUrl& url) { opened.push_back(url); };
    const QUrl sma = viewer.Browser().source();
    const QUrl index = QUrl::fromLocalFile(
        QFileInfo(QString::fromStdString(IndicatorPageFolder(folder) + "index.html"))
            .canonicalFilePath());
    struct Case {
        const char* link;
        std::optional<QUrl> external; // handed to the browser
        QUrl source;                  // the page shown afterwards
    };
    const Case cases[] = {
        {"https://example.com/a", QUrl("https://example.com/a"), sma},
        {"HTTP://example.com/b", QUrl("HTTP://example.com/b"), sma},
        {"ftp://example.com/c", {}, sma},
        {"mailto:someone@example.com", {}, sma},
        {"javascript:alert(1)", {}, sma},
        {"../../setup.ini", {}, sma},
        {"index.html", {}, index},
    };
    for (const Case& c : cases) {
        opened.clear();
        emit viewer.Browser().anchorClicked(QUrl(c.link));
        EXPECT_EQ(opened.empty() ? std::optional<QUrl>() : opened.front(), c.external) << c.link;
        EXPECT_LE(opened.size(), 1u) << c.link;
        EXPECT_EQ(viewer.Browser().source(), c.source) << c.link;
    }
    EXPECT_TRUE(viewer.Browser().toPlainText().contains("All pages"));
}

TEST_F(IndicatorDescriptionsViewerTest, IsDrivenByKeyboardAndTranslatedOnCreation) {
    Activate("[290]\n0=Indikatoren\n1101=&Liste:\n2=&Schliessen\n");
    const std::string folder = std::string(ZS_SAMPLE_DIR) + "/";
    RunViewer(folder, "MACD", [&](CIndicatorDescriptions& v) {
        EXPECT_EQ(v.windowTitle(), "Indikatoren");
        EXPECT_EQ(qobject_cast<QLabel*>(FindControl(v, CIndicatorDescriptions::kListLabel))->text(),
                  "&Liste:");
        EXPECT_EQ(
            qobject_cast<QPushButton*>(FindControl(v, CIndicatorDescriptions::kClose))->text(),
            "&Schliessen");
        EXPECT_EQ(FocusId(), CIndicatorDescriptions::kList);
        Key(Qt::Key_Down);
        EXPECT_EQ(v.Identifier(), "VOL");
        EXPECT_EQ(v.Browser().source(), PageUrl(folder, "VOL"));
        // Tab also steps through the page's links before it leaves the page.
        std::vector<unsigned> order;
        for (int i = 0; i < 10 && (order.empty() || order.back() != CIndicatorDescriptions::kList);
             ++i) {
            Key(Qt::Key_Tab);
            if (order.empty() || order.back() != FocusId()) order.push_back(FocusId());
        }
        EXPECT_EQ(order, (std::vector<unsigned>{CIndicatorDescriptions::kPage,
                                                CIndicatorDescriptions::kClose,
                                                CIndicatorDescriptions::kList}));
        Key(Qt::Key_D, Qt::AltModifier);
        EXPECT_EQ(FocusId(), CIndicatorDescriptions::kPage);
        Key(Qt::Key_L, Qt::AltModifier);
        EXPECT_EQ(FocusId(), CIndicatorDescriptions::kList);
        Key(Qt::Key_Escape);
    });
    // The close button closes it too.
    RunViewer(folder, "", [](CIndicatorDescriptions& v) {
        QTest::mouseClick(
            qobject_cast<QPushButton*>(FindControl(v, CIndicatorDescriptions::kClose)),
            Qt::LeftButton);
    });
    EXPECT_EQ(shown, 2);
}

TEST_F(IndicatorDescriptionsViewerTest, InsertOrReplaceDescriptionButtonOpensTheIndicatorAsked) {
    const std::string folder = std::string(ZS_SAMPLE_DIR) + "/";
    struct Case {
        const char* identifier;
        bool enabled;
    };
    for (const Case c :
         {Case{"MACD", true}, Case{"52WK H and L", true}, Case{"", false}, Case{"NOPE", false}}) {
        std::vector<std::string> viewed;
        CIndicatorDescriptions::SetShownHook([&](CIndicatorDescriptions& v) {
            EXPECT_TRUE(QTest::qWaitForWindowActive(&v));
            viewed.push_back(v.Identifier());
            EXPECT_FALSE(v.ShowsBuiltInText());
            QTest::keyClick(&v, Qt::Key_Escape);
        });
        CFormsetDialog::SetShownHook([&](CFormsetDialog& d) {
            EXPECT_TRUE(QTest::qWaitForWindowActive(&d));
            auto* button =
                qobject_cast<QPushButton*>(FindControl(d, CInnerSelFormset::kDescription));
            ASSERT_NE(button, nullptr);
            EXPECT_EQ(button->text(), "&Description...");
            EXPECT_EQ(button->isEnabled(), c.enabled) << c.identifier;
            QTest::mouseClick(button, Qt::LeftButton);
            if (c.enabled) {
                // Once more by its mnemonic, then the question answers as before.
                d.activateWindow(); // the offscreen platform leaves that to the program
                EXPECT_TRUE(QTest::qWaitForWindowActive(&d));
                QTest::keyClick(&d, Qt::Key_D, Qt::AltModifier); // clicks once it is drawn up
                EXPECT_TRUE(QTest::qWaitFor([&] { return viewed.size() == 2; }));
                EXPECT_TRUE(d.isVisible());
            }
            QTest::mouseClick(qobject_cast<QPushButton*>(FindControl(d, 1)), Qt::LeftButton);
        });
        const std::optional<bool> answer =
            CInnerSelFormset::Ask(nullptr, 1, "RSI", c.identifier, folder);
        EXPECT_EQ(answer, std::optional<bool>(true)) << c.identifier;
        const std::vector<std::string> expected =
            c.enabled ? std::vector<std::string>(2, c.identifier) : std::vector<std::string>{};
        EXPECT_EQ(viewed, expected) << c.identifier;
    }
}

TEST_F(IndicatorDescriptionsViewerTest, ParentClosedWhileOpenTakesTheViewerAlong) {
    auto* parent = new QWidget;
    parent->show();
    QPointer<CIndicatorDescriptions> open;
    CIndicatorDescriptions::SetShownHook([&](CIndicatorDescriptions& viewer) {
        open = &viewer;
        QTimer::singleShot(0, [parent] { delete parent; });
    });
    CIndicatorDescriptions::Show(parent, std::string(ZS_SAMPLE_DIR) + "/", "SMA");
    EXPECT_TRUE(open.isNull());
}

} // namespace
