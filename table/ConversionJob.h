#pragma once
// One conversion as the worker runs it: which pages, which target, which layout. The page
// source is the subclass's: it makes the parser that reads the pages.
#include <memory>
#include <string>

#include "table/ConversionTarget.h"
#include "table/PageRangeList.h"
#include "table/ProgressThread.h"

class ConvertingTableLayout;
class ConvertingTableParser;

class ConversionJob : public ProgressThread
{
public:
    ConversionTarget GetTarget() const { return m_target; }
    void SetTarget(ConversionTarget target) { m_target = target; }
    const std::wstring& GetOutputFileName() const { return m_outputFileName; }
    void SetOutputFileName(const std::wstring& name) { m_outputFileName = name; }
    bool GetPerPageDetection() const { return m_perPageDetection; }
    void SetPerPageDetection(bool on) { m_perPageDetection = on; }
    // The layout the conversion reads (borrowed); the conversion never changes it.
    ConvertingTableLayout* GetLayout() const { return m_layout; }
    void SetLayout(ConvertingTableLayout* layout) { m_layout = layout; }
    const PageRangeList& GetPages() const { return m_pages; }
    void SetPages(const PageRangeList& pages) { m_pages = pages; }

protected:
    bool RunJob(TableConverter& converter, ProgressInterface* progress) override;
    virtual std::unique_ptr<ConvertingTableParser> CreateParser() = 0;

private:
    ConversionTarget m_target = TargetClipboardText;
    std::wstring m_outputFileName;
    bool m_perPageDetection = true;
    ConvertingTableLayout* m_layout = nullptr;
    PageRangeList m_pages;
};
