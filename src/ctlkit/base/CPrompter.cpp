#include "CPrompter.h"
#include "CStderrPrompter.h"

namespace {
CStderrPrompter g_defaultPrompter;
CPrompter* g_activePrompter = &g_defaultPrompter;
} // namespace

CPrompter& CPrompter::Active() {
    return *g_activePrompter;
}

CPrompter* CPrompter::Install(CPrompter* prompter) {
    CPrompter* previous = g_activePrompter;
    g_activePrompter = prompter ? prompter : &g_defaultPrompter;
    return previous == &g_defaultPrompter ? nullptr : previous;
}
