#pragma once
#include <string>
#include <vector>

// Where an import tells what it does, one text line at a time: the import dialog shows the
// lines in its log, the headless mode writes them to stderr, tests keep them.
class CImportLog {
public:
    virtual ~CImportLog() = default;
    virtual void Line(const std::string& text) = 0;
};

// Keeps every line, for tests and for callers that show them later.
class CRecordingImportLog : public CImportLog {
public:
    void Line(const std::string& text) override { lines.push_back(text); }
    std::vector<std::string> lines;
};
