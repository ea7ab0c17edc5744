#pragma once
#include <cstdint>
#include <string>

// When the network check runs and what it last answered. The panel that owns it calls Tick
// on every tick of its 10-second timer and queues a connection check job whenever Tick says
// so: at the first tick, then every 12th (about every two minutes). Checks run only while
// the check is on and has an address.
class CConnectionCheck {
public:
    static constexpr int kTickSeconds = 10;
    static constexpr int kTicksBetweenChecks = 12;

    CConnectionCheck(bool on, std::string address);

    bool IsActive() const { return m_on && !m_address.empty(); }
    const std::string& Address() const { return m_address; }

    // One timer tick; true when a check should start now.
    bool Tick();
    // The answer of a check: the wParam of WM_CONNECT_CHECKED, non-zero when online.
    void OnConnectChecked(uintptr_t wParam);
    // "Online" or "Offline" after an answer; empty before one or while inactive.
    std::string IndicatorText() const;

private:
    enum class EState { Unknown, Online, Offline };

    bool m_on;
    std::string m_address;
    int m_phase = 0; // ticks since the last check, modulo kTicksBetweenChecks
    EState m_state = EState::Unknown;
};
