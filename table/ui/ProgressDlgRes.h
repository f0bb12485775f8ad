#pragma once
// The progress dialog's resource and control identifiers.
#define IDD_KEST_PROGRESS 8930
#define IDC_PROGRESS_BAR 51
#define IDC_PROGRESS_NUMBER 52
#define IDC_PROGRESS_STATUS 53
