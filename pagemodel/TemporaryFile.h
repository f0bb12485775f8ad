#pragma once
// A temporary file that is deleted when its owner goes, unless it was moved away first.

#include <string>

class TemporaryFile
{
public:
    TemporaryFile() = default;
    ~TemporaryFile();
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    // Creates an empty file with the prefix "KEST" in the folder of besidePath, so that it
    // can later replace that file by a rename on one volume; in the user's temporary folder
    // when that folder refuses it.
    bool Create(const wchar_t* besidePath);
    const std::wstring& Path() const { return m_path; }
    // The file was moved away: there is nothing left to delete.
    void Forget() { m_path.clear(); }

private:
    bool CreateIn(const wchar_t* folder);

    std::wstring m_path;
};
