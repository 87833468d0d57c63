// File masks: compiling a mask text into steps and matching names against them.
#include "search/Masks.h"

#include "platform/Error.h"

#include <array>

namespace korva {
namespace {

// Upper-casing maps only "a" to "z"; codes above 127 have no case here.
constexpr unsigned char Upper(unsigned char c) { return c >= 'a' && c <= 'z' ? c - ('a' - 'A') : c; }

constexpr std::array<unsigned char, 256> kUpper = [] {
    std::array<unsigned char, 256> table{};
    for (unsigned c = 0; c < 256; ++c)
        table[c] = Upper(static_cast<unsigned char>(c));
    return table;
}();

[[noreturn]] void InvalidMask(std::string_view mask, std::size_t position) {
    throw Error("'" + std::string(mask) + "' is an invalid mask at (" + std::to_string(position) + ")");
}

// Reads the set that starts at the "[" at index i into step; returns the index of its closing "]".
std::size_t ReadSet(std::string_view mask, std::size_t i, TMaskStep& step) {
    const std::size_t n = mask.size();
    step.Kind = mkSet;
    ++i;
    if (i < n && mask[i] == '!') {
        step.Invert = true;
        ++i;
    }
    int last = -1; // the last single member; a range runs from it
    while (i < n && mask[i] != ']') {
        if (mask[i] == '-') {
            if (last < 0)
                InvalidMask(mask, i + 1);
            if (++i == n)
                InvalidMask(mask, n + 1);
            // The character after "-" is always the upper end, "]" included. The lower end stays,
            // so "[a-c-e]" runs from A to E.
            const unsigned upper = kUpper[static_cast<unsigned char>(mask[i])];
            for (unsigned c = static_cast<unsigned>(last); c <= upper; ++c)
                step.Chars.Add(static_cast<unsigned char>(c));
        } else {
            last = kUpper[static_cast<unsigned char>(mask[i])];
            step.Chars.Add(static_cast<unsigned char>(last));
        }
        ++i;
    }
    if (i == n)
        InvalidMask(mask, n + 1);
    if (last < 0)
        InvalidMask(mask, i + 1);
    return i;
}

// One walk over the mask text. Stores the steps in out when it is given, and returns their number,
// so the same walk first sizes the step array and then fills it.
std::int32_t CompileSteps(std::string_view mask, TMaskStep* out) {
    std::int32_t count = 0;
    int floatingCount = 0;
    bool pendingFloat = false;
    // position: where the step is complete, for the error of a step too many (counted from 1)
    auto emit = [&](TMaskStep step, std::size_t position) {
        step.Floating = pendingFloat;
        if (pendingFloat && floatingCount++ == TMask::kMaxFloating)
            InvalidMask(mask, position);
        pendingFloat = false;
        if (out)
            out[count] = step;
        ++count;
    };

    for (std::size_t i = 0; i < mask.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(mask[i]);
        TMaskStep step;
        switch (c) {
        case '*':
            pendingFloat = true;
            break;
        case '?':
            // After "*" a "?" adds nothing that the floating step does not already cover.
            if (!pendingFloat) {
                step.Kind = mkAny;
                emit(step, i + 1);
            }
            break;
        case '[':
            i = ReadSet(mask, i, step);
            emit(step, i + 1);
            break;
        default:
            step.Kind = mkChar;
            step.Ch = kUpper[c];
            emit(step, i + 1);
            break;
        }
    }
    emit(TMaskStep{}, mask.size() + 1); // the end step: mkChar with Ch 0
    return count;
}

inline bool Accepts(const TMaskStep& step, unsigned char c) {
    switch (step.Kind) {
    case mkChar: return kUpper[c] == step.Ch;
    case mkAny: return true;
    case mkSet: return step.Chars.Has(kUpper[c]) != step.Invert;
    }
    return false;
}

} // namespace

TMask::TMask(std::string_view mask) {
    FStepCount = CompileSteps(mask, nullptr); // throws before anything is allocated
    FSteps = std::make_unique<TMaskStep[]>(static_cast<std::size_t>(FStepCount));
    CompileSteps(mask, FSteps.get());
}

bool TMask::MatchName(std::string_view name) const {
    const auto* text = reinterpret_cast<const unsigned char*>(name.data());
    const std::size_t length = name.size();
    const TMaskStep* const steps = FSteps.get();
    if (FStepCount == 0)
        return false; // only a mask that was moved from has no steps
    const std::int32_t endStep = FStepCount - 1;

    struct RetryPoint {
        std::size_t Pos;
        std::int32_t Step;
    };
    RetryPoint retries[kMaxFloating];
    int depth = 0;

    std::size_t p = 0;
    std::int32_t s = 0;
    for (;;) {
        // One attempt from name position p and step s.
        bool failed = false;
        for (; s < endStep; ++s) {
            const TMaskStep& step = steps[s];
            if (step.Floating) {
                // Every retry point still held belongs to an earlier step. Retrying there only moves
                // the fixed-length run of steps up to this one further right, so this step would be
                // reached later than now, where its own retry points already cover every later start.
                // Dropping them loses no match and keeps the search linear in the name for each step;
                // kept, a mask like "*a*a*a*a*b" tries a number of ways that grows exponentially.
                depth = 0;
                while (p < length && !Accepts(step, text[p]))
                    ++p;
                if (p == length) {
                    failed = true;
                    break;
                }
                retries[depth++] = {p + 1, s};
            } else if (p == length || !Accepts(step, text[p])) {
                failed = true;
                break;
            }
            ++p;
        }
        // The end step is met at the end of the name only; floating, it skips whatever is left.
        if (!failed && (steps[endStep].Floating || p == length))
            return true;
        if (depth == 0)
            return false;
        const RetryPoint retry = retries[--depth];
        p = retry.Pos;
        s = retry.Step;
    }
}

void ParseMaskList(TMaskList& list, std::string_view text) {
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = text.find(',', start);
        const std::size_t end = comma == std::string_view::npos ? text.size() : comma;
        std::string_view entry = text.substr(start, end - start);
        while (!entry.empty() && entry.front() == ' ')
            entry.remove_prefix(1);
        while (!entry.empty() && entry.back() == ' ')
            entry.remove_suffix(1);
        if (!entry.empty())
            list.emplace_back(entry);
        if (comma == std::string_view::npos)
            return;
        start = comma + 1;
    }
}

bool MatchesAnyMask(const TMaskList& list, std::string_view name) {
    for (const TMultiMask& entry : list)
        if (entry.FMask.MatchName(name))
            return true;
    return false;
}

} // namespace korva
