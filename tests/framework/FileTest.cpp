#include "ArchiveFixtures.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

TEST(CMemFileTest, GrowsInStepsAndAttachedBlocksStayFixed)
{
    CMemFile file(1024);
    BYTE data[1500] = {1, 2, 3};
    file.Write(data, 1000);
    file.Write(data, 500);
    EXPECT_EQ(1500u, file.GetLength());
    file.Seek(2000, CFile::begin);
    file.Write(data, 1);  // the gap reads as zeros
    EXPECT_EQ(2001u, file.GetLength());
    file.Seek(1600, CFile::begin);
    BYTE gap = 0xAA;
    EXPECT_EQ(1u, file.Read(&gap, 1));
    EXPECT_EQ(0, gap);
    EXPECT_EQ(0u, file.Read(&gap, 0));
    file.SeekToEnd();
    EXPECT_EQ(0u, file.Read(&gap, 1));
    EXPECT_THROW(
        {
            try {
                file.Seek(-1, CFile::begin);
            } catch (CFileException* e) {
                EXPECT_EQ(CFileException::badSeek, e->m_cause);
                e->Delete();
                throw 1;
            }
        },
        int);

    // Attached without growth: the block is the whole file and cannot grow.
    BYTE block[4] = {9, 8, 7, 6};
    CMemFile fixed(block, sizeof(block));
    EXPECT_EQ(4u, fixed.GetLength());
    fixed.Seek(2, CFile::begin);
    fixed.Write(data, 2);
    EXPECT_EQ(1, block[2]);
    EXPECT_THROW(
        {
            try {
                fixed.Write(data, 1);
            } catch (CMemoryException* e) {
                e->Delete();
                throw 1;
            }
        },
        int);

    // Detached memory belongs to the caller.
    CMemFile owned;
    owned.Write("abc", 3);
    BYTE* taken = owned.Detach();
    EXPECT_EQ(0u, owned.GetLength());
    EXPECT_EQ('b', taken[1]);
    std::free(taken);
}

TEST(CSharedFileTest, ArchiveIntoGlobalMemoryAndBack)
{
    CTestShape shape(_T("dragged"), 12);
    CSharedFile out(GMEM_MOVEABLE | GMEM_DDESHARE, 4096);
    {
        CArchive ar(&out, CArchive::store);
        ar << static_cast<CObject*>(&shape);
        ar.Close();
    }
    ULONGLONG length = out.GetLength();
    HGLOBAL memory = out.Detach();
    ASSERT_NE(nullptr, memory);
    EXPECT_EQ(0u, out.GetLength());
    EXPECT_GE(GlobalSize(memory), length);
    EXPECT_TRUE((GlobalFlags(memory) & GMEM_LOCKCOUNT) == 0) << "detached memory is unlocked";

    {
        CSharedFile in;
        in.SetHandle(memory, FALSE);
        CArchive ar(&in, CArchive::load);
        std::unique_ptr<CObject> loaded(ar.ReadObject(RUNTIME_CLASS(CTestShape)));
        auto* back = dynamic_cast<CTestShape*>(loaded.get());
        ASSERT_NE(nullptr, back);
        EXPECT_STREQ(_T("dragged"), back->m_name);
        EXPECT_EQ(12, back->m_value);
    }
    // The handle is still ours and usable after the file let go of it.
    EXPECT_TRUE((GlobalFlags(memory) & GMEM_LOCKCOUNT) == 0);
    EXPECT_EQ(nullptr, GlobalFree(memory));
}

TEST(CFileTest, ArchiveOverADeleteOnCloseTemporaryFile)
{
    TCHAR dir[MAX_PATH], name[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    ASSERT_NE(0u, GetTempFileNameW(dir, _T("KT"), 0, name));
    HANDLE handle = CreateFileW(name, GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, handle);
    {
        CFile file(handle);
        CStringArray strings;
        strings.Add(CString(L'z', 5000));  // larger than the archive's buffer
        strings.Add(_T("tail"));
        {
            CArchive ar(&file, CArchive::store, 4096);
            strings.Serialize(ar);
            ar << 77;
        }
        file.SeekToBegin();
        CStringArray back;
        int number = 0;
        {
            CArchive ar(&file, CArchive::load, 4096);
            back.Serialize(ar);
            ar >> number;
        }
        ASSERT_EQ(2, back.GetSize());
        EXPECT_EQ(strings[0], back[0]);
        EXPECT_STREQ(_T("tail"), back[1]);
        EXPECT_EQ(77, number);
    }
    // The CFile did not own the handle.
    EXPECT_TRUE(CloseHandle(handle));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(name));
}

TEST(CFileTest, OpenFailureFillsTheExceptionAndTheThrowingConstructorThrows)
{
    CFile file;
    CFileException error;
    EXPECT_FALSE(file.Open(_T("Z:\\no\\such\\folder\\file.kest"), CFile::modeRead, &error));
    EXPECT_EQ(CFileException::badPath, error.m_cause);
    EXPECT_EQ(ERROR_PATH_NOT_FOUND, error.m_lOsError);
    try {
        CFile missing(_T("C:\\no-such-file.kest"), CFile::modeRead | CFile::shareDenyNone);
        ADD_FAILURE();
    } catch (CFileException* e) {
        EXPECT_EQ(CFileException::fileNotFound, e->m_cause);
        TCHAR text[256];
        EXPECT_TRUE(e->GetErrorMessage(text, 256));
        EXPECT_NE(nullptr, _tcsstr(text, _T("no-such-file.kest")));
        e->Delete();
    }
}
