#pragma once

namespace murmex {

class CConfigStore;

// A record kept as one line of a configuration section.
class CStorable {
public:
    virtual ~CStorable() = default;
    // Reads the next line of the section; false when the section has no more lines.
    virtual bool ReadFrom(CConfigStore& store) = 0;
    // Writes this record as one line.
    virtual void WriteTo(CConfigStore& store) const = 0;
};

} // namespace murmex
