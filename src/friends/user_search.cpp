#include "friends/user_search.h"

#include "friends/user_search_dlg.h"
#include "friends/user_search_results_dlg.h"
#include "model/data_manager.h"

namespace murmex {

void RunUserSearch(const SUserSearchServices& s) {
    for (;;) {
        // Kept until the results close: it finishes saving the found users
        // while they are shown.
        CUserSearchDlg criteria(s.data, s.messageBox, s.openHelp, s.parent);
        if (s.place)
            s.place(&criteria);
        if (criteria.exec() != QDialog::Accepted)
            return;
        CUserSearchResultsDlg results(s.data, s.data.SearchResultQids(), s.openDetails, s.parent);
        if (s.place)
            s.place(&results);
        if (results.exec() != CUserSearchResultsDlg::kNewSearch)
            return;
    }
}

} // namespace murmex
