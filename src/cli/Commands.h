#pragma once
#include <string>
#include <vector>

// One subcommand of zentristock-cli: takes the words after its name, prints its result on
// stdout and its messages on stderr, and returns the process exit status.
using CommandFunction = int (*)(const std::vector<std::string>& args);

int QuotesCommand(const std::vector<std::string>& args);
int IndicatorCommand(const std::vector<std::string>& args);
int DownloadCommand(const std::vector<std::string>& args);
int UpdateListCommand(const std::vector<std::string>& args);
int LookupCommand(const std::vector<std::string>& args);
int ChartCommand(const std::vector<std::string>& args);
int TemplateCommand(const std::vector<std::string>& args);
int RenderCommand(const std::vector<std::string>& args);
int CostDistCommand(const std::vector<std::string>& args);
int GannCommand(const std::vector<std::string>& args);
int FormulaCommand(const std::vector<std::string>& args);
int ScanCommand(const std::vector<std::string>& args);

class CStock;
// One "--add PANE:ID[:insert|replace]" of chart new, also taken by render; false with the
// reason in `why`.
bool AddIndicatorOption(CStock& stock, const std::string& option, std::string& why);
// One "--tool PANE:CODE:x1,y1,x2,y2" of chart new, also taken by render.
bool AddToolOption(CStock& stock, const std::string& option, std::string& why);
