#include "driver/PrintJob.h"

#include "pagemodel/CDCPage.h"
#include "pagemodel/Zipper.h"

PrintJob::PrintJob() = default;

PrintJob::~PrintJob()
{
    glyphMaps.reset();
    currentPage = nullptr;
    pageSet.reset();
    zipper.reset();  // closes an open archive
    if (!basePath.empty())
        DeleteFileW(TemporaryArchivePath().c_str());
}
