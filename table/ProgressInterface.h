#pragma once
// How a conversion reports progress and learns of a cancel. The progress dialog implements it on
// the user-interface thread while the conversion runs on a worker, so the two flags are atomic:
// the dialog sets "canceled" and the worker polls it; the worker sets "finished".
#include <atomic>
#include <cstdint>
#include <string>

class ProgressInterface
{
public:
    ProgressInterface() = default;
    ProgressInterface(const ProgressInterface&) = delete;
    ProgressInterface& operator=(const ProgressInterface&) = delete;
    virtual ~ProgressInterface() = default;

    virtual void SetRange(int32_t low, int32_t high) = 0;
    virtual void SetPos(int32_t pos) = 0;
    // Whether the number field shows, and whether it shows a percentage of the range or the position.
    virtual void ShowPercent(bool showNumber, bool asPercent) = 0;
    virtual void SetStatusText(const std::wstring& text) = 0;
    virtual void SetPosAndText(int32_t pos, const std::wstring& text) = 0;
    virtual void SetTitle(const std::wstring& text) = 0;
    // The job has ended; the base only records it.
    virtual void JobFinished() { SetFinished(true); }
    virtual void AllowCancel(bool allow) = 0;
    // Adds a signed delta to the position, clamped to the range.
    virtual void Step(int32_t delta) = 0;
    virtual void Hide(bool hidden) = 0;

    bool IsCanceled() const { return m_canceled.load(); }
    void SetCanceled(bool canceled) { m_canceled.store(canceled); }
    bool IsFinished() const { return m_finished.load(); }
    void SetFinished(bool finished) { m_finished.store(finished); }

private:
    std::atomic<bool> m_canceled{false};
    std::atomic<bool> m_finished{false};
};
