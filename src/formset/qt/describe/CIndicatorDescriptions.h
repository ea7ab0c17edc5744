#pragma once
#include <QDialog>
#include <QList>
#include <QTextBrowser>
#include <QUrl>
#include <functional>
#include <string>
#include <string_view>

class QListWidget;

// A read-only page view that loads nothing but local files under one folder: every other
// resource (a remote image, a style sheet elsewhere on disk) is refused and noted. A link to
// an http or https address goes to the desktop's browser; a link to a page under the folder
// opens here; any other link is ignored.
class CDescriptionBrowser : public QTextBrowser {
public:
    CDescriptionBrowser(QString folder, QWidget* parent);

    QVariant loadResource(int type, const QUrl& name) override;

    // Every resource refused so far, as it was asked for.
    const QList<QUrl>& Refused() const { return m_refused; }
    // Opens a web link; the desktop's browser unless replaced (by tests).
    std::function<void(const QUrl&)> openExternal;

private:
    // `url` made absolute against the page shown; empty when it is no file under the folder.
    QUrl Permitted(const QUrl& url) const;
    void FollowLink(const QUrl& url);

    QString m_folder; // canonical, without a trailing "/"
    QList<QUrl> m_refused;
};

// The indicator descriptions (dialog 290): the built-in indicators and signal systems listed
// by identifier and name, and the description page of the one selected, from the program
// folder's "Doc/indicators/"; the built-in short text when its page is missing. Translated
// with its dialog identifier when first shown; Close (control 2) or Escape closes it.
class CIndicatorDescriptions : public QDialog {
public:
    static constexpr unsigned kDialogId = 290;
    enum EControl : unsigned {
        kClose = 2,
        kList = 1001,
        kPage = 1002,
        kListLabel = 1101,
        kPageLabel = 1102,
    };

    // Opens on `identifier`, or on the first indicator when it names none.
    CIndicatorDescriptions(const std::string& programFolder, std::string_view identifier,
                           QWidget* parent);

    // Shows the viewer modally.
    static void Show(QWidget* parent, const std::string& programFolder,
                     std::string_view identifier = {});

    // Selects and shows `identifier`; false (nothing changes) when it is not built in.
    bool Select(std::string_view identifier);
    // The identifier shown.
    std::string Identifier() const;
    // True while the built-in text stands in for a missing page.
    bool ShowsBuiltInText() const { return m_builtIn; }
    CDescriptionBrowser& Browser() const { return *m_page; }
    QListWidget& List() const { return *m_list; }

    void setVisible(bool visible) override;

    // For tests: called with every viewer once it shows, from its event loop (so a modal
    // exec() can be driven). Returns the hook it replaces.
    using ShownHook = std::function<void(CIndicatorDescriptions&)>;
    static ShownHook SetShownHook(ShownHook hook);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void ShowRow(int row);

    std::string m_programFolder;
    QListWidget* m_list;
    CDescriptionBrowser* m_page;
    bool m_builtIn = false;
    bool m_translated = false;
};
