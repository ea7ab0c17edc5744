#include "FiboLevels.h"
#include "ToolFields.h"
#include "formset/NumberText.h"

namespace FiboLevels {

std::vector<SLevel> Defaults() {
    return CFiboRetrace().levels;
}

std::vector<SRow> RowsOf(const std::vector<SLevel>& levels) {
    std::vector<SRow> rows;
    for (const SLevel& level : levels)
        rows.push_back({FormatNumber(level.ratio), level.shown != 0});
    return rows;
}

std::optional<SFieldError> Read(unsigned id, std::string_view field, const std::vector<SRow>& rows,
                                std::string_view localeDecimal, std::vector<SLevel>& levels) {
    std::vector<SLevel> read;
    for (size_t i = 0; i < rows.size(); ++i) {
        SLevel level;
        level.shown = rows[i].shown ? 1 : 0;
        const std::string name = std::string(field) + " " + std::to_string(i + 1);
        if (auto error = ToolFields::ReadFloatInRange(id, name, rows[i].ratio, localeDecimal,
                                                      kLowestRatio, kHighestRatio,
                                                      ToolFields::EBounds::Inclusive, level.ratio))
            return error;
        read.push_back(level);
    }
    levels = std::move(read);
    return std::nullopt;
}

} // namespace FiboLevels
