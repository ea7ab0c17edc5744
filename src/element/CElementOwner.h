#pragma once

// What a chart element is attached to (a pane container). Elements only keep a pointer to
// it; the owner outlives every element it holds.
class CElementOwner {
public:
    virtual ~CElementOwner() = default;
};
