#pragma once
// The options record of the running program, kept in the profile section "Options". The two
// installed flags are found at start-up and never stored.
#include <string>

#include "table/LayoutShell.h"

class CWinApp;

struct ConvertingOptions : LayoutOptions
{
    // Defaults, with the installed flags read from the class keys.
    ConvertingOptions();
    ConvertingOptions(const ConvertingOptions&) = default;
    ConvertingOptions& operator=(const ConvertingOptions&) = default;
    virtual ~ConvertingOptions() = default;

    // Writes every stored field; false at the first write that failed (earlier ones stay).
    virtual bool Save(CWinApp& app) const;
    // Reads every stored field; a missing or damaged value leaves its field as it was.
    virtual bool Load(CWinApp& app);
    // The convert command of the target; 0 for a target that names none.
    uint32_t GetTargetCommand() const;
    virtual void CopyFrom(const ConvertingOptions& source) { *this = source; }

    // Sets the installed flags from the class keys "Excel.Application" and "Word.Application".
    void ReadInstalledApplications();
    static bool IsClassRegistered(const wchar_t* progId);

    static constexpr const wchar_t* Section = L"Options";

    // Ask for the output file's name before converting.
    bool m_askForFilename = false;
};

struct CDCOptions : ConvertingOptions
{
    bool Save(CWinApp& app) const override;
    bool Load(CWinApp& app) override;
    void CopyFrom(const ConvertingOptions& source) override;

    // Further print jobs are appended to the document of the last one.
    bool m_accumulate = false;
};
