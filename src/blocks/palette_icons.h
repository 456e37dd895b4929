// The pictograms of the block palette: one painter per block kind, named in
// the kind's descriptor (model/block_kind.h), and the drawing helpers they
// share. The line pictures and their texts come from blocks/pictograms.h, which
// the message-text editor's icons draw as well. A painter draws into the item's box with the palette's item
// font and black pen already selected, and returns the height of its label (the palette centres the item's
// name on it), 0 when it has none.
#pragma once

#include "platform/cdc.h"

// Arial with the fields every palette font shares.
CFont PaletteFont(int height, int width, int weight = FW_NORMAL);
// Text relative to the box in a font of its own (selected only for this text).
void PaletteText(CDC* dc, const CRect& box, int dx, int dy, const CString& text, const CFont* font);

// A kind's line picture and the texts beside it, both as blocks/pictograms.h
// draws them for the palette and the message-text editor alike; returns 0 (no
// label under it).
int PaintSymbolPicture(CDC* dc, const CRect& box, int type);

// Time functions.
int PaintIconDPR(CDC* dc, const CRect& box);
int PaintIconDDR(CDC* dc, const CRect& box);
int PaintIconMPLR(CDC* dc, const CRect& box);
int PaintIconPLR(CDC* dc, const CRect& box);
int PaintIconCPG(CDC* dc, const CRect& box);
int PaintIconRPR(CDC* dc, const CRect& box);
int PaintIconAPG(CDC* dc, const CRect& box);
int PaintIconRG(CDC* dc, const CRect& box);
int PaintIconSLS(CDC* dc, const CRect& box);
int PaintIconMFS(CDC* dc, const CRect& box);
int PaintIconWT(CDC* dc, const CRect& box);
int PaintIconYT(CDC* dc, const CRect& box);
int PaintIconAC(CDC* dc, const CRect& box);
int PaintIconSW(CDC* dc, const CRect& box);

// Basic logic.
int PaintIconAnd(CDC* dc, const CRect& box);
int PaintIconAndEdge(CDC* dc, const CRect& box);
int PaintIconNand(CDC* dc, const CRect& box);
int PaintIconNandEdge(CDC* dc, const CRect& box);
int PaintIconOr(CDC* dc, const CRect& box);
int PaintIconNor(CDC* dc, const CRect& box);
int PaintIconXor(CDC* dc, const CRect& box);
int PaintIconNot(CDC* dc, const CRect& box);

// Operands.
int PaintIconInput(CDC* dc, const CRect& box);
int PaintIconShiftBit(CDC* dc, const CRect& box);
int PaintIconLow(CDC* dc, const CRect& box);
int PaintIconHigh(CDC* dc, const CRect& box);
int PaintIconOutput(CDC* dc, const CRect& box);
int PaintIconOpenConnector(CDC* dc, const CRect& box);
int PaintIconFlag(CDC* dc, const CRect& box);
int PaintIconAnalogInput(CDC* dc, const CRect& box);
int PaintIconAnalogOutput(CDC* dc, const CRect& box);
int PaintIconAnalogFlag(CDC* dc, const CRect& box);
int PaintIconFunctionKey(CDC* dc, const CRect& box);

// Ladder elements (drawn without the box's outline).
int PaintIconMakeContact(CDC* dc, const CRect& box);
int PaintIconBreakContact(CDC* dc, const CRect& box);
int PaintIconAnalogContact(CDC* dc, const CRect& box);
int PaintIconRelayCoil(CDC* dc, const CRect& box);
int PaintIconInvertedCoil(CDC* dc, const CRect& box);
int PaintIconLadderAnalogOutput(CDC* dc, const CRect& box);

// Special functions (the message text draws its own).
int PaintIconCOUNTER(CDC* dc, const CRect& box);
int PaintIconHCOUNTER(CDC* dc, const CRect& box);
int PaintIconTHTRG(CDC* dc, const CRect& box);
int PaintIconACOMP(CDC* dc, const CRect& box);
int PaintIconATHTRG(CDC* dc, const CRect& box);
int PaintIconAAMP(CDC* dc, const CRect& box);
int PaintIconAWDOG(CDC* dc, const CRect& box);
int PaintIconADTRG(CDC* dc, const CRect& box);
int PaintIconLR(CDC* dc, const CRect& box);
int PaintIconPR(CDC* dc, const CRect& box);
int PaintIconShiftRegister(CDC* dc, const CRect& box);
int PaintIconMR(CDC* dc, const CRect& box);
int PaintIconMW(CDC* dc, const CRect& box);
int PaintIconAMATH(CDC* dc, const CRect& box);
int PaintIconAMUX(CDC* dc, const CRect& box);
int PaintIconARAMP(CDC* dc, const CRect& box);
int PaintIconPI(CDC* dc, const CRect& box);
int PaintIconPWM(CDC* dc, const CRect& box);
int PaintIconAnalogFilter(CDC* dc, const CRect& box);
int PaintIconMAXMIN(CDC* dc, const CRect& box);
int PaintIconAVGVAL(CDC* dc, const CRect& box);
int PaintIconMATHERR(CDC* dc, const CRect& box);
int PaintIconWifiIn(CDC* dc, const CRect& box);
int PaintIconWifiOut(CDC* dc, const CRect& box);
int PaintIconWifiAI(CDC* dc, const CRect& box);
int PaintIconWifiAQ(CDC* dc, const CRect& box);

// Data functions.
int PaintIconBoolean(CDC* dc, const CRect& box);
int PaintIconTDT(CDC* dc, const CRect& box);
int PaintIconBCD(CDC* dc, const CRect& box);
int PaintIconBIN(CDC* dc, const CRect& box);
int PaintIconROL(CDC* dc, const CRect& box);
int PaintIconROR(CDC* dc, const CRect& box);
int PaintIconSHL(CDC* dc, const CRect& box);
int PaintIconSHR(CDC* dc, const CRect& box);
int PaintIconANDM(CDC* dc, const CRect& box);
int PaintIconORM(CDC* dc, const CRect& box);
int PaintIconNOTM(CDC* dc, const CRect& box);
int PaintIconNANDM(CDC* dc, const CRect& box);
int PaintIconNORM(CDC* dc, const CRect& box);
int PaintIconXORM(CDC* dc, const CRect& box);
int PaintIconARRMXIV(CDC* dc, const CRect& box);
int PaintIconACMXIV(CDC* dc, const CRect& box);
int PaintIconRAND(CDC* dc, const CRect& box);
int PaintIconMEM(CDC* dc, const CRect& box);
int PaintIconENCODER(CDC* dc, const CRect& box);
int PaintIconSMC(CDC* dc, const CRect& box);
int PaintIconSMCE(CDC* dc, const CRect& box);
int PaintIconPTO(CDC* dc, const CRect& box);
int PaintIconPTOE(CDC* dc, const CRect& box);
int PaintIconSEG(CDC* dc, const CRect& box);
int PaintIconWORD2BIT(CDC* dc, const CRect& box);
int PaintIconUDC(CDC* dc, const CRect& box);
int PaintIconCRC16(CDC* dc, const CRect& box);

// Math functions.
int PaintIconODD(CDC* dc, const CRect& box);
int PaintIconEVEN(CDC* dc, const CRect& box);
int PaintIconMOD(CDC* dc, const CRect& box);
int PaintIconREM(CDC* dc, const CRect& box);
int PaintIconLOG(CDC* dc, const CRect& box);
int PaintIconSQRT(CDC* dc, const CRect& box);
int PaintIconABS(CDC* dc, const CRect& box);
int PaintIconGCD(CDC* dc, const CRect& box);
int PaintIconLCM(CDC* dc, const CRect& box);
int PaintIconPOW2(CDC* dc, const CRect& box);
int PaintIconEXP(CDC* dc, const CRect& box);
int PaintIconFIX(CDC* dc, const CRect& box);
int PaintIconROUND(CDC* dc, const CRect& box);
int PaintIconSIN(CDC* dc, const CRect& box);
int PaintIconCOS(CDC* dc, const CRect& box);
int PaintIconTAN(CDC* dc, const CRect& box);
int PaintIconCOT(CDC* dc, const CRect& box);
int PaintIconSEC(CDC* dc, const CRect& box);
int PaintIconCSC(CDC* dc, const CRect& box);
int PaintIconQUAD(CDC* dc, const CRect& box);

// The data log.
int PaintIconDataLog(CDC* dc, const CRect& box);
