// A sample diagram of a chosen size: function blocks of many kinds, operands,
// wires between them, message texts with display elements and comments. The
// file-format, undo and drawing benchmarks and the file tests build on it.
#pragma once

class CZaradDoc;

struct SampleDocumentSize {
  int nFunctionBlocks = 1024;  // message-text blocks included
  int nOperands = 512;
  int nWires = 2000;
  int nMessageTexts = 16;  // at most 16; each with display elements on both character sets
  int nComments = 8;
};

// Fills doc (a function-block diagram, whose lists should be empty) with
// blocks numbered by the document and wires written into both ends as the
// view writes them: a valid diagram, as the editor would let a user draw it.
// A kind whose type limit is reached is skipped for the next kind in turn (so
// every block has a number of its own); fewer wires are made when the blocks
// run out of free inputs. The result is the same for the same size.
void BuildSampleDocument(CZaradDoc& doc, const SampleDocumentSize& size = {});
