#include "tests/uitoolkit/bars/ButtonsTestFrame.h"

BEGIN_MESSAGE_MAP(CButtonsTestFrame, CFrameWnd)
ON_COMMAND_RANGE(ID_TEST_OPEN, ID_TEST_AMP, &CButtonsTestFrame::OnTestCommand)
ON_COMMAND_RANGE(ID_BUTTONS_ZOOM, ID_BUTTONS_LAST, &CButtonsTestFrame::OnTestCommand)
END_MESSAGE_MAP()
