#pragma once
// The settings sheet's three pages. Each edits the same working copy of the options; nothing
// reaches the application's options before OK has passed on every page.
#include <string>

#include "app/ConvertingOptions.h"
#include "framework/Afx.h"

class CSettingsConversionPage : public CPropertyPage
{
public:
    explicit CSettingsConversionPage(ConvertingOptions& options);

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    ConvertingOptions& m_options;
};

class CSettingsOutputPage : public CPropertyPage
{
public:
    explicit CSettingsOutputPage(ConvertingOptions& options);

    // Tries the four formats on Excel in the order currency, date, time, number; the edit of the
    // first one Excel refuses, or 0 when it takes them all or cannot be started.
    using FormatTest = UINT (*)(HWND page);
    FormatTest m_testFormats;
    static UINT TestFormatsOnExcel(HWND page);

protected:
    BOOL OnInitDialog() override;
    BOOL OnKillActive() override;
    void OnOK() override;

private:
    ConvertingOptions& m_options;
};

class CSettingsDisplayPage : public CPropertyPage
{
public:
    explicit CSettingsDisplayPage(ConvertingOptions& options);

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    ConvertingOptions& m_options;
};

// Runs the sheet over the working copy; IDOK when the user confirmed every page.
INT_PTR RunSettingsSheet(ConvertingOptions& working, CWnd* parent,
                         CSettingsOutputPage::FormatTest formatTest = CSettingsOutputPage::TestFormatsOnExcel);
