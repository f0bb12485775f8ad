// What a test can steer in the stand-in automation servers, and what they record.
// Tests in the same process set these environment variables before they start a server:
//   KEST_STUB_LOG      file that receives one UTF-8 line per accepted call
//   KEST_STUB_FAIL     "<App>.<Object>.<Member>" or "...#n": fail that call (every time, or only the n-th time);
//                      "<App>.create" fails the creation of the application object
//   KEST_WORD_VERSION  the Word stand-in's Version string (default "16.0")
#pragma once
#include <string>

namespace officestubs {

std::wstring ReadSetting(const wchar_t* name);

// Appends one line to the log named by KEST_STUB_LOG (nothing when it is not set).
void LogLine(const std::wstring& line);

// Counts a call of the member and says whether the fail switch names this call.
bool ShouldFail(const std::wstring& member);

} // namespace officestubs
