#pragma once

#include "site/site_refresh.h"

#include <string>

namespace vendaxo {

// What the site check and refresh say, in the same words wherever they are
// shown: the command line prints them and the page window's list shows them.

// "PAGE:LINE", the page under the name it was checked as.
std::string placeName(const SiteReport& report, FormPlace place);

// "3 pages, 5 forms: 1 stale-checkout, 2 stale-common, 0 other-merchant,
// 0 sku-conflict, 0 damaged", then "; 1 could not be read" when so.
std::string siteSummary(const SiteReport& report);

// "PAGE:LINE: refreshed FORM: details", "would refresh" in a dry run, or
// "left alone FORM: why".
std::string formRefreshLine(const SiteReport& check, const FormRefresh& form, RefreshMode mode);

// "7 forms refreshed on 3 pages, 2 left alone", and "; nothing was written"
// after a dry run.
std::string refreshSummary(const RefreshReport& refresh, RefreshMode mode);

} // namespace vendaxo
