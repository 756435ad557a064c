#pragma once
#include <cstddef>

namespace qv::comm {

// How many leading bytes of a command type's 32-byte payload travel on the
// wire: the bytes the type's layout writes. The receiver restores the rest
// as 0x55, the value the console leaves in bytes a type does not write.
std::size_t CommandLength(int type);

}  // namespace qv::comm
