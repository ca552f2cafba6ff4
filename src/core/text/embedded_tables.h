#pragma once

#include <cstddef>
#include <span>

namespace hw {

// A translation table compiled into the program: the form's name and the
// bytes of resources/lang/<form>.tsv. The build generates the list.
struct EmbeddedTable {
    const char* Form;
    const unsigned char* Data;
    size_t Size;
};

std::span<const EmbeddedTable> EmbeddedTables();

} // namespace hw
