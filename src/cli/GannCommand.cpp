#include "CliArgs.h"
#include "Commands.h"
#include "gann/CGannTable.h"
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

const char kUsage[] = "usage: zentristock-cli gann [--rows N] [--start S] [--end E] [--colors]\n";

int BadUsage(const std::string& message) {
    std::fprintf(stderr, "%s%s\n", kUsage, message.c_str());
    return 2;
}

// A float option; false with an error text when it is given but not a number.
bool FloatOption(const CliArgs& args, const char* name, float& value, std::string& error) {
    auto text = args.Value(name);
    if (!text) return true;
    char* end = nullptr;
    const float parsed = std::strtof(text->c_str(), &end);
    if (text->empty() || *end != '\0') {
        error = std::string("--") + name + " wants a number, not \"" + *text + "\"";
        return false;
    }
    value = parsed;
    return true;
}

char ColourLetter(const CGannTable::SCell& cell) {
    if (!cell.written) return '-';
    switch (cell.background) {
    case CGannTable::kBlue:
        return 'B';
    case CGannTable::kGrey:
        return 'G';
    default:
        return 'W';
    }
}

} // namespace

// Prints the Gann table's cells as tab-separated rows, or their backgrounds with --colors.
// --rows is the settings dialog's "Row(Column):" value: the grid has one row more.
int GannCommand(const std::vector<std::string>& words) {
    CliArgs args(words, {"colors"});
    if (!args.Ok() || !args.Positional().empty()) return BadUsage(args.Error());
    std::string error;
    auto side = args.Number("rows", CGannTable::kMinSide, CGannTable::kMaxSide, error);
    if (!error.empty()) return BadUsage(error);
    CGannTable table;
    float start = table.Start();
    float end = table.End();
    if (!FloatOption(args, "start", start, error) || !FloatOption(args, "end", end, error))
        return BadUsage(error);
    table.Apply(side ? static_cast<int>(*side) : table.Side(), start, end);

    const bool colours = args.Has("colors");
    for (int r = 0; r < table.Rows(); ++r) {
        std::string line;
        for (int c = 0; c < table.Columns(); ++c) {
            const CGannTable::SCell& cell = table.Cell(r, c);
            if (colours) {
                line += ColourLetter(cell);
            } else {
                if (c > 0) line += '\t';
                line += cell.text;
            }
        }
        std::printf("%s\n", line.c_str());
    }
    return 0;
}
