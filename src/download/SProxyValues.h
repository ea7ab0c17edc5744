#pragma once
#include <string>

class CWebGrab;

// The proxy values a job copies from the settings when it is created.
struct SProxyValues {
    bool useProxy = false;
    std::string server;
    std::string port = "8080";

    // The port text read as atoi does (so "" is port 0), handed to CWebGrab::SetProxy.
    void ApplyTo(CWebGrab& grab) const;
};
