#pragma once

// The version of this build. Defined in a source file CMake writes when the
// build is configured, so a new commit recompiles that one file only.
namespace murmex {

// The release number alone (as package managers compare it).
const char* MurmexReleaseVersion();
// What --version and the about box show: the release number, and the commit
// it was built from when built from a clone.
const char* MurmexVersion();

} // namespace murmex
