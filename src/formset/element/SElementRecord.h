#pragma once
#include "SElementContext.h"
#include <memory>
#include <string>

// What a tool's properties dialog edits: the element's stored record (ElementRecord.h), with
// the chart around it, which the dialog only reads.
struct SElementRecord {
    std::string record;
    std::shared_ptr<const SElementContext> context;
};
