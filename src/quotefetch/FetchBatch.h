#pragma once
#include <cstdio>
#include <string>
#include <vector>

// Exit statuses of the downloader's headless modes.
inline constexpr int kBatchAllDone = 0;        // every record done or had nothing new
inline constexpr int kBatchSomeFailed = 1;     // a record failed: not a quote list, or unwritable
inline constexpr int kBatchConnectionLost = 2; // a connection failure stopped the run
inline constexpr int kBatchBadSetup = 3;       // bad options or setup
inline constexpr int kBatchAlreadyRunning = 4; // another run holds the installation

// `quotefetch --batch [--home DIR] [--selection FILE] [--server URL] [--max-failures N]`
// (`words` without the program name): runs the saved selection once, without any window.
// One line per record on `out`, "symbol,market,result,new_days"; messages on `err`.
// --home defaults to the program folder, --selection to its System/downloader.dat, --server
// to setup.ini's quote service; after N failed records the run stops as on Stop.
int RunFetchBatch(const std::vector<std::string>& words, std::FILE* out, std::FILE* err);

// The usage text of the program.
const char* FetchUsage();
