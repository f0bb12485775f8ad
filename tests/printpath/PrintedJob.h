// What the print path tests share: a fresh job folder with the registry values the driver reads,
// the driver's messages recorded instead of shown, one call that prints pages as the print host
// does, and the work file that comes out.
#pragma once

#include "hosts/printhost/EmfPlayer.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

class PrintedJobTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Prints the pages as one job on a device of the given settings and returns the path of the
    // work file the job left; empty (with a test failure) when there is not exactly one. The work
    // file of an earlier job must be closed: it is removed first.
    std::wstring Print(const std::vector<EnhMetaFile>& pages, const DeviceSettings& settings);

    std::vector<std::wstring> m_driverMessages;

private:
    std::wstring m_folder;
};

// A page drawn for paper of the given size (hundredths of a millimetre) with one word at each
// position (hundredths of a millimetre from the paper's top left corner to the word's top left).
EnhMetaFile PageWithWords(SIZE paper, const std::vector<std::pair<POINT, std::wstring>>& words);
