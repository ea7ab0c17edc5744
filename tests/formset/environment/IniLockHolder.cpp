// Not a test: the other program of the lock test. Takes the lock of the INI file named first,
// reads the file, says "locked" on stdout, waits the milliseconds named last, then adds
// [section] key=value to what it read, replaces the file and lets the lock go. A writer that
// did not wait for the lock would lose its keys to this one.
#include "ctlkit/base/AtomicFile.h"
#include "ctlkit/base/IniFile.h"
#include "ctlkit/base/IniFileLock.h"
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

int main(int argc, char** argv) {
    if (argc != 6) {
        std::fprintf(stderr, "usage: ini_lock_holder <ini> <section> <key> <value> <ms>\n");
        return 2;
    }
    const std::string path = argv[1];
    IniFileLock lock(path);
    if (!lock.Locked()) return 3;
    std::string text;
    (void)ReadWholeFile(path, text);
    IniFile ini = IniFile::Parse(text);
    std::printf("locked\n");
    std::fflush(stdout);
    std::this_thread::sleep_for(std::chrono::milliseconds(std::stoi(argv[5])));
    if (!ini.SetValue(argv[2], argv[3], argv[4])) return 4;
    if (!WriteFileAtomically(path, ini.Text())) return 5;
    return 0;
}
