#include "CFormula.h"
#include "FormulaFunctions.h"
#include "series/Conditions.h"
#include "series/CurveMaking.h"
#include "series/Operators.h"
#include "series/Sources.h"

namespace {

using FormulaFunctions::Constant;

CurvePtr Open(const CBarColumns& q) {
    CurvePtr y = Series::NewCurve(0);
    y->name = "O";
    y->parameter.clear();
    y->values = q.Open();
    return y;
}

CurvePtr Field(EFormulaField field, const CBarColumns& q) {
    switch (field) {
    case EFormulaField::Close: return Series::C(q);
    case EFormulaField::High: return Series::H(q);
    case EFormulaField::Low: return Series::L(q);
    case EFormulaField::Open: return Open(q);
    case EFormulaField::Volume: return Series::V(q);
    }
    return Series::C(q);
}

CurvePtr Not(CurvePtr x) {
    CurvePtr y = Series::NewCurve(x->size());
    y->name = "NOT(" + x->name + ")";
    y->parameter = x->parameter;
    for (float v : x->values) y->values.push_back(v == 0.0f ? 1.0f : 0.0f);
    return y;
}

class Evaluation {
public:
    Evaluation(const CBarColumns& quotes, std::vector<CurvePtr>& done)
        : m_quotes(quotes), m_done(done) {}

    CurvePtr Of(const SFormulaNode& node) const {
        switch (node.kind) {
        case EFormulaNode::Number: return Constant(m_quotes.size(), node.number);
        case EFormulaNode::Field: return Field(EFormulaField(node.index), m_quotes);
        case EFormulaNode::Output: {
            CurvePtr& earlier = m_done[std::size_t(node.index)];
            return node.takes ? std::move(earlier) : Series::Copy(*earlier);
        }
        case EFormulaNode::Call: return Call(node);
        case EFormulaNode::Negate: return Series::MulK(Of(*node.args[0]), -1.0f);
        case EFormulaNode::Not: return Not(Of(*node.args[0]));
        case EFormulaNode::Binary: return Binary(node);
        }
        return Constant(m_quotes.size(), kInvalid);
    }

private:
    CurvePtr Call(const SFormulaNode& node) const {
        std::vector<SFormulaArgument> args(node.args.size());
        for (std::size_t i = 0; i < args.size(); ++i) {
            const SFormulaNode& arg = *node.args[i];
            if (arg.kind == EFormulaNode::Number)
                args[i].number = arg.number;
            else
                args[i].series = Of(arg);
        }
        return FormulaFunctions::Table()[std::size_t(node.index)].evaluate(args, m_quotes);
    }

    // A constant side goes to the library's constant form where it has one, so that the
    // values are those of the built-in compositions.
    CurvePtr Binary(const SFormulaNode& node) const {
        const SFormulaNode& l = *node.args[0];
        const SFormulaNode& r = *node.args[1];
        const bool lk = l.kind == EFormulaNode::Number, rk = r.kind == EFormulaNode::Number;
        switch (node.op) {
        case EFormulaToken::Plus:
            if (lk) return Series::AddK(Of(r), l.number);
            if (rk) return Series::AddK(Of(l), r.number);
            return Pair(node, Series::Add);
        case EFormulaToken::Minus:
            if (lk) return Series::KSub(l.number, Of(r));
            if (rk) return Series::AddK(Of(l), -r.number);
            return Pair(node, Series::Sub);
        case EFormulaToken::Star:
            if (lk) return Series::MulK(Of(r), l.number);
            if (rk) return Series::MulK(Of(l), r.number);
            return Pair(node, Series::Mul);
        case EFormulaToken::Slash:
            if (lk) return Series::KDiv(l.number, Of(r));
            // DivK would divide by 1.0e-7 instead of zero: a formula's x/0 is invalid.
            if (rk && r.number != 0.0f) return Series::DivK(Of(l), r.number);
            return Pair(node, Series::Div);
        case EFormulaToken::Greater: return Pair(node, Series::Greater);
        case EFormulaToken::GreaterEqual: return Pair(node, Series::GreaterEqual);
        case EFormulaToken::Less: return Pair(node, Series::Less);
        case EFormulaToken::LessEqual: {
            CurvePtr a = Of(l);
            return Series::GreaterEqual(Of(r), std::move(a));
        }
        case EFormulaToken::Equal: return Pair(node, Series::Equal);
        case EFormulaToken::NotEqual: return Not(Pair(node, Series::Equal));
        case EFormulaToken::Name:
            if (node.index == 0)
                return Pair(node, [](CurvePtr a, CurvePtr b) {
                    return Series::Pairwise(std::move(a), std::move(b), " AND ",
                                            [](float p, float q) {
                                                return p != 0.0f && q != 0.0f ? 1.0f : 0.0f;
                                            });
                });
            return Pair(node, [](CurvePtr a, CurvePtr b) {
                return Series::Pairwise(std::move(a), std::move(b), " OR ", [](float p, float q) {
                    return p != 0.0f || q != 0.0f ? 1.0f : 0.0f;
                });
            });
        default: break;
        }
        return Constant(m_quotes.size(), kInvalid);
    }

    template <class F> CurvePtr Pair(const SFormulaNode& node, F f) const {
        CurvePtr a = Of(*node.args[0]);
        return f(std::move(a), Of(*node.args[1]));
    }

    const CBarColumns& m_quotes;
    std::vector<CurvePtr>& m_done;
};

} // namespace

std::vector<std::string> CFormula::OutputNames() const {
    std::vector<std::string> names;
    for (const SStatement& s : m_statements)
        if (s.shown) names.push_back(s.name);
    return names;
}

std::vector<SFormulaOutput> CFormula::Evaluate(const CBarColumns& quotes) const {
    std::vector<CurvePtr> done;
    done.reserve(m_statements.size());
    for (const SStatement& s : m_statements)
        done.push_back(Evaluation(quotes, done).Of(*s.expression));
    std::vector<SFormulaOutput> outputs;
    for (std::size_t i = 0; i < m_statements.size(); ++i) {
        if (!m_statements[i].shown) continue;
        done[i]->name = m_statements[i].name;
        outputs.push_back({m_statements[i].name, std::move(done[i])});
    }
    return outputs;
}
