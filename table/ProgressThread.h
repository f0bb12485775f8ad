#pragma once
// A job that runs on the conversion worker thread (or directly, without a progress dialog).
#include <cstdint>

class ProgressInterface;
class TableConverter;

class ProgressThread
{
public:
    ProgressThread() = default;
    ProgressThread(const ProgressThread&) = delete;
    ProgressThread& operator=(const ProgressThread&) = delete;
    virtual ~ProgressThread() = default;

    // Runs the job and returns 0; the outcome is Succeeded(). Nothing is thrown out of here: the
    // caller is a thread procedure, and an exception unwinding out of it ends the process. An
    // exception from the job becomes a failed conversion with its text in the converter's error.
    int32_t Run(TableConverter* converter, ProgressInterface* progress);
    bool Succeeded() const { return m_success; }

protected:
    virtual bool RunJob(TableConverter& converter, ProgressInterface* progress) = 0;

private:
    bool m_success = false;
};
