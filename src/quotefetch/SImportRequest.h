#pragma once
#include "MetaStockImporter.h"
#include <string>
#include <vector>

// What the import dialog hands the downloader's window: the MetaStock files picked in the
// file dialog and where and how they go (market, suffix, replacing existing days).
struct SImportRequest {
    std::vector<std::string> files;
    SImportOptions options;
};
