#include "hosts/printhost/ReportPrinter.h"

#include <fstream>
#include <iterator>

namespace {

// Logical units of a report page are hundredths of a millimetre.
constexpr int kUnitsPerMm = 100;

std::vector<std::vector<std::wstring>> SplitIntoPages(const std::wstring& text, int linesPerPage)
{
    std::vector<std::vector<std::wstring>> pages(1);
    std::wstring line;
    auto endLine = [&]() {
        if (static_cast<int>(pages.back().size()) >= linesPerPage)
            pages.emplace_back();
        while (!line.empty() && (line.back() == L' ' || line.back() == L'\t'))
            line.pop_back();
        pages.back().push_back(line);
        line.clear();
    };
    for (size_t i = 0; i < text.size(); ++i)
    {
        const wchar_t c = text[i];
        if (c == L'\r')
            continue;
        if (c == L'\n')
            endLine();
        else if (c == L'\f')
        {
            if (!line.empty())
                endLine();
            pages.emplace_back();
        }
        else if (c == L'\t')
            line.append(8 - line.size() % 8, L' ');
        else
            line.push_back(c);
    }
    if (!line.empty())
        endLine();
    return pages;
}

EnhMetaFile MakePage(const std::vector<std::wstring>& lines, const ReportLayout& layout, HFONT font)
{
    const int width = layout.paperWidthMm * kUnitsPerMm;
    const int length = layout.paperLengthMm * kUnitsPerMm;
    RECT frame{0, 0, width, length};
    HDC dc = CreateEnhMetaFileW(nullptr, nullptr, &frame, L"Kest report\0page\0");
    if (!dc)
        return EnhMetaFile();
    const double pixelsPerMmX =
        static_cast<double>(GetDeviceCaps(dc, HORZRES)) / static_cast<double>(GetDeviceCaps(dc, HORZSIZE));
    const double pixelsPerMmY =
        static_cast<double>(GetDeviceCaps(dc, VERTRES)) / static_cast<double>(GetDeviceCaps(dc, VERTSIZE));
    SetMapMode(dc, MM_ANISOTROPIC);
    SetWindowExtEx(dc, width, length, nullptr);
    SetViewportExtEx(dc, static_cast<int>(layout.paperWidthMm * pixelsPerMmX + 0.5),
                     static_cast<int>(layout.paperLengthMm * pixelsPerMmY + 0.5), nullptr);
    HGDIOBJ previous = SelectObject(dc, font);
    SetTextAlign(dc, TA_TOP | TA_LEFT | TA_NOUPDATECP);
    SetTextColor(dc, layout.colour);
    SetBkMode(dc, TRANSPARENT);
    const int lineHeight = layout.pointSize * 2540 * 12 / (72 * 10);  // 1.2 lines per em
    const int margin = layout.marginMm * kUnitsPerMm;
    for (size_t i = 0; i < lines.size(); ++i)
    {
        if (lines[i].empty())
            continue;
        std::wstring text = lines[i];
        UINT options = 0;
        if (layout.byGlyphIndex)
        {
            std::vector<WORD> glyphs(text.size());
            GetGlyphIndicesW(dc, text.c_str(), static_cast<int>(text.size()), glyphs.data(), 0);
            text.assign(glyphs.begin(), glyphs.end());
            options = ETO_GLYPH_INDEX;
        }
        ExtTextOutW(dc, margin, margin + static_cast<int>(i) * lineHeight, options, nullptr, text.c_str(),
                    static_cast<UINT>(text.size()), nullptr);
    }
    SelectObject(dc, previous);
    return EnhMetaFile(CloseEnhMetaFile(dc));
}

} // namespace

bool ReadTextFile(const std::wstring& path, std::wstring& text)
{
    std::ifstream file(path.c_str(), std::ios::binary);
    if (!file)
        return false;
    std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF && static_cast<unsigned char>(bytes[1]) == 0xFE)
    {
        text.assign(reinterpret_cast<const wchar_t*>(bytes.data() + 2), (bytes.size() - 2) / sizeof(wchar_t));
        return true;
    }
    size_t start = bytes.size() >= 3 && bytes.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    const char* data = bytes.data() + start;
    const int size = static_cast<int>(bytes.size() - start);
    UINT codePage = CP_UTF8;
    int length = size ? MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, data, size, nullptr, 0) : 0;
    if (size && !length)
    {
        codePage = CP_ACP;
        length = MultiByteToWideChar(CP_ACP, 0, data, size, nullptr, 0);
    }
    text.assign(static_cast<size_t>(length), L'\0');
    if (length)
        MultiByteToWideChar(codePage, 0, data, size, &text[0], length);
    return true;
}

std::vector<EnhMetaFile> MakeReportPages(const std::wstring& text, const ReportLayout& layout)
{
    LOGFONTW logical{};
    logical.lfHeight = -layout.pointSize * 2540 / 72;
    logical.lfWeight = FW_NORMAL;
    logical.lfCharSet = DEFAULT_CHARSET;
    logical.lfPitchAndFamily = layout.fixedPitch ? FIXED_PITCH | FF_MODERN : VARIABLE_PITCH | FF_SWISS;
    wcsncpy_s(logical.lfFaceName, layout.face.c_str(), _TRUNCATE);
    HFONT font = CreateFontIndirectW(&logical);
    std::vector<EnhMetaFile> pages;
    if (!font)
        return pages;
    for (const auto& lines : SplitIntoPages(text, layout.linesPerPage > 0 ? layout.linesPerPage : 1))
    {
        EnhMetaFile page = MakePage(lines, layout, font);
        if (!page.Get())
        {
            pages.clear();
            break;
        }
        pages.push_back(std::move(page));
    }
    DeleteObject(font);
    return pages;
}
