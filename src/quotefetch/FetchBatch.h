#pragma once
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

class CInstallPaths;
class CInstanceLock;

// Exit statuses of the downloader's headless modes.
inline constexpr int kBatchAllDone = 0;        // every record done or had nothing new
inline constexpr int kBatchSomeFailed = 1;     // a record failed: not a quote list, or unwritable
inline constexpr int kBatchConnectionLost = 2; // a connection failure stopped the run
inline constexpr int kBatchBadSetup = 3;       // bad options or setup
inline constexpr int kBatchAlreadyRunning = 4; // another run holds the installation

// `quotefetch --batch [--home DIR] [--selection FILE] [--server URL] [--max-failures N]`
// (`words` without the program name): runs the saved selection once, without any window.
// One line per record on `out`, "symbol,market,result,new_days"; messages on `err`.
// --home defaults to the program folder, --selection to its System/downloader.dat; the quote
// source is setup.ini's [QUOTE_SOURCE] "Source" (SQuoteSourceSettings), --server its address
// (a --server without a chosen source names a table.csv service of the yahoo form); after N
// failed records the run stops as on Stop.
int RunFetchBatch(const std::vector<std::string>& words, std::FILE* out, std::FILE* err);

// `quotefetch [--home DIR] --import FILE... --market M [--suffix] [--replace]`: the import
// without a window (RunHeadlessImport), holding the installation as a batch run does.
int RunImportMode(const std::vector<std::string>& words, std::FILE* err);

// Takes the installation's lock file for this run: kBatchAllDone with `instance` held, else the
// exit status (kBatchBadSetup, kBatchAlreadyRunning) after a message on `err`.
int HoldInstallation(const CInstallPaths& paths, std::unique_ptr<CInstanceLock>& instance,
                     std::FILE* err);

// The usage text of the program.
const char* FetchUsage();
