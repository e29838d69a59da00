#include "channel_windows/channel_search.h"

#include "channel_windows/channel_search_dlg.h"
#include "channel_windows/channel_search_results_dlg.h"
#include "model/channel_list.h"

#include <vector>

namespace murmex {

void RunChannelSearch(const SChannelSearchServices& s) {
    for (;;) {
        std::vector<int> found;
        {
            CChannelSearchDlg criteria(s.channels, s.messageBox, s.openHelp, s.parent);
            if (s.place)
                s.place(&criteria);
            if (criteria.exec() != QDialog::Accepted)
                return;
            // Taken now: a search from another window must not change the rows.
            const int count = s.channels.SearchResultCount();
            for (int i = 0; i < count; ++i)
                found.push_back(s.channels.SearchResultId(i));
        }
        CChannelSearchResultsDlg results(s.channels, found, s.openInfo, s.parent);
        if (s.place)
            s.place(&results);
        if (results.exec() != CChannelSearchResultsDlg::kNewSearch)
            return;
    }
}

} // namespace murmex
