#include "pagemodel/Zipper.h"

#include "pagemodel/ZipNames.h"

#include <windows.h>
#include <cstring>
#include <string>

namespace {

bool FileExistsAt(const wchar_t* path)
{
    const DWORD attributes = GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The drive and folder of a full path, with its trailing separator.
std::wstring FolderOf(const std::wstring& fullPath)
{
    const size_t slash = fullPath.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : fullPath.substr(0, slash + 1);
}

} // namespace

CZipper::CZipper(const wchar_t* path, const wchar_t* rootFolder, bool append)
{
    if (path)
        OpenZip(path, rootFolder, append);
}

CZipper::~CZipper()
{
    CloseZip();
}

zip_fileinfo CZipper::CurrentTimeInfo()
{
    SYSTEMTIME now;
    GetSystemTime(&now);
    zip_fileinfo info = {};
    info.tmz_date.tm_sec = now.wSecond;
    info.tmz_date.tm_min = now.wMinute;
    info.tmz_date.tm_hour = now.wHour;
    info.tmz_date.tm_mday = now.wDay;
    info.tmz_date.tm_mon = now.wMonth - 1;
    info.tmz_date.tm_year = now.wYear;
    return info;
}

bool CZipper::OpenZip(const wchar_t* path, const wchar_t* rootFolder, bool append)
{
    CloseZip();
    if (!path || !*path)
        return false;
    std::string ansiPath;
    if (!ToAnsiPath(path, ansiPath))
        return false;
    std::string ansiRoot;
    if (rootFolder && !ToAnsiPath(rootFolder, ansiRoot))
        return false;

    wchar_t fullPath[MAX_PATH];
    const DWORD length = GetFullPathNameW(path, MAX_PATH, fullPath, nullptr);
    if (length == 0 || length >= MAX_PATH)
        return false;

    if (!rootFolder) {
        if (!ToAnsiPath(FolderOf(fullPath).c_str(), ansiRoot))
            return false;
    } else if (!ansiRoot.empty() && ansiRoot.back() != '\\' && ansiRoot.back() != '/') {
        ansiRoot += '\\';
    }
    if (ansiRoot.size() >= sizeof m_rootFolder)
        return false;

    const int mode = append && FileExistsAt(fullPath) ? APPEND_STATUS_ADDINZIP : APPEND_STATUS_CREATE;
    m_zip = zipOpen(ansiPath.c_str(), mode);
    if (!m_zip)
        return false;
    std::memcpy(m_rootFolder, ansiRoot.c_str(), ansiRoot.size() + 1);
    return true;
}

bool CZipper::CloseZip()
{
    bool closed = true;
    if (m_zip) {
        if (m_fileOpen)
            CloseFileInZip();
        closed = zipClose(m_zip, nullptr) == ZIP_OK;
    }
    m_zip = nullptr;
    m_rootFolder[0] = '\0';
    m_entryCount = 0;
    m_byteCount = 0;
    m_fileOpen = 0;
    m_autoClose = 0;
    return closed;
}

bool CZipper::OpenEntry(const char* name, const zip_fileinfo& info)
{
    if (zipOpenNewFileInZip(m_zip, name, &info, nullptr, 0, nullptr, 0, nullptr, Z_DEFLATED,
                            Z_DEFAULT_COMPRESSION) != ZIP_OK)
        return false;
    ++m_entryCount;
    return true;
}

bool CZipper::AddFileToZip(const wchar_t* name, const void* data, uint32_t size)
{
    std::string ansiName;
    if (!ToAnsiPath(name, ansiName))
        return false;
    return AddFileToZip(ansiName.c_str(), data, size, CurrentTimeInfo());
}

bool CZipper::AddFileToZip(const char* name, const void* data, uint32_t size, const zip_fileinfo& info)
{
    if (!m_zip || !name || (size && !data) || !EnsureFileClosed())
        return false;
    if (std::strlen(name) >= kZipMaxPath)
        return false;
    bool ok = OpenEntry(name, info);
    if (ok) {
        ok = size == 0 || zipWriteInFileInZip(m_zip, data, size) == ZIP_OK;
        if (ok)
            m_byteCount += size;
    }
    // A failed write must not leave a half entry open for the next one; the close
    // also finishes an entry whose opening failed half-way inside the library.
    if (zipCloseFileInZip(m_zip) != ZIP_OK)
        ok = false;
    return ok;
}

bool CZipper::OpenFileInZip(const wchar_t* name, bool autoClose)
{
    std::string ansiName;
    if (!m_zip || !ToAnsiPath(name, ansiName))
        return false;
    return OpenFileInZip(ansiName.c_str(), CurrentTimeInfo(), autoClose);
}

bool CZipper::OpenFileInZip(const char* name, const zip_fileinfo& info, bool autoClose)
{
    if (!m_zip || !name || std::strlen(name) >= kZipMaxPath || !EnsureFileClosed())
        return false;
    if (!OpenEntry(name, info))
        return false;
    m_autoClose = autoClose ? 1 : 0;
    m_fileOpen = 1;
    return true;
}

bool CZipper::WriteFileInZip(const void* data, uint32_t size)
{
    if (!m_zip || !m_fileOpen || (size && !data))
        return false;
    // The library's checksum restarts on an empty write: skip it.
    if (size == 0)
        return true;
    if (zipWriteInFileInZip(m_zip, data, size) != ZIP_OK)
        return false;
    m_byteCount += size;
    return true;
}

bool CZipper::CloseFileInZip()
{
    if (!m_zip || !m_fileOpen)
        return false;
    if (zipCloseFileInZip(m_zip) != ZIP_OK)
        return false;
    m_fileOpen = 0;
    return true;
}

bool CZipper::EnsureFileClosed()
{
    if (!m_fileOpen)
        return true;
    return m_autoClose ? CloseFileInZip() : false;
}
