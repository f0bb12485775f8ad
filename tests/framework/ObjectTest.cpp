#include "ArchiveFixtures.h"

#include <gtest/gtest.h>

#include <memory>

TEST(RuntimeClassTest, DerivationLookupAndCreationByName)
{
    EXPECT_TRUE(RUNTIME_CLASS(CTestCircle)->IsDerivedFrom(RUNTIME_CLASS(CTestShape)));
    EXPECT_TRUE(RUNTIME_CLASS(CTestCircle)->IsDerivedFrom(RUNTIME_CLASS(CObject)));
    EXPECT_FALSE(RUNTIME_CLASS(CTestShape)->IsDerivedFrom(RUNTIME_CLASS(CTestCircle)));
    EXPECT_FALSE(RUNTIME_CLASS(CTestUnrelated)->IsDerivedFrom(RUNTIME_CLASS(CTestShape)));

    EXPECT_EQ(RUNTIME_CLASS(CTestCircle), CRuntimeClass::FromName("CTestCircle"));
    EXPECT_EQ(RUNTIME_CLASS(CObList), CRuntimeClass::FromName(L"CObList"));
    EXPECT_EQ(nullptr, CRuntimeClass::FromName("CTestcircle"));
    EXPECT_EQ(nullptr, CRuntimeClass::FromName(L"CTest\x00DCircle"));

    std::unique_ptr<CObject> made(CRuntimeClass::CreateObject(L"CTestCircle"));
    ASSERT_NE(nullptr, made);
    EXPECT_TRUE(made->IsKindOf(RUNTIME_CLASS(CTestShape)));
    EXPECT_FALSE(made->IsKindOf(RUNTIME_CLASS(CTestGroup)));
    EXPECT_TRUE(made->IsSerializable());
    // Dynamic-only classes have a record but cannot be made or stored.
    EXPECT_EQ(nullptr, RUNTIME_CLASS(CFile)->CreateObject());
    EXPECT_EQ(nullptr, CRuntimeClass::CreateObject("CException"));
    CMemFile memory;
    EXPECT_FALSE(memory.IsSerializable());
    EXPECT_STREQ("CSharedFile", RUNTIME_CLASS(CSharedFile)->m_lpszClassName);
    EXPECT_EQ(VERSIONABLE_SCHEMA | 2, RUNTIME_CLASS(CTestCircle)->m_wSchema);
}

namespace {

int g_deleted = 0;

class CCountedException : public CException
{
public:
    ~CCountedException() override { ++g_deleted; }
};

void ThrowCounted()
{
    throw new CCountedException;
}

} // namespace

TEST(ExceptionTest, CatchMacrosDeleteOnceAndThrowLastPassesOn)
{
    g_deleted = 0;
    TRY {
        ThrowCounted();
    }
    CATCH(CArchiveException, e) {
        ADD_FAILURE() << "wrong handler";
    }
    AND_CATCH(CException, e) {
        EXPECT_EQ(0, g_deleted);
    }
    END_CATCH
    EXPECT_EQ(1, g_deleted);

    g_deleted = 0;
    try {
        TRY {
            ThrowCounted();
        }
        CATCH_ALL(e) {
            THROW_LAST();
        }
        END_CATCH_ALL
    } catch (CException* e) {
        EXPECT_EQ(0, g_deleted) << "rethrown exception deleted too early";
        e->Delete();
    }
    EXPECT_EQ(1, g_deleted);

    // Exceptions not made on the heap are never deleted.
    g_deleted = 0;
    {
        CCountedException onStack;
        onStack.m_bAutoDelete = FALSE;
        onStack.Delete();
        EXPECT_EQ(0, g_deleted);
    }
    EXPECT_EQ(1, g_deleted);
}

TEST(ExceptionTest, MessagesFitTheBufferAndNameTheCause)
{
    CArchiveException archive(CArchiveException::badClass, _T("menu.dat"));
    TCHAR text[16];
    EXPECT_TRUE(archive.GetErrorMessage(text, _countof(text)));
    EXPECT_EQ(15u, _tcslen(text));
    TCHAR full[256];
    archive.GetErrorMessage(full, 256);
    EXPECT_NE(nullptr, _tcsstr(full, _T("unexpected object")));
    EXPECT_NE(nullptr, _tcsstr(full, _T("menu.dat")));
    CArchiveException odd(1234);
    EXPECT_TRUE(odd.GetErrorMessage(full, 256));
    EXPECT_FALSE(archive.GetErrorMessage(nullptr, 0));

    COleException ole(E_OUTOFMEMORY);
    EXPECT_TRUE(ole.GetErrorMessage(full, 256));
    EXPECT_NE(0u, _tcslen(full));
    CMemoryException memory;
    EXPECT_EQ(E_OUTOFMEMORY, COleException::Process(&memory));
    EXPECT_EQ(E_OUTOFMEMORY, COleException::Process(&ole));
    EXPECT_EQ(CFileException::accessDenied, CFileException::OsErrorToException(ERROR_ACCESS_DENIED));
    EXPECT_EQ(CFileException::genericException, CFileException::OsErrorToException(99999));
}
