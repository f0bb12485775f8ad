// The toolkit's start-up registrations in KEST.exe itself: the property list's change message and
// formats are made as the program starts, although the program shows no property list.
#include "uitoolkit/widgets/KTPropList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace
{

TEST(ToolkitStartup, TheProgramCarriesThePropertyListRegistration)
{
    // The registration is linked into a program only with the property list's code: its message
    // name in the program's image shows that KEST.exe runs it as it starts.
    std::ifstream file(KEST_PROGRAM_EXE, std::ios::binary);
    ASSERT_TRUE(file.good());
    const std::vector<char> image((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    std::string name;
    for (char c : std::string("KTM_PROPERTYCHANGED"))
    {
        name.push_back(c);
        name.push_back('\0');
    }
    EXPECT_NE(std::search(image.begin(), image.end(), name.begin(), name.end()), image.end());

    // In a process that links the program's start-up the message is registered before main runs.
    EXPECT_NE(0u, KTGetPropertyChangedMessage());
    EXPECT_EQ(::RegisterWindowMessage(L"KTM_PROPERTYCHANGED"), KTGetPropertyChangedMessage());
    EXPECT_EQ(std::wstring(L"%d"), std::wstring(static_cast<LPCWSTR>(CKTProp::m_strFormatShort)));
    EXPECT_EQ(std::wstring(L"%lf"), std::wstring(static_cast<LPCWSTR>(CKTProp::m_strFormatDouble)));
}

} // namespace
