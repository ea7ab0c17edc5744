#pragma once
#include "settings/CInstallPaths.h"
#include <ostream>
#include <string>
#include <vector>

// The import without a window: `words` is the command line after the program name, without
// "--home DIR", starting with "--import":
//   --import FILE... --market M [--suffix] [--replace]
// The files go into the market folder M of the installation's data folder; --suffix adds
// the ticker suffix of M from Index/market.txt, --replace lets an imported day replace the
// quote file's line of that day.
//
// Messages go to `err`. Each file imported or refused gives one line on `out`:
//   file,result,added,replaced,kept,skipped,bad_lines
// with result one of imported, cannot-open, empty, unknown-format, no-data, not-written
// (ImportFileResultName) and the day counts summed over the file's quote files.
//
// Exit status: 0 when every file was imported, 1 when some file was not, 3 for bad options
// or setup (no file, no market, a market or suffix that cannot be a name, too many files).
int RunHeadlessImport(const CInstallPaths& paths, const std::vector<std::string>& words,
                      std::ostream& out, std::ostream& err);

// The same on stdout and stderr.
int RunHeadlessImport(const CInstallPaths& paths, const std::vector<std::string>& words);
