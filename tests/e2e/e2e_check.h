// Checks for the end-to-end drivers that run under Wine: a failed check prints where and
// what and counts; the driver's exit code is the number of failures.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace e2e {

inline int g_failures = 0;

inline std::string Show(const std::string& s) {
    return "\"" + s + "\"";
}
inline std::string Show(const std::vector<std::string>& list) {
    std::string out = "{";
    for (const std::string& s : list) {
        out += (out.size() > 1 ? ", " : "") + Show(s);
    }
    return out + "}";
}
template <typename T>
std::string Show(const T& v) {
    return std::to_string(v);
}

}  // namespace e2e

#define E2E_CHECK(cond)                                                                   \
    do {                                                                                  \
        if (!(cond)) {                                                                    \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #cond); \
            ++e2e::g_failures;                                                            \
        }                                                                                 \
    } while (0)

#define E2E_CHECK_EQ(a, b)                                                                       \
    do {                                                                                         \
        const auto& e2e_a = (a);                                                                 \
        const auto& e2e_b = (b);                                                                 \
        if (!(e2e_a == e2e_b)) {                                                                 \
            std::fprintf(                                                                        \
                stderr, "%s:%d: check failed: %s == %s\n  got:      %s\n  expected: %s\n",       \
                __FILE__, __LINE__, #a, #b, e2e::Show(e2e_a).c_str(), e2e::Show(e2e_b).c_str()); \
            ++e2e::g_failures;                                                                   \
        }                                                                                        \
    } while (0)
