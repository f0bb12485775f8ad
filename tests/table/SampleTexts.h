#pragma once
// What the sample work files of samples/ hold as tables, in the clipboard text form (a TAB after
// every cell, CR LF after every row). Every target's test compares with these.
#include <string>

// samples/table.kest, page 1, with its stored layout.
inline const std::wstring SampleOrderText = L"Item\tDate\tQty\tUnit price\tAmount\t\r\n"
                                            L"Paper A4, 500 sheets\t2024-03-04\t10\t4.99\t49.90\t\r\n"
                                            L"Toner cartridge black\t2024-03-04\t2\t61.50\t123.00\t\r\n"
                                            L"Stapler\t2024-03-05\t1\t12.75\t12.75\t\r\n"
                                            L"Ring binder, blue\t2024-03-06\t12\t2.10\t25.20\t\r\n"
                                            L"Envelopes C5\t2024-03-06\t4\t3.45\t13.80\t\r\n"
                                            L"Desk lamp\t2024-03-07\t1\t34.00\t34.00\t\r\n"
                                            L"Total\t\t\t\t258.65\t\r\n";

// samples/report.kest, page 1, with its stored layout.
inline const std::wstring SampleReportText = L"Quarter\tRevenue\tCosts\tMargin\t\r\n"
                                             L"Q1\t1,204\t987\t217\t\r\n"
                                             L"Q2\t1,377\t1,032\t345\t\r\n"
                                             L"Q3\t1,290\t1,011\t279\t\r\n"
                                             L"Q4\t1,512\t1,104\t408\t\r\n"
                                             L"Year\t5,383\t4,134\t1,249\t\r\n";
