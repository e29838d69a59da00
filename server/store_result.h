#pragma once

namespace murmex {

// The outcome of one database operation, for the command handler to map onto
// a response code.
enum class EStore { Ok, NotFound, Exists, Failed };

} // namespace murmex
