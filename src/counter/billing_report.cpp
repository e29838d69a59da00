#include "counter/billing_report.h"

#include "counter/call_log.h"
#include "counter/counter_format.h"
#include "platform/code_page.h"
#include "platform/paths.h"
#include "ports/ui_interfaces.h"
#include "storage/config_store.h"

#include <cstdio>

namespace murmex {

namespace {

constexpr const char* kReportFile = "billing.txt";

// Right-aligns in a field of the given width; a longer text is kept whole.
std::string PadLeft(const std::string& text, std::size_t width) {
    return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

} // namespace

std::vector<std::string> BillingReportLines(const CallLog& log) {
    // The fixed texts are plain ASCII; only the currency has a Polish letter, and
    // the file is Windows-1250 like every other file of the program.
    const std::string zl = Utf8ToWin1250("zł");
    std::vector<std::string> lines;
    lines.push_back("Murmex -- Wykaz polaczen z dni od " +
                    FormatLocalTime("%x", log.PeriodStart()) + " do " +
                    FormatLocalTime("%x", log.PeriodEnd()));
    lines.emplace_back();
    lines.emplace_back(59, '-');
    lines.emplace_back("Data i godzina       Czas trwania   Ilosc impulsow   Oplata");
    if (log.HasSelection()) {
        for (int i = log.FirstSelected(); i <= log.LastSelected(); ++i) {
            const CallRecord& r = log.Record(i);
            std::string line = FormatLocalTime("%c", r.start);
            if (line.size() <= 20)
                line.resize(21, ' ');
            line += PadLeft(FormatSpan(r.duration), 12);
            line += "   ";
            line += PadLeft(FormatC("%d", r.impulses), 14);
            line += "   ";
            line += PadLeft(FormatC("%.2f ", r.Cost()) + zl, 6);
            lines.push_back(std::move(line));
        }
    }
    lines.emplace_back();
    lines.emplace_back();
    lines.push_back("Calkowity czas polaczen: " + FormatSpan(log.TotalDuration()));
    lines.push_back("Sumaryczny koszt: " + FormatC("%.2f ", log.TotalCost()) + zl);
    return lines;
}

bool ProduceBillingReport(const CallLog& log, IDesktopShell& shell) {
    const std::string path = CPaths::DataFile(kReportFile);
    // The store appends to whatever the file holds, so an old report goes first.
    std::remove(path.c_str());

    CConfigStore store;
    store.Open("", CConfigStore::WriteFile, kReportFile);
    for (const auto& line : BillingReportLines(log))
        store.WriteLine(line);
    bool written = store.Close();

    shell.OpenDocument(path);
    return written;
}

} // namespace murmex
