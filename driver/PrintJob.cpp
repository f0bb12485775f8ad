#include "driver/PrintJob.h"

#include "pagemodel/CDCPage.h"
#include "pagemodel/Zipper.h"

PrintJob::PrintJob() = default;

PrintJob::~PrintJob()
{
    m_glyphMaps.reset();
    m_currentPage.reset();
    m_pageSet.reset();
    m_zipper.reset();  // closes an open archive
    if (!m_basePath.empty())
        DeleteFileW(TemporaryArchivePath().c_str());
}
