// libFuzzer target: the input is a chart template. Reading must refuse or succeed without a
// crash; a refused template leaves the object as it was, and one that was read writes bytes
// that read back to the same bytes.
#include "chart/CChartTemplate.h"
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CChartTemplate chartTemplate;
    const std::string untouched = chartTemplate.Write();
    const CFileResult status =
        chartTemplate.Read(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!status) {
        if (status.message().empty() || chartTemplate.Write() != untouched) std::abort();
        return 0;
    }
    const std::string written = chartTemplate.Write();
    CChartTemplate again;
    if (!again.Read(written)) std::abort();
    if (again.Write() != written) std::abort();
    return 0;
}
