#pragma once

namespace murmex {

class CDatabase;

// The database layout version this program writes. A file with a newer
// version is refused rather than half understood.
constexpr int kSchemaVersion = 1;

// Creates the tables of a new file; leaves an up-to-date file alone.
bool EnsureSchema(CDatabase& db);

} // namespace murmex
