// Names for the rows of table-driven tests: each row struct has a `const char* label`.
#pragma once

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace kirafu::test {

// Names each row of a parameterised test by its label.
struct RowName {
    template <class Row>
    std::string operator()(const ::testing::TestParamInfo<Row>& row) const {
        return row.param.label;
    }
};

// Shows a row by its label in test listings, instead of its bytes. Bring it in with
// `using test::PrintTo;` in the namespace of the row structs.
template <class Row>
requires requires(const Row& row) {
    row.label;
}
void PrintTo(const Row& row, std::ostream* out) {
    *out << row.label;
}

}  // namespace kirafu::test
