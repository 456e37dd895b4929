// The string table: {id, English text, Chinese text}. An empty Chinese text means the
// English one serves the Chinese interface too. Keep the ids in ascending order.
#include "platform/string_table.h"

namespace {

constexpr StringTableEntry kEntries[] = {
    // Application shell
    {100, u"OLE initialization failed.  Make sure that the OLE libraries are the correct version.", u""},
    {128, u"Zovuzi Editor", u""},
    {129,
     u"\nDiagram\nFunction Block\nFunction Block Files (*.bfb)\n.bfb\nFunctionBlock.Document\nFunction Block "
     u"Document",
     u""},
    {130, u"\nDiagram\nLadder\nLadder Files (*.bld)\n.bld\nLadder.Document\nLadder Document", u""},
    {305, u"Set the linked line color", u""},
    {306, u"Frame window background color", u""},
    {336, u"your program has taken %d blocks,can't  add new block", u""},
    {339, u"ERROR: Block can not be placed out side of the FBD base", u""},
    {376, u"Number between %d and %d", u""},
    {377, u"%s Can't load this type of file %s", u""},
    {378, u"Number between %.2f and %.2f", u""},
    {565, u"Zoom:%d", u""},
    // Per-type limits of placement and paste
    {570, u"All available Inputs are in use!", u""},
    {571, u"All available Outputs are in use!", u""},
    {580, u"All available Shifts are in use!", u""},
    {581, u"All available Open Connectors are in use!", u""},
    {582, u"All available Flags are in use!", u""},
    {583, u"All available Status-Lows are in use!", u""},
    {584, u"All available Status-Highs are in use!", u""},
    {585, u"All available Analog Inputs are in use!", u""},
    {586, u"All available Analog Outputs are in use!", u""},
    {587, u"All available Analog Flags are in use!", u""},
    {592, u"All available Message Text Blocks are in use!", u""},
    {593, u"All available Shift Register Blocks are in use!", u""},
    // Device transfers
    {594, u"Download PC->Device failed!", u""},
    {595, u"Upload Device->PC failed!", u""},
    {596, u"Device's Program is empty!", u""},
    {597, u"Clear Program and Password Fail!", u""},
    {599, u"All available Analog Outputs are in use!", u""},
    {600, u"All Available Relay Coils/Inverted outputs are in use!", u""},
    {601, u"There is not any Block(s) for DownLoading!", u""},
    {602, u"Every character of the password must be A - Z", u""},
    {603, u"All Available Make contacts are in use!", u""},
    {604, u"Internal error,Please notify the engineer!", u""},
    {605, u"All Available TD Function Keys are in use!", u""},
    {606, u"All Available Break contacts are in use!", u""},
    {607, u"Blocks without connection to an Output!", u""},
    {608, u"The new passwords are not identical!", u""},
    {609, u"The old password is wrong!", u""},
    {612, u"Insufficient Resources to create/paste the blocks.", u""},
    {614, u"Every character of the password must be A - Z, 0 - 9", u""},
    {615, u"Wrong password UpLoad Device-->PC failed!", u""},
    {616, u"All Available Analog contacts are in use!", u""},
    {623, u"B%d%s : Not supported!", u""},
    {624, u"All available Analog filter Blocks are in use!", u""},
    {631,
     u"Please check if cable connects Device and PC, Initial/Run Mode Setting, ComPort is selected "
     u"correctly, "
     u"and Machine type(Device/PC) matches!",
     u""},
    {632, u"Enter an Integer between %d and %d.", u""},
    {633, u"Are you sure to clear Device's Program?", u""},
    {634, u"It's Drawing Blocks and Lines(if any)\n", u""},
    {635, u"It Draws completely!\n", u""},
    {637, u"All available Data Log Block is in use!", u""},
    {641, u"Please enter a integer except 0", u""},
    {642,
     u"The maximun number of items to be logged has reached. To add more items, you must remove some other "
     u"items from this list.",
     u""},
    {912,
     u"%s Files(*.bfb, *.bld)|*.bfb; *.bld|%s File(*.bfb)|*.bfb|%s File(*.bld)|*.bld|All Files(*.*)|*.*||",
     u""},
    {935, u"You can't run tow simulations at a time! Please close the other then go on.", u""},
    {950, u"No printer installed!\n\nSelect the Control Panel printer icon to install a printer.", u""},
    {952, u".bld", u""},
    // Chinese interface only: timer group captions
    {1579, u"", u"接通延时定时器"},
    {1580, u"", u"关断延时定时器"},
    // Command prompts and tooltips (prompt, then the tooltip after '\n')
    {3015, u"LAD Convert to FBD", u""},
    {6020, u"Enlarge the diagram\nZoom In", u""},
    {6021, u"Reduce the diagram\nZoom Out", u""},
    {6022, u"set view size\nPage Layout", u""},
    {32779, u"Edit the program properties\nProperties", u""},
    {32780, u"Cut or join a connection\nCut/Join Connection   F11", u""},
    {32798, u"Clock Setting/Calibration", u""},
    {32801, u"Connect block pins\nConnect   F5", u""},
    {32802, u"Simulate the program\nSimulation   F3", u""},
    {32806, u"Device->PC   Ctrl+U", u""},
    {32807, u"PC->Device   Ctrl+D", u""},
    {32816, u"Select blocks and connections\nSelection", u""},
    {32822, u"Insert a comment\nInsert Comments   F9", u""},
    {32830, u"Show the I/O status of the device\nI/O Status", u""},
    {32854, u"Align Vertically", u""},
    {32855, u"Align Horizontally", u""},
    {57600, u"Create a new document\nNew   Ctrl+N", u""},
    {57601, u"Open an existing document\nOpen   Ctrl+O", u""},
    {57603, u"Save the active document\nSave   Ctrl+S", u""},
    {57632, u"Erase the selection\nDelete   Delete", u""},
    {57634, u"Copy the selection to the clipboard\nCopy   Ctrl+C", u""},
    {57635, u"Cut the selection to the clipboard\nCut   Ctrl+X", u""},
    {57637, u"Insert the clipboard contents\nPaste   Ctrl+V", u""},
    {57643, u"Undo the last action\nUndo   Ctrl+Z", u""},
    {57644, u"Redo the previously undone action\nRedo   Ctrl+Y", u""},
    {59135, u"   Zoom:100%   ", u""},
    {59137, u"CAP", u""},
    {59138, u"NUM", u""},
    {59139, u"SCRL", u""},
    // Standard framework messages
    {61699, u"Save changes to %1?", u""},
    {61712, u"Please enter an integer.", u""},
    {61713, u"Please enter a number.", u""},
    {61714, u"Please enter an integer between %1 and %2.", u""},
};

}  // namespace

std::span<const StringTableEntry> StringTableEntries() {
  return kEntries;
}
