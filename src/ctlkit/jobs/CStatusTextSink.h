#pragma once
#include <string>

// A control that shows the status texts of a transfer (the progress dialog's text 5000, the
// update dialog's text 1060). Called on the worker's thread; the implementation shows the
// text on the user-interface thread and returns once it is shown.
class CStatusTextSink {
public:
    virtual ~CStatusTextSink() = default;
    virtual void SetStatusText(const std::string& text) = 0;
};
