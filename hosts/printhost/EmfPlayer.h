// Plays the enhanced-metafile pages Windows spools: drawing records go onto the page surface, text
// records become the driver's text output with the font, colour and positions of the record.
#pragma once

#include "hosts/printhost/DriverSession.h"
#include "hosts/printhost/engine/EngineTextObjects.h"

#include <memory>
#include <vector>

// One enhanced metafile, deleted with the object.
class EnhMetaFile
{
public:
    explicit EnhMetaFile(HENHMETAFILE handle = nullptr) : m_handle(handle) {}
    ~EnhMetaFile();
    EnhMetaFile(EnhMetaFile&& other) noexcept : m_handle(other.m_handle) { other.m_handle = nullptr; }
    EnhMetaFile& operator=(EnhMetaFile&& other) noexcept;
    EnhMetaFile(const EnhMetaFile&) = delete;
    EnhMetaFile& operator=(const EnhMetaFile&) = delete;

    HENHMETAFILE Get() const { return m_handle; }

private:
    HENHMETAFILE m_handle;
};

class EmfPagePlayer
{
public:
    explicit EmfPagePlayer(DriverSession& session) : m_session(session) {}

    // Plays one page between the driver's start and end of page; false when playing fails.
    bool Play(HENHMETAFILE page);

private:
    static int CALLBACK OnRecord(HDC dc, HANDLETABLE* handles, const ENHMETARECORD* record, int handleCount,
                                 LPARAM player);
    bool PlayText(HDC dc, const EMREXTTEXTOUTW& record, DWORD recordSize, bool wide);
    standin::EngineFont* DeviceFont(HDC dc);

    DriverSession& m_session;
    std::vector<std::unique_ptr<standin::EngineFont>> m_fonts;
    bool m_textFailed = false;
};

// Where the page's frame lies on the device's pixels at the given resolution; false when the
// header has no usable frame.
bool FrameOnDevice(const ENHMETAHEADER& header, ULONG dpi, RECT& area);

enum class PaperChoice
{
    FromPages,   // the paper covers the largest frame of the pages
    Kept,        // no page has a frame: the settings keep their paper
    TooLarge,    // a frame is larger than any paper a device mode can describe
    Unreadable,  // a page has no header
};

// Sets the paper (and its orientation) of the settings to fit every page's frame, as a spooled
// document carries the paper its pages were drawn for.
PaperChoice ChoosePaper(const std::vector<EnhMetaFile>& pages, DeviceSettings& settings);

// The whole job: start of document, each page, end of document. False when a driver call fails.
bool PrintEmfDocument(DriverSession& session, const std::vector<EnhMetaFile>& pages, const wchar_t* documentName);
