// The grid window of the pages that hold a grid (the message-text editors inside
// the block properties sheet, the I/O status names).
#pragma once

class CGridWidget;
class CParamPage;
class CQtPageHost;

// When page holds a grid (the message-text editors, the I/O status names),
// puts a grid window over its grid control on host and attaches it to the
// page (before the page initialises); returns the grid window, or null for
// other pages.
CGridWidget* AttachMessageTextGrid(CParamPage* page, CQtPageHost* host);
