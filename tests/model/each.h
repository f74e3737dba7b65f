#pragma once
// Runs one rule over a list of inputs and joins what it gives with "|", so a
// table of cases and their results can be compared at once and reads on a line.

#include <initializer_list>
#include <iomanip>
#include <sstream>
#include <string>

namespace zt {

template <class In, class Rule>
std::string Each(std::initializer_list<In> inputs, Rule rule) {
    std::ostringstream out;
    out << std::boolalpha << std::setprecision(15);
    bool first = true;
    for (const In& in : inputs) {
        if (!first) out << "|";
        first = false;
        out << rule(in);
    }
    return out.str();
}

}  // namespace zt
