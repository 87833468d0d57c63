// A plain reading of compiled mask steps, for checking the matcher: a floating step may start at any
// later position, every other step at the position at hand, and the end step is met only at the end
// of the name (anywhere after it when floating). Worked out table-wise from the last step back, so
// it takes steps x name length on any input.
#pragma once

#include "search/Masks.h"

#include <string_view>
#include <vector>

namespace korva::testing {

inline bool ReferenceMatch(const TMask& mask, std::string_view name) {
    const auto upper = [](unsigned char c) -> unsigned char { return c >= 'a' && c <= 'z' ? c - 32 : c; };
    const auto accepts = [&](const TMaskStep& step, std::size_t p) {
        if (p >= name.size())
            return false;
        const unsigned char c = upper(static_cast<unsigned char>(name[p]));
        switch (step.Kind) {
        case mkChar: return c == step.Ch;
        case mkAny: return true;
        case mkSet: return step.Chars.Has(c) != step.Invert;
        }
        return false;
    };
    const std::size_t n = name.size();
    const int last = mask.StepCount() - 1;
    // after[p]: the steps after the current one match the name from position p on.
    std::vector<char> after(n + 1), here(n + 1);
    for (std::size_t p = 0; p <= n; ++p)
        after[p] = mask.Steps()[last].Floating || p == n;
    for (int s = last - 1; s >= 0; --s) {
        const TMaskStep& step = mask.Steps()[s];
        bool later = false; // some start at or after p works, for a floating step
        for (std::size_t p = n + 1; p-- > 0;) {
            const bool now = accepts(step, p) && after[p + 1];
            later = later || now;
            here[p] = step.Floating ? later : now;
        }
        after.swap(here);
    }
    return after[0];
}

} // namespace korva::testing
