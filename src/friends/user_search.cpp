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
        // The results' window is made, styled and laid out while the user
        // fills in the form: only the rows are left for after "Szukaj >>".
        CUserSearchResultsDlg results(s.data, {}, s.openDetails, s.parent);
        results.Prepare();
        if (s.place)
            s.place(&criteria);
        if (criteria.exec() != QDialog::Accepted)
            return;
        results.Fill(s.data.SearchResultQids());
        if (s.place)
            s.place(&results);
        if (results.exec() != CUserSearchResultsDlg::kNewSearch)
            return;
    }
}

} // namespace murmex
