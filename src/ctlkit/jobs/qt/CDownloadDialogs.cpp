#include "CDownloadDialogs.h"
#include "CFormsetDownloading.h"
#include "CFormsetDownloadingSink.h"
#include <QPointer>
#include <algorithm>
#include <vector>

struct CDownloadDialogs::SState {
    std::string programFolder;
    std::vector<QPointer<CFormsetDownloading>> dialogs;

    void Prune() {
        dialogs.erase(std::remove_if(dialogs.begin(), dialogs.end(),
                                     [](const QPointer<CFormsetDownloading>& d) { return !d; }),
                      dialogs.end());
    }
};

CDownloadDialogs::CDownloadDialogs(std::string programFolder)
    : m_state(std::make_shared<SState>()) {
    m_state->programFolder = std::move(programFolder);
}

CDownloadDialogs::~CDownloadDialogs() {
    CloseAll();
}

DownloadProgressFactory CDownloadDialogs::Factory() {
    std::weak_ptr<SState> weak = m_state;
    return [weak](long) -> std::shared_ptr<CDownloadProgressSink> {
        std::shared_ptr<SState> state = weak.lock();
        if (!state) return nullptr;
        state->Prune();
        auto* dialog = new CFormsetDownloading(state->programFolder);
        state->dialogs.emplace_back(dialog);
        dialog->show();
        return std::make_shared<CFormsetDownloadingSink>(dialog);
    };
}

int CDownloadDialogs::OpenCount() const {
    return static_cast<int>(
        std::count_if(m_state->dialogs.begin(), m_state->dialogs.end(),
                      [](const QPointer<CFormsetDownloading>& d) { return d && d->isVisible(); }));
}

void CDownloadDialogs::CloseAll() {
    // Taken out first: deleting a dialog runs no code of ours, but the list stays consistent.
    std::vector<QPointer<CFormsetDownloading>> dialogs;
    dialogs.swap(m_state->dialogs);
    for (QPointer<CFormsetDownloading>& dialog : dialogs) {
        if (!dialog) continue;
        // The chart that waited for it is closing: its transfer stops too.
        dialog->OnHide();
        delete dialog.data();
    }
}
