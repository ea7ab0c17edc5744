#pragma once
#include "CLoopMessageTarget.h"
#include <functional>
#include <memory>

// A window's dialog as a job reaches it from its pool thread, through the window's target:
// each call is carried out on the window's thread, where the dialog lives, and answers at
// once with its fallback once the window detached. The dialog is let go of on the window's
// thread. The tasks hold the dialog themselves: a window that detaches while a task runs lets
// the waiting job go on, and this object may be gone before the task ends.
template <class Dialog> class CLoopDialog {
public:
    CLoopDialog(std::shared_ptr<CLoopMessageTarget> window, std::shared_ptr<Dialog> dialog)
        : m_window(std::move(window)), m_dialog(std::move(dialog)) {}
    ~CLoopDialog() { m_window->ReleaseOnLoop(std::move(m_dialog)); }
    CLoopDialog(const CLoopDialog&) = delete;
    CLoopDialog& operator=(const CLoopDialog&) = delete;

    // Runs `change` on the dialog; nothing once the window detached.
    void Change(std::function<void(Dialog&)> change) {
        Ask<bool>(
            [change = std::move(change)](Dialog& dialog) {
                change(dialog);
                return true;
            },
            false);
    }

    // The dialog's answer to `ask`; `fallback` once the window detached.
    template <class Answer> Answer Ask(std::function<Answer(Dialog&)> ask, Answer fallback) {
        return m_window->Call<Answer>(
            [dialog = m_dialog, ask = std::move(ask)] { return ask(*dialog); },
            std::move(fallback));
    }

private:
    std::shared_ptr<CLoopMessageTarget> m_window;
    std::shared_ptr<Dialog> m_dialog;
};
