#pragma once
#include "chart/CChartTemplate.h"
#include "quotes/CStock.h"
#include <string>

// The JSON forms of a chart file and a template that `chart dump` and `template dump` print
// (docs/chart-json.md). Numbers print with %.9g; non-finite floats as the strings "inf",
// "-inf" and "nan"; reserved blocks and flag bytes as lowercase hex.
std::string ChartJson(CStock& stock);
std::string TemplateJson(const CChartTemplate& chartTemplate);
