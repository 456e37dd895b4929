// What the diagram view does with the message texts while it simulates, and
// the rules of the "Message texts" preview: which message became active or
// inactive in a scan, the pages in priority order, and which page comes to
// the front.
#pragma once

#include <vector>

#include "platform/cstring.h"

class CBlockMSGTEXT;
class CViewContext;
class CZaradDoc;

// The outcome of one pass over the message-text blocks.
struct MessageTextScan {
  enum Event {
    kNone,         // no message changed
    kActivated,    // `number` became active: open the preview or bring its page forward
    kDeactivated,  // `number` went off and another message is still on
    kAllOff,       // a message went off and none is on any more: close the preview
  };
  Event event = kNone;
  int number = -1;
};

// Runs one scan of each message-text block of the document in list order.
// The first block whose En changed and whose output became 1 stops the pass
// (the blocks after it wait for the next one); it gets its acknowledge latch
// (when "Acknowledge Message" is set) and a new capture of its enable time
// and date.
MessageTextScan ScanMessageTexts(CZaradDoc* doc, CViewContext* view);

// Whether a message is on: its output is 1, or its acknowledge latch holds it.
bool IsMessageActive(const CBlockMSGTEXT& block);
bool IsAnyMessageActive(const CZaradDoc& doc);

// The message-text blocks of the document in page order: ascending priority,
// equal priorities in document order.
std::vector<CBlockMSGTEXT*> MessageTextsByPriority(const CZaradDoc& doc);

// The caption of a page: the priority "0" .. "30", "-" outside.
CString MessageTextPageCaption(int priority);

// The page to bring forward (Part of the preview's rule), or -1 to leave the
// active page. pages: the page blocks in page order (null entries for pages
// whose block is gone); mode 1: `number` has just become active, mode 2: it
// has just become inactive; activePage: the index of the page in front.
int MessageTextPageToActivate(const std::vector<CBlockMSGTEXT*>& pages, int mode, int number, int activePage);

// Whether the preview's pages draw their elements in the editors' form (1,
// the long texts) or as the device display shows them (0). Program-wide; the
// "Details" button of any page flips it for all.
extern int g_MsgTextDetailsFlag;
