#pragma once
// Keeps a file that is about to be replaced by another program's save: the file is moved aside
// under a temporary name in its own folder, and either deleted once the new file is in place or
// put back when the save failed. When it cannot be put back it stays where SetAsidePath says, so
// that the caller can tell the user.
#include <string>

class SetAsideFile
{
public:
    // Moves the file at path aside when there is one. When it cannot be moved it stays where it
    // is (IsSetAside is false); the save then meets it.
    explicit SetAsideFile(const std::wstring& path);
    // Leaves a file that was set aside and neither restored nor discarded where it is: it is the
    // user's only copy.
    ~SetAsideFile() = default;
    SetAsideFile(const SetAsideFile&) = delete;
    SetAsideFile& operator=(const SetAsideFile&) = delete;

    bool IsSetAside() const { return !m_setAside.empty(); }
    const std::wstring& SetAsidePath() const { return m_setAside; }
    // Puts the file back over whatever the failed save left at the path; false when it could not,
    // and the file stays at SetAsidePath.
    bool Restore();
    // The new file is in place: the old one goes.
    void Discard();

private:
    std::wstring m_path;
    std::wstring m_setAside;
};
