#pragma once
#include "WindowMessages.h"
#include <string>

// A window of the user-interface thread as worker threads see it. Jobs hold targets through
// std::shared_ptr, so a target outlives the window it stands for; once the window is gone
// the target drops what it is given.
class CMessageTarget {
public:
    virtual ~CMessageTarget() = default;
    // Delivers the message on the target's thread and waits until it has been handled; the
    // handler's answer, 0 when the message was dropped.
    virtual long SendMessage(const SWindowMessage& message) = 0;
    // Queues the message and returns at once; false when it was dropped.
    virtual bool PostMessage(const SWindowMessage& message) = 0;
    // Shows a message box text through the prompter on the target's thread and waits until
    // it has been shown (a closed window does not hold the worker up, but the text is still
    // shown).
    virtual void ShowMessage(const std::string& text) = 0;
};
