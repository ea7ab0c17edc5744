#pragma once
#include "CInstallPaths.h"
#include "ctlkit/base/CIniReader.h"
#include <string>

// The folder of the quote files, one sub-folder per market, shared by the chart program and
// the downloader. Both keys are written together; the program reads
// [DATA_DIRECTORY] "DataDirectory", which a downloader-only setup.ini may lack, so
// [ENVIORMENT] "DATA_DIRECTORY" is read when it is empty.

// With a trailing "/": the stored folder (a relative one is taken from the program folder),
// else the program folder's "Data/". Read from the file each time: a change made by the
// settings dialog or the other program applies to the next quote file opened.
std::string DataFolderOf(const CInstallPaths& paths, CIniReader& ini);

// The folder that `stored` stands for, formed as DataFolderOf forms the stored value: what a
// folder typed by the user will mean once it is written.
std::string DataFolderFrom(const CInstallPaths& paths, const std::string& stored);

// The stored value as the user typed it; empty when none is stored.
std::string StoredDataFolder(CIniReader& ini);

// Empty when `folder` can hold quote files: it exists or is made now, and a file can be
// created in it and removed again. Else the reason, naming the folder. A relative `folder`
// is taken from the working folder: check DataFolderFrom(paths, typed), not the typed text.
std::string DataFolderProblem(const std::string& folder);

// Stores `folder` ("" = the program folder's "Data/") in both keys in one locked write each;
// false when a write failed. Quote files already kept are not moved.
bool WriteDataFolder(CIniReader& ini, const std::string& folder);
