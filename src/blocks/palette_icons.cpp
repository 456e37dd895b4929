#include "blocks/palette_icons.h"

#include "blocks/pictograms.h"
#include "model/block_codes.h"

namespace {

// Width of a text in a font (the item font when null).
CSize Extent(CDC* dc, const CString& text, const CFont* font) {
  if (!font) return dc->GetTextExtent(text);
  CFont old = dc->SelectObject(font);
  CSize size = dc->GetTextExtent(text);
  dc->SelectObject(&old);
  return size;
}

}  // namespace

CFont PaletteFont(int height, int width, int weight) {
  CFont font;
  font.CreateFont(height, width, 0, 0, weight, 0, 0, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                  DEFAULT_QUALITY, FF_SWISS, u"Arial");
  return font;
}

void PaletteText(CDC* dc, const CRect& box, int dx, int dy, const CString& text, const CFont* font) {
  CFont old;
  if (font) old = dc->SelectObject(font);
  dc->TextOut(box.left + dx, box.top + dy, text);
  if (font) dc->SelectObject(&old);
}

// ---- Time functions --------------------------------------------------------------------

namespace {

// A time function's line picture (blocks/pictograms.h) with its name under it,
// in a font of its own (height 0: the item font) at x = (25 - w) / 2 + dx.
// Returns the name's height.
int TimePicture(CDC* dc, const CRect& box, int type, const char16_t* text, int height, int width, int dx) {
  DrawBlockLinePicture(dc, box, type);
  CFont font;
  const CFont* fontPtr = nullptr;
  if (height) {
    font = PaletteFont(height, width);
    fontPtr = &font;
  }
  const CSize size = Extent(dc, text, fontPtr);
  PaletteText(dc, box, (kSymbolBoxWidth - size.cx) / 2 + dx, TimeSymbolLabelTop(type), text, fontPtr);
  return size.cy;
}

}  // namespace

int PaintIconDPR(CDC* dc, const CRect& box) {
  return TimePicture(dc, box, kTypeDPR, u"ON-D", 10, 5, 0);
}
int PaintIconDDR(CDC* dc, const CRect& box) {
  return TimePicture(dc, box, kTypeDDR, u"OFF-D", 9, 4, 1);
}
int PaintIconMPLR(CDC* dc, const CRect& box) {
  return TimePicture(dc, box, kTypeMPLR, u"ON/OFF", 9, 3, 1);
}
int PaintIconPLR(CDC* dc, const CRect& box) {
  return TimePicture(dc, box, kTypePLR, u"R-ON-D", 9, 3, 1);
}
int PaintIconCPG(CDC* dc, const CRect& box) {
  return TimePicture(dc, box, kTypeCPG, u"W-R", 10, 5, 1);
}
int PaintIconRPR(CDC* dc, const CRect& box) {
  return TimePicture(dc, box, kTypeRPR, u"ETWR", 10, 4, 0);
}
int PaintIconAPG(CDC* dc, const CRect& box) {
  return TimePicture(dc, box, kTypeAPG, u"A-P-G", 10, 4, 1);
}
int PaintIconRG(CDC* dc, const CRect& box) {
  return TimePicture(dc, box, kTypeRG, u"R-G", 0, 0, 1);
}
int PaintIconSLS(CDC* dc, const CRect& box) {
  return TimePicture(dc, box, kTypeSLS, u"S-L-S", 10, 5, 0);
}
int PaintIconMFS(CDC* dc, const CRect& box) {
  return TimePicture(dc, box, kTypeMFS, u"M-F-S", 10, 5, 1);
}
int PaintIconWT(CDC* dc, const CRect& box) {
  return TimePicture(dc, box, kTypeWT, u"W-T", 0, 0, 0);
}
int PaintIconYT(CDC* dc, const CRect& box) {
  return TimePicture(dc, box, kTypeYT, u"Y-T", 0, 0, 1);
}
int PaintIconAC(CDC* dc, const CRect& box) {
  return TimePicture(dc, box, kTypeAC, u"AC", 0, 0, 1);
}
int PaintIconSW(CDC* dc, const CRect& box) {
  return TimePicture(dc, box, kTypeSW, u"SW", 0, 0, 1);
}

// ---- Basic logic -------------------------------------------------------------------

namespace {

// One gate symbol; returns the label's height.
int Gate(CDC* dc, const CRect& box, int type) {
  const CString label = type == kTypeOr || type == kTypeNor ? CString(u">1")
                        : type == kTypeXor                  ? CString(u"=1")
                        : type == kTypeNot                  ? CString(u"1")
                                                            : CString(u"&");
  const CSize size = dc->GetTextExtent(label);
  const int w = size.cx;
  const int h = size.cy;
  if (type == kTypeAndEdge || type == kTypeNandEdge) {
    const int ox = (25 - 2 * w) / 2;
    const int oy = (36 - h) / 2;
    dc->TextOut(box.left + ox + w, box.top + oy, label);
    const int ax = box.left + ox + (2 * w) / 3;
    const int top = box.top + oy;
    const int bottom = box.top + oy + (2 * h) / 3;
    dc->MoveTo(ax, top);
    dc->LineTo(ax, bottom);
    const int tip = type == kTypeAndEdge ? top : bottom;
    dc->MoveTo(ax, tip);
    dc->LineTo(box.left + ox + w / 3, box.top + oy + h / 3);
    dc->MoveTo(ax, tip);
    dc->LineTo(box.left + ox + w, box.top + oy + h / 3);
    if (type == kTypeNandEdge) {
      dc->MoveTo(box.left + ox + 3, box.top + oy - 1);
      dc->LineTo(box.left + ox + 2 * w, box.top + oy - 1);
    }
    return h;
  }
  const int x = box.left + (25 - w) / 2;
  const int y = box.top + (36 - h) / 2;
  dc->TextOut(x, y, label);
  if (type == kTypeNand || type == kTypeNor || type == kTypeNot) {
    dc->MoveTo(x, y - 1);
    dc->LineTo(x + w, y - 1);
  }
  if (type == kTypeOr || type == kTypeNor) {
    dc->MoveTo(x, box.top + 36 - h);
    dc->LineTo(x + w / 2, box.top + 36 - h);
  }
  return h;
}

}  // namespace

int PaintIconAnd(CDC* dc, const CRect& box) {
  return Gate(dc, box, kTypeAnd);
}
int PaintIconAndEdge(CDC* dc, const CRect& box) {
  return Gate(dc, box, kTypeAndEdge);
}
int PaintIconNand(CDC* dc, const CRect& box) {
  return Gate(dc, box, kTypeNand);
}
int PaintIconNandEdge(CDC* dc, const CRect& box) {
  return Gate(dc, box, kTypeNandEdge);
}
int PaintIconOr(CDC* dc, const CRect& box) {
  return Gate(dc, box, kTypeOr);
}
int PaintIconNor(CDC* dc, const CRect& box) {
  return Gate(dc, box, kTypeNor);
}
int PaintIconXor(CDC* dc, const CRect& box) {
  return Gate(dc, box, kTypeXor);
}
int PaintIconNot(CDC* dc, const CRect& box) {
  return Gate(dc, box, kTypeNot);
}

// ---- Operands ------------------------------------------------------------------------

namespace {

// The operand's letters centred in the box in the item font.
int OperandLabel(CDC* dc, const CRect& box, const char16_t* label) {
  const CSize size = dc->GetTextExtent(label);
  dc->TextOut(box.left + (25 - size.cx) / 2, box.top + (36 - size.cy) / 2, label);
  return size.cy;
}

}  // namespace

int PaintIconInput(CDC* dc, const CRect& box) {
  return OperandLabel(dc, box, u"I");
}
int PaintIconShiftBit(CDC* dc, const CRect& box) {
  return OperandLabel(dc, box, u"S");
}
int PaintIconLow(CDC* dc, const CRect& box) {
  return OperandLabel(dc, box, u"lo");
}
int PaintIconHigh(CDC* dc, const CRect& box) {
  return OperandLabel(dc, box, u"hi");
}
int PaintIconOutput(CDC* dc, const CRect& box) {
  return OperandLabel(dc, box, u"Q");
}
int PaintIconOpenConnector(CDC* dc, const CRect& box) {
  return OperandLabel(dc, box, u"X");
}
int PaintIconFlag(CDC* dc, const CRect& box) {
  return OperandLabel(dc, box, u"M");
}
int PaintIconAnalogInput(CDC* dc, const CRect& box) {
  return OperandLabel(dc, box, u"AI");
}
int PaintIconAnalogOutput(CDC* dc, const CRect& box) {
  return OperandLabel(dc, box, u"AQ");
}
int PaintIconAnalogFlag(CDC* dc, const CRect& box) {
  return OperandLabel(dc, box, u"AM");
}
int PaintIconFunctionKey(CDC* dc, const CRect& box) {
  return OperandLabel(dc, box, u"F");
}

// ---- Ladder elements -----------------------------------------------------------------

namespace {

// A contact's two bars or a coil's parentheses on the rung.
void LadderElement(CDC* dc, const CRect& box, int type) {
  const CFont paren = PaletteFont(24, 8);
  const int l = box.left, t = box.top, r = box.right, b = box.bottom;
  dc->MoveTo(l, t + 18);
  dc->LineTo(l + 8, t + 18);
  if (type <= kTypeAnalogContact) {
    dc->MoveTo(l + 16, t + 18);
    dc->LineTo(l + 25, t + 18);
    dc->MoveTo(l + 8, t);
    dc->LineTo(l + 8, b);
    dc->MoveTo(l + 16, t);
    dc->LineTo(l + 16, b);
  } else {
    const CFont old = dc->SelectObject(&paren);
    dc->TextOut(l + 6, t + (b - t) / 6, u"(");
    dc->TextOut(r - 6, t + (b - t) / 6, u")");
    dc->SelectObject(&old);
  }
  if (type == kTypeBreakContact) {
    dc->MoveTo(l + 14, t);
    dc->LineTo(l + 10, b);
  }
  if (type == kTypeInvertedCoil) {
    dc->MoveTo(r - 8, t + (b - t) / 4 + 2);
    dc->LineTo(l + 12, b - (b - t) / 4);
  }
  if (type == kTypeAnalogContact || type == kTypeLadderAnalogOutput) dc->Ellipse(l + 18, t + 2, r, t + 8);
}

}  // namespace

int PaintIconMakeContact(CDC* dc, const CRect& box) {
  LadderElement(dc, box, kTypeMakeContact);
  return 0;
}
int PaintIconBreakContact(CDC* dc, const CRect& box) {
  LadderElement(dc, box, kTypeBreakContact);
  return 0;
}
int PaintIconAnalogContact(CDC* dc, const CRect& box) {
  LadderElement(dc, box, kTypeAnalogContact);
  return 0;
}
int PaintIconRelayCoil(CDC* dc, const CRect& box) {
  LadderElement(dc, box, kTypeRelayCoil);
  return 0;
}
int PaintIconInvertedCoil(CDC* dc, const CRect& box) {
  LadderElement(dc, box, kTypeInvertedCoil);
  return 0;
}
int PaintIconLadderAnalogOutput(CDC* dc, const CRect& box) {
  LadderElement(dc, box, kTypeLadderAnalogOutput);
  return 0;
}

// ---- Special functions -----------------------------------------------------------------

int PaintSymbolPicture(CDC* dc, const CRect& box, int type) {
  DrawBlockLinePicture(dc, box, type);
  const CFont small = PaletteFont(12, 7);
  for (const SymbolText& t : BlockSymbolTexts(type))
    PaletteText(dc, box, t.dx, t.dy, t.text, t.small ? &small : nullptr);
  return 0;
}

int PaintIconCOUNTER(CDC* dc, const CRect& box) {
  return PaintSymbolPicture(dc, box, kTypeCOUNTER);
}
int PaintIconHCOUNTER(CDC* dc, const CRect& box) {
  return PaintSymbolPicture(dc, box, kTypeHCOUNTER);
}
int PaintIconTHTRG(CDC* dc, const CRect& box) {
  return PaintSymbolPicture(dc, box, kTypeTHTRG);
}
int PaintIconACOMP(CDC* dc, const CRect& box) {
  return PaintSymbolPicture(dc, box, kTypeACOMP);
}
int PaintIconATHTRG(CDC* dc, const CRect& box) {
  return PaintSymbolPicture(dc, box, kTypeATHTRG);
}
int PaintIconAAMP(CDC* dc, const CRect& box) {
  return PaintSymbolPicture(dc, box, kTypeAAMP);
}
int PaintIconAWDOG(CDC* dc, const CRect& box) {
  return PaintSymbolPicture(dc, box, kTypeAWDOG);
}
int PaintIconADTRG(CDC* dc, const CRect& box) {
  return PaintSymbolPicture(dc, box, kTypeADTRG);
}
int PaintIconLR(CDC* dc, const CRect& box) {
  return PaintSymbolPicture(dc, box, kTypeLR);
}
int PaintIconPR(CDC* dc, const CRect& box) {
  return PaintSymbolPicture(dc, box, kTypePR);
}
int PaintIconShiftRegister(CDC* dc, const CRect& box) {
  return PaintSymbolPicture(dc, box, kTypeShiftRegister);
}
int PaintIconMR(CDC* dc, const CRect& box) {
  return PaintSymbolPicture(dc, box, kTypeMR);
}
int PaintIconMW(CDC* dc, const CRect& box) {
  return PaintSymbolPicture(dc, box, kTypeMW);
}
int PaintIconAMATH(CDC* dc, const CRect& box) {
  return PaintSymbolPicture(dc, box, kTypeAMATH);
}
int PaintIconAMUX(CDC* dc, const CRect& box) {
  return PaintSymbolPicture(dc, box, kTypeAMUX);
}
int PaintIconARAMP(CDC* dc, const CRect& box) {
  return PaintSymbolPicture(dc, box, kTypeARAMP);
}
int PaintIconPI(CDC* dc, const CRect& box) {
  return PaintSymbolPicture(dc, box, kTypePI);
}
int PaintIconPWM(CDC* dc, const CRect& box) {
  return PaintSymbolPicture(dc, box, kTypePWM);
}
int PaintIconAnalogFilter(CDC* dc, const CRect& box) {
  return PaintSymbolPicture(dc, box, kTypeAnalogFilter);
}
int PaintIconMAXMIN(CDC* dc, const CRect& box) {
  return PaintSymbolPicture(dc, box, kTypeMAXMIN);
}
int PaintIconAVGVAL(CDC* dc, const CRect& box) {
  return PaintSymbolPicture(dc, box, kTypeAVGVAL);
}
int PaintIconMATHERR(CDC* dc, const CRect& box) {
  return PaintSymbolPicture(dc, box, kTypeMATHERR);
}
int PaintIconWifiIn(CDC* dc, const CRect& box) {
  return PaintSymbolPicture(dc, box, kTypeWifiIn);
}
int PaintIconWifiOut(CDC* dc, const CRect& box) {
  return PaintSymbolPicture(dc, box, kTypeWifiOut);
}
int PaintIconWifiAI(CDC* dc, const CRect& box) {
  return PaintSymbolPicture(dc, box, kTypeWifiAI);
}
int PaintIconWifiAQ(CDC* dc, const CRect& box) {
  return PaintSymbolPicture(dc, box, kTypeWifiAQ);
}

// ---- Data functions ----------------------------------------------------------------------

namespace {

// A label on a row of the box: x = left + (25 - w) / 2 + 1.
CSize Row(CDC* dc, const CRect& box, const CString& s, int y, const CFont* font) {
  const CSize size = Extent(dc, s, font);
  PaletteText(dc, box, (25 - size.cx) / 2 + 1, y, s, font);
  return size;
}

// The label of most data functions.
int DataLabel(CDC* dc, const CRect& box, const char16_t* label) {
  const CFont font = PaletteFont(12, 6);
  return Row(dc, box, label, 12, &font).cy;
}

// The narrower labels.
int NarrowDataLabel(CDC* dc, const CRect& box, const char16_t* label) {
  const CFont font = PaletteFont(12, 5);
  return Row(dc, box, label, 12, &font).cy;
}

int HeavyDataLabel(CDC* dc, const CRect& box, const char16_t* label) {
  const CFont font = PaletteFont(11, 4, FW_HEAVY);
  return Row(dc, box, label, 12, &font).cy;
}

// The masks: the gate's label with its bars, "MASK" under it.
int Mask(CDC* dc, const CRect& box, int type, const char16_t* label) {
  const CFont maskFont = PaletteFont(10, 4, FW_HEAVY);
  const CSize size = dc->GetTextExtent(label);
  const int m = (25 - size.cx) / 2;
  if (type == kTypeNOTM || type == kTypeNANDM) {
    SymbolStrokes(dc, box, {{{m, 8}, {m + size.cx + 1, 8}}});
  } else if (type == kTypeNORM) {
    SymbolStrokes(dc, box, {{{m, 8}, {m + size.cx, 8}}});
  }
  Row(dc, box, label, 9, nullptr);
  if (type == kTypeORM || type == kTypeNORM)
    SymbolStrokes(dc, box, {{{m, size.cy + 7}, {m + size.cx / 2, size.cy + 7}}});
  return Row(dc, box, u"MASK", 24, &maskFont).cy;
}

}  // namespace

int PaintIconBoolean(CDC* dc, const CRect& box) {
  const CFont boolFont = PaletteFont(9, 3);
  const CString label = u"BOOL";
  const CSize size = Extent(dc, label, &boolFont);
  const int x0 = (25 - size.cx) / 2;
  for (int y : {7, 10, 13, 16}) SymbolStrokes(dc, box, {{{x0, y}, {x0 + 5, y}}});
  SymbolStrokes(dc, box,
                {{{x0 + 5, 5}, {x0 + 5, 19}, {x0 + 15, 13}, {x0 + 5, 5}}, {{x0 + 15, 13}, {x0 + 20, 13}}});
  PaletteText(dc, box, x0, 24, label, &boolFont);
  return size.cy;
}

int PaintIconTDT(CDC* dc, const CRect& box) {
  return DataLabel(dc, box, u"TDT");
}
int PaintIconBCD(CDC* dc, const CRect& box) {
  return DataLabel(dc, box, u"BCD");
}
int PaintIconBIN(CDC* dc, const CRect& box) {
  return DataLabel(dc, box, u"BIN");
}
int PaintIconROL(CDC* dc, const CRect& box) {
  return DataLabel(dc, box, u"ROL");
}
int PaintIconROR(CDC* dc, const CRect& box) {
  return DataLabel(dc, box, u"ROR");
}
int PaintIconSHL(CDC* dc, const CRect& box) {
  return DataLabel(dc, box, u"SHL");
}
int PaintIconSHR(CDC* dc, const CRect& box) {
  return DataLabel(dc, box, u"SHR");
}
int PaintIconANDM(CDC* dc, const CRect& box) {
  return Mask(dc, box, kTypeANDM, u"&");
}
int PaintIconORM(CDC* dc, const CRect& box) {
  return Mask(dc, box, kTypeORM, u">1");
}
int PaintIconNOTM(CDC* dc, const CRect& box) {
  return Mask(dc, box, kTypeNOTM, u"1");
}
int PaintIconNANDM(CDC* dc, const CRect& box) {
  return Mask(dc, box, kTypeNANDM, u"&");
}
int PaintIconNORM(CDC* dc, const CRect& box) {
  return Mask(dc, box, kTypeNORM, u">1");
}
int PaintIconXORM(CDC* dc, const CRect& box) {
  return Mask(dc, box, kTypeXORM, u"=1");
}
int PaintIconARRMXIV(CDC* dc, const CRect& box) {
  return DataLabel(dc, box, u"AXIV");
}
int PaintIconACMXIV(CDC* dc, const CRect& box) {
  return NarrowDataLabel(dc, box, u"DXIV");
}
int PaintIconRAND(CDC* dc, const CRect& box) {
  return NarrowDataLabel(dc, box, u"Rand");
}
int PaintIconMEM(CDC* dc, const CRect& box) {
  return DataLabel(dc, box, u"MEM");
}
int PaintIconENCODER(CDC* dc, const CRect& box) {
  return DataLabel(dc, box, u"ENC");
}
int PaintIconSMC(CDC* dc, const CRect& box) {
  return DataLabel(dc, box, u"SMC");
}
int PaintIconSMCE(CDC* dc, const CRect& box) {
  return HeavyDataLabel(dc, box, u"SMCE");
}
int PaintIconPTO(CDC* dc, const CRect& box) {
  return DataLabel(dc, box, u"PTO");
}
int PaintIconPTOE(CDC* dc, const CRect& box) {
  return HeavyDataLabel(dc, box, u"PTOE");
}
int PaintIconSEG(CDC* dc, const CRect& box) {
  return DataLabel(dc, box, u"SEG");
}
int PaintIconWORD2BIT(CDC* dc, const CRect& box) {
  return DataLabel(dc, box, u"WTB");
}
int PaintIconUDC(CDC* dc, const CRect& box) {
  return DataLabel(dc, box, u"UDC");
}
int PaintIconCRC16(CDC* dc, const CRect& box) {
  return DataLabel(dc, box, u"CRC");
}

// ---- Math functions ----------------------------------------------------------------------

namespace {

int MathLabel(CDC* dc, const CRect& box, const char16_t* label) {
  const CFont font = PaletteFont(12, 5);
  return Row(dc, box, label, 12, &font).cy;
}

}  // namespace

int PaintIconODD(CDC* dc, const CRect& box) {
  return MathLabel(dc, box, u"ODD");
}
int PaintIconEVEN(CDC* dc, const CRect& box) {
  return MathLabel(dc, box, u"EVEN");
}
int PaintIconMOD(CDC* dc, const CRect& box) {
  return MathLabel(dc, box, u"MOD");
}
int PaintIconREM(CDC* dc, const CRect& box) {
  return MathLabel(dc, box, u"REM");
}
int PaintIconLOG(CDC* dc, const CRect& box) {
  return MathLabel(dc, box, u"LOG");
}
int PaintIconSQRT(CDC* dc, const CRect& box) {
  return MathLabel(dc, box, u"SQRT");
}
int PaintIconABS(CDC* dc, const CRect& box) {
  return MathLabel(dc, box, u"ABS");
}
int PaintIconGCD(CDC* dc, const CRect& box) {
  return MathLabel(dc, box, u"GCD");
}
int PaintIconLCM(CDC* dc, const CRect& box) {
  return MathLabel(dc, box, u"LCM");
}
int PaintIconPOW2(CDC* dc, const CRect& box) {
  return MathLabel(dc, box, u"POW2");
}
int PaintIconEXP(CDC* dc, const CRect& box) {
  return MathLabel(dc, box, u"EXP");
}
int PaintIconFIX(CDC* dc, const CRect& box) {
  return MathLabel(dc, box, u"FIX");
}
int PaintIconROUND(CDC* dc, const CRect& box) {
  return MathLabel(dc, box, u"round");
}
int PaintIconSIN(CDC* dc, const CRect& box) {
  return MathLabel(dc, box, u"SIN");
}
int PaintIconCOS(CDC* dc, const CRect& box) {
  return MathLabel(dc, box, u"COS");
}
int PaintIconTAN(CDC* dc, const CRect& box) {
  return MathLabel(dc, box, u"TAN");
}
int PaintIconCOT(CDC* dc, const CRect& box) {
  return MathLabel(dc, box, u"COT");
}
int PaintIconSEC(CDC* dc, const CRect& box) {
  return MathLabel(dc, box, u"SEC");
}
int PaintIconCSC(CDC* dc, const CRect& box) {
  return MathLabel(dc, box, u"CSC");
}
int PaintIconQUAD(CDC* dc, const CRect& box) {
  return MathLabel(dc, box, u"QUAD");
}

// ---- The data log ---------------------------------------------------------------------------

int PaintIconDataLog(CDC* dc, const CRect& box) {
  const CSize size = dc->GetTextExtent(u"L");
  dc->TextOut(box.left + (25 - size.cx) / 2 + 1, box.top + 12, u"L");
  return size.cy;
}
