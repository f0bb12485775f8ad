#pragma once
// Writes a file so that its readers find either the old content or the whole new one, never
// a part: the bytes go to a temporary file beside the target, which replaces the target by a
// rename only once it is complete. Every file the program writes goes through it.
//
// The temporary file is named "KES" + four hex digits that stand for the target's name +
// four hex digits + ".tmp", only four characters longer than a name of GetTempFileName. A write that was killed leaves
// such a file behind; the next write of the same target removes it (never a file of another target, never one that a
// write in progress still holds open).
//
// Thread: one writer per thread. Ownership: the writer owns its temporary file until Commit
// has renamed it; a writer destroyed before that deletes it.

#include "pagemodel/OxReadWrite.h"

#include <windows.h>

#include <string>

class AtomicFileWriter : public OxReadWrite
{
public:
    AtomicFileWriter() = default;
    ~AtomicFileWriter() override;
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    // Removes the leftovers of earlier writes of targetPath that were killed, then creates an
    // empty temporary file beside it. False when the target's folder refuses a new file (the
    // target is untouched then) or the target carries the read-only attribute, which Windows
    // refuses to replace. A writer that was begun before discards that write first.
    bool Begin(const wchar_t* targetPath);

    // The temporary file, for writers that open it by path themselves (the zip library). They
    // must have closed it again before Commit.
    const std::wstring& GetTemporaryPath() const { return m_temporaryPath; }
    const std::wstring& GetTargetPath() const { return m_targetPath; }
    bool IsBegun() const { return m_guard != INVALID_HANDLE_VALUE; }

    // Appends to the temporary file; count is the number of bytes written so far.
    bool Write(const void* data, uint32_t n) override;
    // A writer is not for reading: always false.
    bool Read(void* data, uint32_t n) override;

    // Flushes the temporary file to the disk and renames it over the target. On failure the
    // target is as it was and the temporary file is gone (also when the target was made read-only
    // meanwhile). Either way the writer is done.
    bool Commit();
    // Deletes the temporary file; the target is as it was.
    void Discard();

    // The whole write in one call: the target holds exactly these bytes, or is as it was.
    static bool WriteWholeFile(const wchar_t* targetPath, const void* data, uint32_t size);

private:
    void RemoveLeftovers(const std::wstring& folder, const std::wstring& stem) const;
    bool CreateTemporary(const std::wstring& folder, const std::wstring& stem);
    void CloseGuard();

    std::wstring m_targetPath;
    std::wstring m_temporaryPath;
    // Held open from creation to Commit without delete sharing, so that the leftover sweep of
    // a concurrent write of the same target cannot remove a file still being written.
    HANDLE m_guard = INVALID_HANDLE_VALUE;
    bool m_failed = false;
};
