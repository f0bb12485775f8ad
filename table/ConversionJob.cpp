#include "table/ConversionJob.h"

#include "table/ConversionMessages.h"
#include "table/ConvertingTableParser.h"
#include "table/TableConverter.h"

namespace {

// The converter knows the progress interface only while it converts.
class ConverterProgress
{
public:
    ConverterProgress(TableConverter& converter, ProgressInterface* progress) : converter_(converter)
    {
        converter_.SetProgress(progress);
    }
    ConverterProgress(const ConverterProgress&) = delete;
    ConverterProgress& operator=(const ConverterProgress&) = delete;
    ~ConverterProgress() { converter_.SetProgress(nullptr); }

private:
    TableConverter& converter_;
};

} // namespace

bool ConversionJob::RunJob(TableConverter& converter, ProgressInterface* progress)
{
    std::unique_ptr<ConvertingTableParser> parser = CreateParser();
    if (!parser) {
        converter.SetError(ConversionMessages::PagesUnavailable, false);
        return false;
    }
    parser->SetLayout(layout_);
    ConverterProgress scope(converter, progress);
    return converter.Convert(*parser, pages_, target_, outputFileName_, perPageDetection_);
}
