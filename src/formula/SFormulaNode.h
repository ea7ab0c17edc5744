#pragma once
#include "SFormulaToken.h"
#include <memory>
#include <vector>

enum class EFormulaNode {
    Number, // a constant, folded where all of a subtree is constant
    Field,  // a quote field: index is an EFormulaField
    Output, // an earlier named output: index is its place
    Call,   // a series function: index is its place in the function table
    Binary, // op between args[0] and args[1]
    Negate,
    Not,
};

enum class EFormulaField { Close, High, Low, Open, Volume };

// One node of a parsed formula. The parser bounds the height of every tree.
struct SFormulaNode {
    EFormulaNode kind = EFormulaNode::Number;
    float number = 0.0f;
    int index = 0;
    EFormulaToken op = EFormulaToken::End;
    int height = 1;
    // An Output node that is the last reader of a hidden output takes its curve, uncopied.
    bool takes = false;
    std::vector<std::unique_ptr<SFormulaNode>> args;
};

using FormulaNodePtr = std::unique_ptr<SFormulaNode>;
