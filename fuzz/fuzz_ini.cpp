// libFuzzer target: the input is an INI file. Every read operation of CIniReader runs over
// it, then writes (a new key, an existing key, a font and a curve setting) and a second round
// of reads over the rewritten file. Anything must be survived, and a key just written must
// read back.
#include "ctlkit/base/AtomicFile.h"
#include "ctlkit/base/CIniReader.h"
#include "ctlkit/base/IniFile.h"
#include <cstdint>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {
// A folder of its own under $TMPDIR (default /tmp); a tmpfs such as /dev/shm makes the
// flushes of the atomic writes cheap and the run much faster.
std::string TempFolder() {
    static std::string folder = [] {
        const char* base = std::getenv("TMPDIR");
        std::string tmpl = std::string(base && *base ? base : "/tmp") + "/fuzz_ini.XXXXXX";
        const char* made = ::mkdtemp(tmpl.data());
        if (!made) std::abort();
        return std::string(made);
    }();
    return folder;
}

void ReadEverything(CIniReader& ini, const std::string& section, const std::string& key) {
    (void)ini.getKeyValue(key, section);
    (void)ini.getKeyValueNum(key, section);
    (void)ini.getKeyValueBool(key, section);
    (void)ini.getColor(key, section);
    (void)ini.KeyExists(key, section);
    (void)ini.sectionExists(section);
    const std::vector<std::string>* names = ini.getSectionNames();
    // Strings and their NULs never take more than 1999 of the 2000 characters.
    size_t total = 0;
    for (const std::string& name : *names) total += name.size() + 1;
    if (total > 1999) std::abort();
    std::vector<std::string> copy = *names;
    for (const std::string& name : copy) {
        total = 0;
        for (const std::string& line : *ini.getSectionData(name)) total += line.size() + 1;
        if (total > 1999) std::abort();
    }
    (void)ini.GetAxisFont(section);
    (void)ini.GetCurveSetting(section);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = TempFolder() + "/setup.ini";
    std::string text(reinterpret_cast<const char*>(data), size);
    if (!WriteFileAtomically(path, text)) std::abort();

    CIniReader ini(path);
    // Take a section and a key name from the input itself, so that existing names are hit.
    std::string section = "Section", key = "Key";
    const std::vector<std::string>* names = ini.getSectionNames();
    if (!names->empty()) {
        section = names->front();
        const std::vector<std::string>* lines = ini.getSectionData(section);
        if (!lines->empty()) key = lines->front().substr(0, lines->front().find('='));
    }
    ReadEverything(ini, section, key);

    // A new key in a fixed section must read back.
    if (ini.setKey("fuzz value", "FuzzKey", "FUZZ_SECTION") != 1) std::abort();
    if (ini.getKeyValue("fuzzkey", "fuzz_section") != "fuzz value") std::abort();
    (void)ini.setKeyNum(-123, key, section);
    LOGFONT font{};
    font.lfHeight = 12;
    (void)ini.SetAxisFont(font, section);
    (void)ini.SetCurveSetting(SCurveSetting{}, section);
    ReadEverything(ini, section, key);
    // Unless the writes above went to that same section (the input named it first), the key
    // written at the start is still there.
    if (!IniNamesEqual(section, "FUZZ_SECTION") &&
        ini.getKeyValue("fuzzkey", "fuzz_section") != "fuzz value")
        std::abort();
    return 0;
}
