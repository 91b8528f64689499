// Page templates and controls of the property sheet tests (propsheet_test.rc).
#pragma once

#define IDD_PAGE_NAME 2301    // a page with a name field
#define IDD_PAGE_COUNT 2302   // a page with a whole number from 0 to 100
#define IDC_PAGE_NAME 1101
#define IDC_PAGE_COUNT 1102
#define IDS_PAGE_COUNT 2303   // the count page's tab text
