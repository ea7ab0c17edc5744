#include "LangMemoryWindow.h"

CMemoryWindow& CMemoryWindow::AddChild(unsigned id, std::string text) {
    m_children.push_back(std::make_unique<CMemoryWindow>(id, std::move(text)));
    return *m_children.back();
}
