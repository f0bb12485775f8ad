#include "table/ConversionJob.h"

#include "table/ConversionMessages.h"
#include "table/ConvertingTableParser.h"
#include "table/TableConverter.h"

namespace {

// The converter knows the progress interface only while it converts.
class ConverterProgress
{
public:
    ConverterProgress(TableConverter& converter, ProgressInterface* progress) : m_converter(converter)
    {
        m_converter.SetProgress(progress);
    }
    ConverterProgress(const ConverterProgress&) = delete;
    ConverterProgress& operator=(const ConverterProgress&) = delete;
    ~ConverterProgress() { m_converter.SetProgress(nullptr); }

private:
    TableConverter& m_converter;
};

} // namespace

bool ConversionJob::RunJob(TableConverter& converter, ProgressInterface* progress)
{
    std::unique_ptr<ConvertingTableParser> parser = CreateParser();
    if (!parser) {
        converter.SetError(ConversionMessages::PagesUnavailable, false);
        return false;
    }
    parser->SetLayout(m_layout);
    ConverterProgress scope(converter, progress);
    return converter.Convert(*parser, m_pages, m_target, m_outputFileName, m_perPageDetection);
}
