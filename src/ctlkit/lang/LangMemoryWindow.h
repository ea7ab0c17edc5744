#pragma once
#include "LangWindow.h"
#include <memory>
#include <vector>

// A window tree in memory, for tests and headless use.
class CMemoryWindow : public CTranslatableWindow {
public:
    CMemoryWindow(unsigned id, std::string text) : m_id(id), m_text(std::move(text)) {}

    // Adds a child and returns it.
    CMemoryWindow& AddChild(unsigned id, std::string text);

    unsigned ControlId() const override { return m_id; }
    std::string GetText() const override { return m_text; }
    void SetText(const std::string& text) override { m_text = text; }
    size_t ChildCount() const override { return m_children.size(); }
    CTranslatableWindow& Child(size_t index) override { return *m_children.at(index); }
    CMemoryWindow& At(size_t index) { return *m_children.at(index); }

private:
    unsigned m_id;
    std::string m_text;
    std::vector<std::unique_ptr<CMemoryWindow>> m_children;
};
