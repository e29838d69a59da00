#pragma once

namespace murmex {

class CDatabase;

// The database layout version this program writes. A file with a newer
// version is refused rather than half understood.
constexpr int kSchemaVersion = 2;

// Creates the tables of a new database and migrates an older one; leaves an
// up-to-date one alone.
bool EnsureSchema(CDatabase& db);

} // namespace murmex
