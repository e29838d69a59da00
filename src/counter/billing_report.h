#pragma once

#include <string>
#include <vector>

namespace murmex {

class CallLog;
class IDesktopShell;

// The billing report of the log's current selection: its lines in Windows-1250,
// without line ends (every line is written followed by CR LF).
std::vector<std::string> BillingReportLines(const CallLog& log);

// Replaces billing.txt in the data directory with the report of the current
// selection and asks the desktop to open it. The desktop is asked even when the
// file could not be written, and its answer is not reported; the result says
// whether the report was written.
bool ProduceBillingReport(const CallLog& log, IDesktopShell& shell);

} // namespace murmex
