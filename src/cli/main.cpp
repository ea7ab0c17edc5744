#include "Commands.h"
#include "ctlkit/base/CPrompter.h"
#include "ctlkit/base/CStderrPrompter.h"
#include <cstdio>
#include <cstring>

namespace {
struct Subcommand {
    const char* name;
    CommandFunction run;
    const char* usage;
};

const Subcommand kSubcommands[] = {
    {"quotes", QuotesCommand,
     "quotes (FILE | --market M --ticker T) [--period day|week|month|nday:N] [--max-quotes N] "
     "[--home DIR]"},
    {"indicator", IndicatorCommand,
     "indicator FILE ID [--period day|week|month|nday:N] [--max-quotes N] [--format csv|json]"},
    {"download", DownloadCommand,
     "download --home DIR --ticker T --market M [--full|--redownload|--renew] "
     "[--source yahoo|stooq|alphavantage] [--server URL] "
     "[--timeout MS]"},
    {"update-list", UpdateListCommand,
     "update-list --home DIR --market M [--market M ...] [--server URL] [--file PATH] "
     "[--timeout MS]"},
    {"lookup", LookupCommand, "lookup --home DIR SYMBOL [--market M]"},
    {"chart", ChartCommand,
     "chart dump FILE.cht | chart new --quotes FILE [--period day|week|month|nday:N] [--panes N] "
     "[--add PANE:ID[:insert|replace]]... [--tool PANE:CODE:x1,y1,x2,y2]... --out FILE.cht"},
    {"template", TemplateCommand,
     "template dump FILE | template save --chart FILE.cht --out FILE.tmp | template apply "
     "--chart IN.cht --template T.tmp --out OUT.cht"},
    {"costdist", CostDistCommand,
     "costdist FILE [--period day|week|month|nday:N] [--max-quotes N] --bar I"},
    {"gann", GannCommand, "gann [--rows N] [--start S] [--end E] [--colors]"},
    {"render", RenderCommand,
     "render (FILE.cht | --quotes FILE [--period day|week|month|nday:N] [--panes N] "
     "[--add PANE:ID[:insert|replace]]...) [--tool PANE:CODE:x1,y1,x2,y2]... --out OUT.png "
     "[--size WxH]"},
    {"formula", FormulaCommand,
     "formula check FILE|TEXT | formula eval --quotes FILE [--period day|week|month|nday:N] "
     "[--max-quotes N] (TEXT | --file F)"},
    {"scan", ScanCommand,
     "scan --home DIR --market M (--formula TEXT|--file F | --signal ID) "
     "[--period day|week|month|nday:N] [--bars N] [--format csv|json]"},
};

int Usage() {
    std::fprintf(stderr, "usage: zentristock-cli COMMAND ...\n");
    for (const Subcommand& s : kSubcommands) std::fprintf(stderr, "  %s\n", s.usage);
    return 2;
}
} // namespace

int main(int argc, char** argv) {
    if (argc < 2) return Usage();
    // Messages go to stderr; questions are answered yes, as a script expects.
    CStderrPrompter prompter(true);
    CScopedPrompter scoped(prompter);
    std::vector<std::string> args(argv + 2, argv + argc);
    for (const Subcommand& s : kSubcommands)
        if (std::strcmp(argv[1], s.name) == 0) return s.run(args);
    std::fprintf(stderr, "zentristock-cli: unknown command \"%s\"\n", argv[1]);
    return Usage();
}
