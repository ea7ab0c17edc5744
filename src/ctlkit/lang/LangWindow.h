#pragma once
#include <cstddef>
#include <string>

// A window as CLanguage::TranslateDialog sees it: a control identifier, a text and child
// windows. The Qt adapter wraps a dialog's widgets; tests use CMemoryWindow.
class CTranslatableWindow {
public:
    virtual ~CTranslatableWindow() = default;
    virtual unsigned ControlId() const = 0;
    virtual std::string GetText() const = 0;
    virtual void SetText(const std::string& text) = 0;
    virtual size_t ChildCount() const = 0;
    // The child at `index` (< ChildCount()).
    virtual CTranslatableWindow& Child(size_t index) = 0;
};
