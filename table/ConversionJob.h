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
    ConversionTarget GetTarget() const { return target_; }
    void SetTarget(ConversionTarget target) { target_ = target; }
    const std::wstring& GetOutputFileName() const { return outputFileName_; }
    void SetOutputFileName(const std::wstring& name) { outputFileName_ = name; }
    bool GetPerPageDetection() const { return perPageDetection_; }
    void SetPerPageDetection(bool on) { perPageDetection_ = on; }
    // The layout the conversion reads (borrowed); the conversion never changes it.
    ConvertingTableLayout* GetLayout() const { return layout_; }
    void SetLayout(ConvertingTableLayout* layout) { layout_ = layout; }
    const PageRangeList& GetPages() const { return pages_; }
    void SetPages(const PageRangeList& pages) { pages_ = pages; }

protected:
    bool RunJob(TableConverter& converter, ProgressInterface* progress) override;
    virtual std::unique_ptr<ConvertingTableParser> CreateParser() = 0;

private:
    ConversionTarget target_ = TargetClipboardText;
    std::wstring outputFileName_;
    bool perPageDetection_ = true;
    ConvertingTableLayout* layout_ = nullptr;
    PageRangeList pages_;
};
