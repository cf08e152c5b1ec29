// Runs a piece of work in a child process whose address space may grow by no more than a
// given number of bytes, so a test can tell what a decoder costs at its worst: an allocation
// past the ceiling fails there even when the memory is never touched, as it would in the
// address space of a 32-bit program.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

namespace testmem {

// What work returned, "threw: <what>" for an exception, or how the child ended otherwise.
std::string withinAddressSpace(size_t extraBytes, const std::function<std::string()>& work);

}  // namespace testmem
