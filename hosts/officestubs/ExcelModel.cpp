#include "ExcelModel.h"

#include "ExcelDisplay.h"

#include <windows.h>
#include <minizip/zip.h>
#include <minizip/iowin32.h>

#include <algorithm>
#include <cwchar>

namespace officestubs {

namespace {

const long kMaxRow = 1048576;
const long kMaxColumn = 16384;

std::string Utf8(const std::wstring& text)
{
    if (text.empty())
        return std::string();
    int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                nullptr);
    std::string out(n > 0 ? n : 0, '\0');
    if (n > 0)
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), &out[0], n, nullptr, nullptr);
    return out;
}

bool IsHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

// Text for the XML, as the application writes it: a control character (a CR too, which a reader
// would turn into a LF) as "_xHHHH_", and an underscore that would read as the start of such an
// escape as "_x005F_".
std::string Xml(const std::wstring& text)
{
    const std::string utf8 = Utf8(text);
    std::string out;
    for (size_t i = 0; i < utf8.size(); ++i) {
        const char c = utf8[i];
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default:
            if (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n') {
                char escaped[16];
                snprintf(escaped, sizeof escaped, "_x%04X_", static_cast<unsigned>(c));
                out += escaped;
            } else if (c == '_' && i + 6 < utf8.size() && utf8[i + 1] == 'x' && IsHexDigit(utf8[i + 2]) &&
                       IsHexDigit(utf8[i + 3]) && IsHexDigit(utf8[i + 4]) && IsHexDigit(utf8[i + 5]) &&
                       utf8[i + 6] == '_') {
                out += "_x005F_";
            } else {
                out += c;
            }
        }
    }
    return out;
}

std::string Name(long row, long column)
{
    return Utf8(XlCellName(row, column));
}

struct Style {
    std::wstring format;
    long vertical;
    long readingOrder;
    bool operator==(const Style& o) const
    {
        return format == o.format && vertical == o.vertical && readingOrder == o.readingOrder;
    }
};

class StyleTable {
public:
    int Index(const XlCell& cell)
    {
        const Style style{cell.numberFormat, cell.verticalAlignment, cell.readingOrder};
        if (style.format.empty() && !style.vertical && !style.readingOrder)
            return 0;
        auto found = std::find(m_list.begin(), m_list.end(), style);
        if (found == m_list.end())
            found = m_list.insert(m_list.end(), style);
        return static_cast<int>(found - m_list.begin()) + 1;
    }

    std::string Xml() const
    {
        std::vector<std::wstring> custom;
        for (const Style& s : m_list)
            if (!s.format.empty() && s.format != L"@" && s.format != L"General" &&
                std::find(custom.begin(), custom.end(), s.format) == custom.end())
                custom.push_back(s.format);
        std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
                          "<styleSheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">";
        if (!custom.empty()) {
            xml += "<numFmts count=\"" + std::to_string(custom.size()) + "\">";
            for (size_t i = 0; i < custom.size(); ++i)
                xml += "<numFmt numFmtId=\"" + std::to_string(164 + i) + "\" formatCode=\"" +
                       officestubs::Xml(custom[i]) + "\"/>";
            xml += "</numFmts>";
        }
        xml += "<fonts count=\"1\"><font><sz val=\"11\"/></font></fonts>"
               "<fills count=\"2\"><fill><patternFill patternType=\"none\"/></fill>"
               "<fill><patternFill patternType=\"gray125\"/></fill></fills>"
               "<borders count=\"1\"><border><left/><right/><top/><bottom/><diagonal/></border></borders>"
               "<cellStyleXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\"/></cellStyleXfs>";
        xml += "<cellXfs count=\"" + std::to_string(m_list.size() + 1) + "\">"
               "<xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\"/>";
        for (const Style& s : m_list) {
            int id = 0;
            if (s.format == L"@")
                id = 49;
            else if (!s.format.empty() && s.format != L"General")
                id = 164 + static_cast<int>(std::find(custom.begin(), custom.end(), s.format) - custom.begin());
            xml += "<xf numFmtId=\"" + std::to_string(id) + "\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\"";
            if (id)
                xml += " applyNumberFormat=\"1\"";
            if (s.vertical || s.readingOrder) {
                xml += " applyAlignment=\"1\"><alignment";
                if (s.vertical == kXlAlignTop)
                    xml += " vertical=\"top\"";
                else if (s.vertical)
                    xml += " vertical=\"center\"";
                if (s.readingOrder == kXlRightToLeft)
                    xml += " readingOrder=\"2\"";
                else if (s.readingOrder == -5003)
                    xml += " readingOrder=\"1\"";
                xml += "/></xf>";
            } else {
                xml += "/>";
            }
        }
        xml += "</cellXfs><cellStyles count=\"1\"><cellStyle name=\"Normal\" xfId=\"0\" builtinId=\"0\"/></cellStyles>"
               "</styleSheet>";
        return xml;
    }

private:
    std::vector<Style> m_list;
};

std::string RunXml(const std::wstring& text, const XlFontRun* run)
{
    std::string xml = "<r>";
    if (run) {
        xml += "<rPr>";
        if (run->hasSize) {
            wchar_t size[32];
            swprintf(size, 32, L"%g", run->size);
            xml += "<sz val=\"" + Utf8(size) + "\"/>";
        }
        if (run->hasColor) {
            char rgb[16];
            snprintf(rgb, sizeof rgb, "FF%02X%02X%02X", static_cast<unsigned>(run->color & 0xFF),
                     static_cast<unsigned>((run->color >> 8) & 0xFF), static_cast<unsigned>((run->color >> 16) & 0xFF));
            xml += std::string("<color rgb=\"") + rgb + "\"/>";
        }
        xml += "</rPr>";
    }
    return xml + "<t xml:space=\"preserve\">" + Xml(text) + "</t></r>";
}

// The cell's text as rich text: the formatted runs in their order, the rest as plain runs.
std::string RichText(const XlCell& cell)
{
    std::vector<const XlFontRun*> runs;
    for (const XlFontRun& run : cell.runs)
        if (run.length > 0)
            runs.push_back(&run);
    std::sort(runs.begin(), runs.end(), [](const XlFontRun* a, const XlFontRun* b) { return a->start < b->start; });
    std::string xml;
    long next = 1;
    for (const XlFontRun* run : runs) {
        if (run->start < next)
            continue; // overlapping settings: the first one stands
        if (run->start > next)
            xml += RunXml(cell.formula.substr(next - 1, run->start - next), nullptr);
        xml += RunXml(cell.formula.substr(run->start - 1, run->length), run);
        next = run->start + run->length;
    }
    if (next <= static_cast<long>(cell.formula.size()))
        xml += RunXml(cell.formula.substr(next - 1), nullptr);
    return xml;
}

std::string SheetXml(const XlSheet& sheet, StyleTable& styles)
{
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
                      "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">";
    if (!sheet.columnWidths.empty()) {
        xml += "<cols>";
        for (const auto& width : sheet.columnWidths) {
            char text[32];
            snprintf(text, sizeof text, "%.2f", width.second);
            xml += "<col min=\"" + std::to_string(width.first) + "\" max=\"" + std::to_string(width.first) +
                   "\" width=\"" + text + "\" bestFit=\"1\" customWidth=\"1\"/>";
        }
        xml += "</cols>";
    }
    xml += "<sheetData>";
    long currentRow = 0;
    for (const auto& entry : sheet.cells) {
        const long row = entry.first.first, column = entry.first.second;
        const XlCell& cell = entry.second;
        if (row != currentRow) {
            if (currentRow)
                xml += "</row>";
            xml += "<row r=\"" + std::to_string(row) + "\">";
            currentRow = row;
        }
        xml += "<c r=\"" + Name(row, column) + "\"";
        if (int style = styles.Index(cell))
            xml += " s=\"" + std::to_string(style) + "\"";
        if (cell.formula.empty()) {
            xml += "/>";
        } else if (cell.value.isFormula) {
            // Stored without its "=" ("@SUM(1,2)" was SUM(1,2) for the application).
            const bool marker = cell.formula[0] == L'=' || cell.formula[0] == L'@';
            xml += "><f>" + Xml(cell.formula.substr(marker ? 1 : 0)) + "</f></c>";
        } else if (cell.value.isNumber) {
            // The shortest form that reads back as the same number.
            const double number = cell.value.number;
            wchar_t value[64];
            swprintf(value, 64, L"%.15g", number);
            if (std::wcstod(value, nullptr) != number)
                swprintf(value, 64, L"%.17g", number);
            xml += "><v>" + Utf8(value) + "</v></c>";
        } else {
            xml += " t=\"inlineStr\"><is>" + RichText(cell) + "</is></c>";
        }
    }
    if (currentRow)
        xml += "</row>";
    xml += "</sheetData>";
    if (!sheet.merges.empty()) {
        xml += "<mergeCells count=\"" + std::to_string(sheet.merges.size()) + "\">";
        for (const XlBlock& b : sheet.merges)
            xml += "<mergeCell ref=\"" + Name(b.top, b.left) + ":" + Name(b.bottom, b.right) + "\"/>";
        xml += "</mergeCells>";
    }
    return xml + "</worksheet>";
}

// Each entry carries the time it was written, as the application's do.
zip_fileinfo EntryTime()
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    zip_fileinfo info{};
    info.tmz_date.tm_year = now.wYear;
    info.tmz_date.tm_mon = now.wMonth - 1;
    info.tmz_date.tm_mday = now.wDay;
    info.tmz_date.tm_hour = now.wHour;
    info.tmz_date.tm_min = now.wMinute;
    info.tmz_date.tm_sec = now.wSecond;
    return info;
}

bool AddEntry(zipFile zip, const char* name, const std::string& content)
{
    const zip_fileinfo info = EntryTime();
    if (zipOpenNewFileInZip(zip, name, &info, nullptr, 0, nullptr, 0, nullptr, Z_DEFLATED,
                            Z_DEFAULT_COMPRESSION) != ZIP_OK)
        return false;
    bool ok = zipWriteInFileInZip(zip, content.data(), static_cast<unsigned>(content.size())) == ZIP_OK;
    return zipCloseFileInZip(zip) == ZIP_OK && ok;
}

} // namespace

XlBlock XlSheet::UsedRange() const
{
    bool any = false;
    XlBlock used{1, 1, 1, 1};
    auto include = [&](long row, long column) {
        if (!any) {
            used = XlBlock{row, column, row, column};
            any = true;
        }
        used.top = (std::min)(used.top, row);
        used.bottom = (std::max)(used.bottom, row);
        used.left = (std::min)(used.left, column);
        used.right = (std::max)(used.right, column);
    };
    for (const auto& entry : cells)
        include(entry.first.first, entry.first.second);
    for (const XlBlock& b : merges) {
        include(b.top, b.left);
        include(b.bottom, b.right);
    }
    return used;
}

const XlCell* XlSheet::Find(long row, long column) const
{
    auto found = cells.find({row, column});
    return found == cells.end() ? nullptr : &found->second;
}

void XlSheet::Type(long row, long column, const std::wstring& formula)
{
    XlCell& cell = cells[{row, column}];
    cell.formula = formula;
    cell.value = ReadTypedValue(formula, cell.numberFormat);
    cell.runs.clear();
}

void XlSheet::AutoFitColumns(const XlBlock& block)
{
    // The application's widest column, in characters of the standard font.
    const double kMaxWidth = 255;
    const double kStandardSize = 11;
    for (long column = block.left; column <= block.right; ++column) {
        double widest = 0;
        for (auto entry = cells.lower_bound({block.top, 0}); entry != cells.end() && entry->first.first <= block.bottom;
             ++entry) {
            if (entry->first.second != column || entry->second.formula.empty())
                continue;
            const long row = entry->first.first;
            bool mergedAcross = false;
            for (const XlBlock& merged : merges)
                mergedAcross = mergedAcross || (merged.Contains(row, column) && merged.right > merged.left);
            if (mergedAcross)
                continue;
            double size = kStandardSize;
            for (const XlFontRun& run : entry->second.runs)
                if (run.hasSize)
                    size = (std::max)(size, run.size);
            // The text as the cell shows it: "10.0000" for 10 under "0.0000".
            const XlCell& cell = entry->second;
            const std::wstring text =
                cell.value.isNumber ? ShowXlNumber(cell.value.number, cell.numberFormat) : cell.formula;
            size_t longestLine = 0;
            for (size_t start = 0; start <= text.size();) {
                size_t end = text.find(L'\n', start);
                if (end == std::wstring::npos)
                    end = text.size();
                longestLine = (std::max)(longestLine, end - start);
                start = end + 1;
            }
            // A little room beside the text, as the application leaves.
            widest = (std::max)(widest, longestLine * size / kStandardSize + 0.71);
        }
        if (widest > 0)
            columnWidths[column] = (std::min)(widest, kMaxWidth);
    }
}

std::wstring XlCellName(long row, long column)
{
    std::wstring letters;
    for (long n = column; n > 0; n = (n - 1) / 26)
        letters.insert(letters.begin(), static_cast<wchar_t>(L'A' + (n - 1) % 26));
    return letters + std::to_wstring(row);
}

bool XlParseCellName(const std::wstring& name, long& row, long& column)
{
    size_t i = 0;
    long c = 0, r = 0;
    for (; i < name.size() && i < 3 && iswalpha(name[i]); ++i)
        c = c * 26 + (towupper(name[i]) - L'A' + 1);
    if (i == 0 || i == name.size() || c > kMaxColumn)
        return false;
    for (; i < name.size(); ++i) {
        if (name[i] < L'0' || name[i] > L'9')
            return false;
        r = r * 10 + (name[i] - L'0');
        if (r > kMaxRow)
            return false;
    }
    if (r < 1)
        return false;
    row = r;
    column = c;
    return true;
}

bool WriteXlsx(const XlSheet& sheet, const std::wstring& path)
{
    StyleTable styles;
    const std::string sheetXml = SheetXml(sheet, styles);
    const std::string header = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";
    const std::string relations = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
    const std::string packageRelations = "http://schemas.openxmlformats.org/package/2006/relationships";
    const std::string contentTypes =
        header + "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
        "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
        "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
        "<Override PartName=\"/xl/workbook.xml\" "
        "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml\"/>"
        "<Override PartName=\"/xl/worksheets/sheet1.xml\" "
        "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml\"/>"
        "<Override PartName=\"/xl/styles.xml\" "
        "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml\"/></Types>";
    const std::string rootRels =
        header + "<Relationships xmlns=\"" + packageRelations + "\"><Relationship Id=\"rId1\" Type=\"" +
        relations + "/officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>";
    const std::string workbook =
        header + "<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" xmlns:r=\"" +
        relations + "\"><sheets><sheet name=\"Sheet1\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>";
    const std::string workbookRels =
        header + "<Relationships xmlns=\"" + packageRelations + "\"><Relationship Id=\"rId1\" Type=\"" + relations +
        "/worksheet\" Target=\"worksheets/sheet1.xml\"/><Relationship Id=\"rId2\" Type=\"" + relations +
        "/styles\" Target=\"styles.xml\"/></Relationships>";

    zlib_filefunc64_def io;
    fill_win32_filefunc64W(&io);
    zipFile zip = zipOpen2_64(path.c_str(), APPEND_STATUS_CREATE, nullptr, &io);
    if (!zip)
        return false;
    bool ok = AddEntry(zip, "[Content_Types].xml", contentTypes) && AddEntry(zip, "_rels/.rels", rootRels) &&
              AddEntry(zip, "xl/workbook.xml", workbook) &&
              AddEntry(zip, "xl/_rels/workbook.xml.rels", workbookRels) &&
              AddEntry(zip, "xl/worksheets/sheet1.xml", sheetXml) && AddEntry(zip, "xl/styles.xml", styles.Xml());
    ok = zipClose(zip, nullptr) == ZIP_OK && ok;
    if (!ok)
        DeleteFileW(path.c_str());
    return ok;
}

} // namespace officestubs
