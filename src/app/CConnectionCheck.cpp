#include "CConnectionCheck.h"

CConnectionCheck::CConnectionCheck(bool on, std::string address)
    : m_on(on), m_address(std::move(address)) {}

bool CConnectionCheck::Tick() {
    if (!IsActive()) return false;
    const bool start = m_phase == 0;
    m_phase = (m_phase + 1) % kTicksBetweenChecks;
    return start;
}

void CConnectionCheck::OnConnectChecked(uintptr_t wParam) {
    if (!IsActive()) return;
    m_state = wParam != 0 ? EState::Online : EState::Offline;
}

std::string CConnectionCheck::IndicatorText() const {
    if (!IsActive()) return "";
    switch (m_state) {
    case EState::Online:
        return "Online";
    case EState::Offline:
        return "Offline";
    case EState::Unknown:
        break;
    }
    return "";
}
